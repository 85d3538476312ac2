#!/usr/bin/env bash
# Configures, builds (with AddressSanitizer and UndefinedBehaviorSanitizer) and
# runs every test. Usage: scripts/test.sh [build-folder]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/test}
jobs=$(nproc)
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG=-g1 -DBARCODES_SANITIZE=ON -DBARCODES_TESTS=ON >/dev/null
cmake --build "$build" -j "$jobs"
ctest --test-dir "$build" --output-on-failure -j "$jobs"
