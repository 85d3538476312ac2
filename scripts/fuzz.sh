#!/usr/bin/env bash
# Builds the libFuzzer harnesses of fuzz/ with clang (AddressSanitizer and
# UndefinedBehaviorSanitizer) and runs them, each for SECONDS (default 120),
# from its seeds in fuzz/seeds/NAME. What a run adds to the corpus stays in
# build/fuzz/corpus/NAME; a crashing input is written to build/fuzz/findings.
#
#   bash scripts/fuzz.sh [NAME|all] [SECONDS]     NAME: json gmsg plist html image
set -euo pipefail
cd "$(dirname "$0")/.."

harnesses=(json gmsg plist html image)
name="${1:-all}"
seconds="${2:-120}"
if [ "$name" != all ]; then
  if [[ ! " ${harnesses[*]} " =~ " $name " ]]; then
    echo "unknown harness \"$name\" (one of: ${harnesses[*]}, all)" >&2
    exit 2
  fi
  harnesses=("$name")
fi

CC=clang CXX=clang++ cmake -S . -B build/fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DBARCODES_FUZZ=ON -DBARCODES_TESTS=OFF >/dev/null
cmake --build build/fuzz -j"${JOBS:-4}" --target "${harnesses[@]/#/fuzz_}"

mkdir -p build/fuzz/findings
status=0
for harness in "${harnesses[@]}"; do
  corpus="build/fuzz/corpus/$harness"
  mkdir -p "$corpus"
  echo "== fuzz_$harness for ${seconds}s"
  ASAN_OPTIONS="detect_leaks=1:${ASAN_OPTIONS:-}" \
    "build/fuzz/fuzz/fuzz_$harness" "$corpus" "fuzz/seeds/$harness" \
    -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
    -artifact_prefix="build/fuzz/findings/$harness-" || status=1
done
exit $status
