#!/usr/bin/env bash
# Installs the Debian packages the build needs (and, with --tests, those the tests need).
set -euo pipefail

packages=(build-essential cmake pkg-config libsfml-dev
    libboost-serialization1.74-dev libboost-thread1.74-dev libboost-filesystem1.74-dev
    libboost-system1.74-dev libboost-date-time1.74-dev libturbojpeg0-dev libpng-dev libx11-dev
    libgtest-dev libbenchmark-dev fonts-dejavu-core)
if [[ "${1:-}" == "--tests" ]]; then
    packages+=(xvfb xauth xdotool imagemagick)
fi

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$package")
    fi
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

command=(apt-get install -y --no-install-recommends "${missing[@]}")
if [[ $(id -u) -ne 0 ]]; then
    echo "Some packages are missing. Install them with:" >&2
    echo "  sudo apt-get update && sudo ${command[*]}" >&2
    exit 1
fi
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
"${command[@]}" -qq
