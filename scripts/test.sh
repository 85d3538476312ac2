#!/usr/bin/env bash
# Configures, builds (with AddressSanitizer and UndefinedBehaviorSanitizer) and
# runs every test. Usage: scripts/test.sh [build-folder]
# The build is a unity build: each folder's sources compile as one file, which
# takes a fraction of the time separate files do (the headers, and the sanitized
# code of their inline functions, are compiled once a folder instead of once a
# file). Sources whose file-local names collide are marked in their folder's
# CMakeLists.txt to compile apart.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/test}
jobs=$(nproc)
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG=-g1 -DBARCODES_SANITIZE=ON -DBARCODES_TESTS=ON \
  -DCMAKE_UNITY_BUILD=ON -DCMAKE_UNITY_BUILD_BATCH_SIZE=0 >/dev/null
cmake --build "$build" -j "$jobs"
ctest --test-dir "$build" --output-on-failure -j "$jobs"
