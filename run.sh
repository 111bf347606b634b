#!/usr/bin/env bash
# Installs what is missing, builds the game and starts it from the repository root.
# Options are passed to the game (see ./run.sh --help).
set -euo pipefail
cd "$(dirname "$0")"

./scripts/setup.sh
cmake --preset release > /dev/null
cmake --build --preset release --target kestrova -j "$(nproc)"
exec build/kestrova "$@"
