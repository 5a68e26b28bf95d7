#!/usr/bin/env bash
# Fuzzes every codec's reader for longer than the test suite does: each libFuzzer target of the
# asan preset runs for SECONDS (default 600) with a corpus kept in build-asan/fuzz-corpus/, so
# later runs start from what earlier ones found. Findings land in build-asan/fuzz-findings/.
#
# Usage: tools/fuzz-readers.sh [SECONDS] [READER...]   readers: spritepad prg raw spritemate
set -euo pipefail
source "$(dirname "$0")/../scripts/setup.sh"
kelvane_install_packages

seconds="${1:-600}"
shift || true
readers=("$@")
[ ${#readers[@]} -gt 0 ] || readers=(spritepad prg raw spritemate)

cd "$KELVANE_ROOT"
[ -f build-asan/build.ninja ] || cmake --preset asan >&2
targets=(fuzz_seed_corpus)
for reader in "${readers[@]}"; do targets+=("fuzz_${reader}_target"); done
cmake --build build-asan --target "${targets[@]}" >&2

fuzz=build-asan/tests/fuzz
seeds="$fuzz/seeds"
"$fuzz/fuzz_seed_corpus" "$seeds"
mkdir -p build-asan/fuzz-findings

export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:halt_on_error=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
status=0
for reader in "${readers[@]}"; do
  corpus="build-asan/fuzz-corpus/$reader"
  mkdir -p "$corpus"
  dictionary=()
  [ -f "tests/fuzz/$reader.dict" ] && dictionary=("-dict=tests/fuzz/$reader.dict")
  echo "== $reader: $seconds s" >&2
  # -max_len lets inputs grow past a few records, to files of some hundred sprites.
  "$fuzz/fuzz_$reader" -max_total_time="$seconds" -max_len=20000 -timeout=10 \
    -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="build-asan/fuzz-findings/$reader-" \
    "${dictionary[@]}" -seed_inputs="@$seeds/$reader.list" "$corpus" || status=1
done
exit "$status"
