#!/usr/bin/env bash
# Runs a command under an X server of its own, on a screen of the given size:
#   scripts/withXvfb.sh 2048x1200 ctest --test-dir build -L display
# Xvfb picks a free display number itself (-displayfd) instead of trusting lock files, so that runs back to
# back, or beside another X session, never reach a server that is not their own; and the server has exited
# before this script does, so the next run cannot meet it either. Exits with the command's exit code.
set -euo pipefail
[[ $# -ge 2 && $1 =~ ^[0-9]+x[0-9]+$ ]] || { echo "Usage: $0 <width>x<height> command [arguments...]" >&2; exit 2; }
screen=$1
shift

work=$(mktemp -d)
mkfifo "$work/display"
Xvfb -displayfd 3 -screen 0 "${screen}x24" -nolisten tcp 3> "$work/display" 2> "$work/xvfb.log" &
server=$!
finish() {
    kill "$server" 2> /dev/null || true
    wait "$server" 2> /dev/null || true
    rm -rf "$work"
}
trap finish EXIT

# The server writes its display number once it accepts connections; a server that fails ends the read empty.
number=""
read -r number < "$work/display" || true
if [[ ! $number =~ ^[0-9]+$ ]]; then
    echo "Xvfb did not start:" >&2
    cat "$work/xvfb.log" >&2
    exit 1
fi
status=0
DISPLAY=":$number" "$@" || status=$?
exit "$status"
