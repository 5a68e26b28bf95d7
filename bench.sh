#!/usr/bin/env bash
# Sets up what is missing, builds, and runs the benchmarks headless: the drawing paths beside a
# memcpy of the bytes they write, a painted cell and an Animator frame through the real window,
# loading and saving a bank, the Animator's cadence at 50 Hz, and kelvane-convert as whole
# processes beside an empty program and cp. Ends with one summary line per figure. Arguments
# go to kelvane_bench (e.g. --benchmark_filter=RenderSprite). Never part of the
# test suite: the figures depend on the machine and what else it is doing.
set -euo pipefail
source "$(dirname "$0")/scripts/setup.sh"
kelvane_install_packages
kelvane_build_targets default kelvane_bench animator_cadence
export QT_QPA_PLATFORM=offscreen

summary="$(mktemp)"
trap 'rm -f "$summary"' EXIT
export KELVANE_BENCH_SUMMARY="$summary"

"$KELVANE_ROOT/build/bench/kelvane_bench" "$@"
echo
"$KELVANE_ROOT/build/bench/animator_cadence"
echo
"$KELVANE_ROOT/build/bench/converter_process" "$KELVANE_ROOT/build/src/kelvane-convert" \
  "$KELVANE_ROOT/build/bench/converter_empty"

echo
echo "Summary"
cat "$summary"
