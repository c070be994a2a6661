#!/bin/sh
# Installs everything a fresh Debian 12 machine needs to build, test and run Linnet.
set -e
SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"
$SUDO apt-get update -qq
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends \
  build-essential cmake ninja-build pkg-config clang libclang-rt-14-dev clang-format clang-tidy \
  libgtest-dev libgmock-dev libbenchmark-dev libboost-dev \
  libfreetype-dev libfontconfig-dev fontconfig fonts-liberation2 \
  libpng-dev libjpeg-dev libgif-dev libtiff-dev \
  libgsf-1-dev libpugixml-dev \
  libzint-dev zint hyperfine \
  zxing-cpp-tools libzxing-dev zbar-tools python3 python3-olefile libxml2-utils \
  python3-pip python3-setuptools python3-wheel man-db binutils \
  libcpp-httplib-dev nlohmann-json3-dev librsvg2-bin wrk chromium nodejs npm >/dev/null
# The designer's browser test drives Chromium with puppeteer-core (the browser is Debian's).
(cd "$(dirname "$0")/../tests/browser" && PUPPETEER_SKIP_DOWNLOAD=1 npm ci --no-audit --no-fund >/dev/null)
