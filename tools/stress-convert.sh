#!/usr/bin/env bash
# Two long runs of kelvane-convert -d that the test suite only samples:
#  1. INPUTS inputs (10,000 unless given) converted under `ulimit -n 256`: the time, the exit
#     status and the number of outputs.
#  2. KILLS runs (5 unless given) of 1,000 inputs killed with SIGKILL part-way through putting
#     their outputs in place: the hidden .kelvane-* files each kill left (at most 1), and those
#     left after the next run into the same folder (must be 0). Random kill times seldom hit the
#     instant between naming a copy and renaming it, so where strace is installed KILLS more
#     runs are killed exactly there, on entering their Nth rename.
#   tools/stress-convert.sh [INPUTS [KILLS]]    (TMPDIR picks the file system to try)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
inputs="${1:-10000}"
kills="${2:-5}"
if [ ! -f "$root/build/build.ninja" ]; then
  cmake --preset default -S "$root" >&2
fi
cmake --build "$root/build" --target kelvane-convert >&2
convert="$root/build/src/kelvane-convert"
work="$(mktemp -d "${TMPDIR:-/tmp}/kelvane-stress-XXXXXX")"
trap 'rm -rf "$work"' EXIT

# count FOLDER: the hidden temporary files in it.
leftovers() { find "$1" -maxdepth 1 -name '.kelvane-*' | wc -l; }

# make COUNT FOLDER: COUNT one-sprite inputs, each different.
make_inputs() {
  mkdir -p "$2"
  head -c $(($1 * 64)) /dev/urandom | split -b 64 -a 5 -d - "$2/s"
  for f in "$2"/s*; do mv "$f" "$f.bin"; done
}

make_inputs "$inputs" "$work/many"
mkdir "$work/many-out"
start=$(date +%s.%N)
status=0
(ulimit -n 256 && "$convert" --to spr -d "$work/many-out" "$work/many"/*.bin) || status=$?
end=$(date +%s.%N)
echo "$inputs inputs under ulimit -n 256: exit $status, $(find "$work/many-out" -name '*.spr' | wc -l) .spr" \
  "and $(find "$work/many-out" -name '*.inf' | wc -l) .inf written in $(echo "$end - $start" | bc) s"
rm -rf "$work/many" "$work/many-out"

make_inputs 1000 "$work/in"
mkdir "$work/out"
start=$(date +%s%N)
"$convert" --to spr -d "$work/out" "$work/in"/*.bin
took=$((($(date +%s%N) - start) / 1000000))
echo "one run of 1000 inputs: $took ms"
for run in $(seq 1 "$kills"); do
  # Outputs already there, as in a build that runs again; the kill falls between 10% and 90%.
  delay=$((took / 10 + RANDOM % (took * 8 / 10 + 1)))
  touch "$work/started"
  "$convert" --to spr -d "$work/out" "$work/in"/*.bin &
  pid=$!
  sleep "$(echo "scale=3; $delay / 1000" | bc)"
  kill -KILL "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  left=$(leftovers "$work/out")
  replaced=$(find "$work/out" -name '*.spr' -newer "$work/started" | wc -l)
  "$convert" --to spr -d "$work/out" "$work/in"/*.bin
  echo "kill $run after $delay ms, $replaced of 1000 outputs replaced: $left .kelvane-* left;" \
    "after the next run: $(leftovers "$work/out")"
done
if command -v strace >/dev/null; then
  for run in $(seq 1 "$kills"); do
    nth=$((1 + RANDOM % 2000))  # of the 2,000 renames of 1,000 outputs and their sidecars
    strace -f -o /dev/null -e trace=renameat,renameat2 \
      -e inject=renameat,renameat2:signal=SIGKILL:when="$nth" \
      "$convert" --to spr -d "$work/out" "$work/in"/*.bin 2>/dev/null || true
    left=$(leftovers "$work/out")
    "$convert" --to spr -d "$work/out" "$work/in"/*.bin
    echo "killed entering rename $nth: $left .kelvane-* left; after the next run: $(leftovers "$work/out")"
  done
fi
