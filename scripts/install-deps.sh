#!/usr/bin/env bash
# Installs every Debian package the build, the tests and the benchmarks use.
set -euo pipefail
SUDO=""
if [ "$(id -u)" != 0 ]; then SUDO=sudo; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends \
  cmake make g++ lld pkg-config git ca-certificates \
  libgtest-dev libgmock-dev libbenchmark-dev libqrencode-dev \
  libzbar-dev libdbus-1-dev zbar-tools libzxing-dev \
  libpng-dev zlib1g-dev libjpeg62-turbo-dev libgif-dev \
  libcairo2-dev fonts-dejavu-core fonts-droid-fallback \
  libxml2-dev libicu-dev libssl-dev nettle-dev \
  libcurl4-openssl-dev libcpp-httplib-dev nlohmann-json3-dev \
  libplist-dev libplist++-dev libsqlite3-dev uuid-dev \
  libjavascriptcoregtk-4.1-dev \
  clang-format >/dev/null
