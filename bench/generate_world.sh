#!/usr/bin/env bash
# Times `kestrova --generate-only` (world, factions, pictures and graph) for a new default world in an
# empty directory that has only the shipped assets, several runs,
# and prints the median wall time and the largest peak memory.
# Usage: bench/generate_world.sh [runs=5] [seed=11899]
set -euo pipefail
runs=${1:-5}
seed=${2:-11899}
root=$(cd "$(dirname "$0")/.." && pwd)
binary="$root/build/kestrova"
[[ -x "$binary" ]] || { echo "Build first: cmake --preset release && cmake --build --preset release" >&2; exit 1; }
[[ -x /usr/bin/time ]] || { echo "Needs GNU time: apt-get install time" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
times=()
peak=0
for ((i = 1; i <= runs; i++)); do
    rm -rf "$work/run" && mkdir "$work/run" && ln -s "$root/assets" "$work/run/assets"
    (cd "$work/run" && /usr/bin/time -f '%e %M' -o ../time.txt "$binary" --world w --seed "$seed" --generate-only \
        > /dev/null < /dev/null)
    read -r seconds kilobytes < "$work/time.txt"
    times+=("$seconds")
    (( kilobytes > peak )) && peak=$kilobytes
    echo "run $i: ${seconds} s, peak ${kilobytes} kB"
done
median=$(printf '%s\n' "${times[@]}" | sort -n | awk '{a[NR]=$1} END {print (NR % 2) ? a[(NR + 1) / 2] : (a[NR / 2] + a[NR / 2 + 1]) / 2}')
echo "median wall time: ${median} s over ${runs} runs; largest peak memory: $((peak / 1024)) MB"
