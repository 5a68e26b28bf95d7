#!/usr/bin/env bash
# Kills 1,000 saves (or the number given) at random moments and prints what they left: partial
# files, record/colour pairs that no single rename explains, and leftover temporary files, all
# of which must be 0. The same check runs with a few hundred kills in the test suite.
#   tools/stress-saves.sh [KILLS]    (TMPDIR picks the file system to try)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
kills="${1:-1000}"
if [ ! -f "$root/build/build.ninja" ]; then
  cmake --preset default -S "$root" >&2
fi
cmake --build "$root/build" --target files_tests >&2
KELVANE_KILLED_SAVES="$kills" "$root/build/tests/files_tests" \
  --gtest_filter='KilledSaves.*' --gtest_brief=1
