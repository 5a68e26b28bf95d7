#!/usr/bin/env bash
# Sets up what is missing, builds, and runs the benchmarks: headless, the drawing paths beside a
# memcpy of the bytes they write, a painted cell and an Animator frame through the real window,
# loading and saving a bank, the Animator's cadence at 50 Hz and the preview's while strokes are
# painted, painting with autosave on beside off and how soon the last change is in the recovery
# file, and kelvane-convert as whole
# processes beside an empty program and cp; then, on a real X server (Xvfb) where there is one,
# else offscreen, what a user waits for: start-up to the first paint, heap and idle CPU beside a
# minimal Qt program, a painted cell at scale 1 and 2, and the window grown to 1600 x 1200 (a
# full editor redraw at the largest zoom, a painted cell at every zoom). Ends with one summary line per figure.
# Arguments go to kelvane_bench (e.g. --benchmark_filter=RenderSprite). Never part of the test
# suite: the figures depend on the machine and what else it is doing.
set -euo pipefail
source "$(dirname "$0")/scripts/setup.sh"
kelvane_install_packages xvfb xauth
kelvane_build_targets default kelvane_bench animator_cadence preview_cadence autosave_bench \
  converter_process startup_figures display_cell zoomed_editor
export QT_QPA_PLATFORM=offscreen

summary="$(mktemp)"
runtime=""
# The editors started here keep their recovery files out of the user's own state folder.
state="$(mktemp -d)"
trap 'rm -f "$summary"; rm -rf "$state"; [ -z "$runtime" ] || rm -rf "$runtime"' EXIT
export KELVANE_BENCH_SUMMARY="$summary" XDG_STATE_HOME="$state"
# Qt wants a private runtime folder; a session without one gets one for this run.
if [ -z "${XDG_RUNTIME_DIR:-}" ]; then
  runtime="$(mktemp -d)"
  export XDG_RUNTIME_DIR="$runtime"
fi

bench="$KELVANE_ROOT/build/bench"
"$bench/kelvane_bench" "$@"
echo
"$bench/animator_cadence"
echo
"$bench/preview_cadence"
echo
"$bench/autosave_bench"
echo
"$bench/converter_process" "$KELVANE_ROOT/build/src/kelvane-convert" "$bench/converter_empty"

# The figures a user feels, on a real X server when Xvfb is there.
on_display=()
export KELVANE_BENCH_DISPLAY=offscreen
if command -v xvfb-run >/dev/null; then
  on_display=(xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp")
  export KELVANE_BENCH_DISPLAY=Xvfb QT_QPA_PLATFORM=xcb
fi
echo
echo "On $KELVANE_BENCH_DISPLAY:"
"${on_display[@]}" bash -c '"$1/startup_figures" && "$1/display_cell" &&
  QT_SCALE_FACTOR=2 "$1/display_cell"' on-display "$bench"
# A screen as large as the window it grows the main window to.
big_display=()
[ ${#on_display[@]} -eq 0 ] || big_display=(xvfb-run -a -s "-screen 0 1600x1200x24 -nolisten tcp")
"${big_display[@]}" "$bench/zoomed_editor"

echo
echo "Summary"
cat "$summary"
