#!/usr/bin/env bash
# Kills a scripted editing session with SIGKILL 1,000 times (or the number given) at random
# moments up to LONGEST_MS after it starts, and checks each time what the next start finds: a
# recovery file that reads whole, holding a document the session held at most 1.5 s before the
# kill, and nothing left behind once it is recovered or discarded. The session is headless: the
# window's document and autosave classes on a plain event loop (see tools/RecoveryStress.cpp).
# The test suite runs the same with 20 kills.
#   tools/stress-recovery.sh [KILLS] [LONGEST_MS] [SEED]    (TMPDIR picks the file system)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
if [ ! -f "$root/build/build.ninja" ]; then
  cmake --preset default -S "$root" >&2
fi
cmake --build "$root/build" --target recovery_stress >&2
exec "$root/build/tests/recovery_stress" "${1:-1000}" "${2:-2000}" ${3:+"$3"}
