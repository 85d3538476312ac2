#!/usr/bin/env bash
# Builds the `barcodes` program, has it draw a sample photo of a QR code and
# scans that photo end to end, printing the stored code and the screen it
# opened. The application's home is a temporary folder, removed afterwards.
# Usage: scripts/scan-sample.sh [build-folder]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/release}
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DBARCODES_TESTS=OFF >/dev/null
cmake --build "$build" --target barcodes -j "$(nproc)" >/dev/null
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
export BARCODES_HOME="$home"
"$build/host/barcodes" sample "$home/sample.png"
"$build/host/barcodes" scan "$home/sample.png"
