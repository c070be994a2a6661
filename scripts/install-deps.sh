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
  libpng-dev libdeflate-dev libjpeg-dev libgif-dev libtiff-dev \
  libgsf-1-dev libpugixml-dev nlohmann-json3-dev \
  libzint-dev zint hyperfine \
  zxing-cpp-tools libzxing-dev zbar-tools python3 python3-olefile libxml2-utils \
  libreoffice-draw-nogui libwmf-bin gsfonts librsvg2-bin \
  python3-pip python3-setuptools python3-wheel man-db binutils \
  libcpp-httplib-dev wrk chromium >/dev/null
# Node.js and npm: a machine that has them (from any source) keeps its own; Debian's npm
# conflicts with other Node.js packages.
command -v npm >/dev/null || DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends \
  nodejs npm >/dev/null
# The designer's browser test drives Chromium with puppeteer-core (the browser is Debian's).
(cd "$(dirname "$0")/../tests/browser" && PUPPETEER_SKIP_DOWNLOAD=1 npm ci --no-audit --no-fund >/dev/null)
