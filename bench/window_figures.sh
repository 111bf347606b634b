#!/usr/bin/env bash
# Window figures of the default world under Xvfb: CPU share of an idle window, the time from the key
# press to the cell view of a grid without pictures, and the peak memory after crossing 20 grids in the
# cell view. Run after a release build on a screen the default window fits:
#   scripts/withXvfb.sh 2048x1200 bench/window_figures.sh
# KESTROVA_BINARY names another build of the program; KESTROVA_CELL_VIEW_SHOT a PNG file for a screenshot
# of the first cell view, to compare two builds' pictures.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
binary="${KESTROVA_BINARY:-$root/build/kestrova}"
work=$(mktemp -d)
trap 'kill "$pid" 2>/dev/null || true; rm -rf "$work"' EXIT
cd "$work"
ln -s "$root/assets" assets

"$binary" --world figures --seed 11899 < /dev/null > out.txt 2> err.txt &
pid=$!
window=""
until [[ -n "$window" ]]; do
    sleep 0.5
    kill -0 "$pid" || { cat err.txt; exit 1; }
    window=$(xdotool search --name "Kestrova Game" 2>/dev/null | head -n 1 || true)
done
xdotool windowmove --sync "$window" 0 0
xdotool mousemove --window "$window" 300 300
xdotool windowfocus --sync "$window"
sleep 2

ticks() { awk '{print $14 + $15}' "/proc/$pid/stat"; }
mainTicks() { awk '{print $14 + $15}' "/proc/$pid/task/$pid/stat"; }
hz=$(getconf CLK_TCK)
# The share of the whole process, and of its main thread alone: under Xvfb the rest is the software
# rasteriser's threads, which a graphics card takes over.
idleShare() {
    local before mainBefore after mainAfter
    before=$(ticks); mainBefore=$(mainTicks)
    sleep 10
    after=$(ticks); mainAfter=$(mainTicks)
    echo "idle window, $1: $(( (after - before) * 100 / (10 * hz) ))% of one core" \
         "(main thread $(( (mainAfter - mainBefore) * 100 / (10 * hz) ))%)"
}
idleShare "world map"

hold() { xdotool keydown "$1"; sleep "${2:-0.25}"; xdotool keyup "$1"; }
hold equal
until grep -q "Loaded \[" out.txt; do sleep 0.1; done
sleep 3
idleShare "grid view"

start=$(date +%s%N)
xdotool keydown equal
until grep -q "Image load time:" out.txt; do sleep 0.005; done
end=$(date +%s%N)
xdotool keyup equal
if [[ -n "${KESTROVA_CELL_VIEW_SHOT:-}" ]]; then
    sleep 1
    import -window "$window" "$KESTROVA_CELL_VIEW_SHOT"
fi
echo "key press to the cell view's pictures in memory: $(( (end - start) / 1000000 )) ms" \
     "(the first frame with them follows within one frame, 17 ms)"
grep -a -E "^Generation time:|^Image load time:" out.txt | sed 's/^/  /'

# Twenty grids to the east: ten cell steps a second, each new grid loaded on the way.
xdotool keydown Right
until (( $(grep -c "^loading subgrids" out.txt) >= 22 )); do sleep 0.5; done
xdotool keyup Right
echo "grids loaded in the cell view: $(grep -c '^loading subgrids' out.txt)"
grep -E "VmHWM|VmRSS" "/proc/$pid/status" | sed 's/^/  /'
xdotool key Escape
wait "$pid"
