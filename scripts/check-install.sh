#!/bin/sh
# check-install.sh [BUILD_DIR]: installs the build into a staging prefix (STAGE, /tmp/stage by
# default) and uses it as a consumer would: the C and C++ examples built with find_package and
# with pkg-config (shared, and the static library through pkg-config --static), run, and their
# labels decoded; the man page rendered; the shared library's exports checked against the
# header; the Python module installed with pip, offline, and used from the staged library; the
# installed linnet with its modules (a compound property file, --verify) and its serve helper.
set -e
cd "$(dirname "$0")/.."
build=${1:-build}
stage=${STAGE:-/tmp/stage}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

decodes() { # decodes IMAGE TEXT
  ZXingReader "$1" | grep -qF "Text:       \"$2\"" || { echo "check-install: $1 does not read '$2'"; exit 1; }
}

echo "== install into $stage"
rm -rf "$stage"
cmake --install "$build" --prefix "$stage" >/dev/null
pc=$(find "$stage" -name linnet.pc)
export PKG_CONFIG_PATH="$(dirname "$pc")"
libdir=$(pkg-config --variable=libdir linnet)

echo "== examples with find_package(Linnet)"
cmake -S examples -B "$work/cmake" -G Ninja -DCMAKE_PREFIX_PATH="$stage" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$work/cmake" >/dev/null
"$work/cmake/label_c" "$work/c.png" "find_package C"
"$work/cmake/label_cpp" "$work/cpp.png" "find_package C++"
decodes "$work/c.png" "find_package C"
decodes "$work/cpp.png" "find_package C++"

echo "== examples with pkg-config: $(pkg-config --cflags --libs linnet)"
# shellcheck disable=SC2046
cc -std=c99 -o "$work/label_c" examples/label.c $(pkg-config --cflags --libs linnet) -Wl,-rpath,"$libdir"
# shellcheck disable=SC2046
c++ -std=c++17 -o "$work/label_cpp" examples/label.cpp $(pkg-config --cflags --libs linnet) -Wl,-rpath,"$libdir"
"$work/label_c" "$work/c.png" "pkg-config C" >/dev/null
"$work/label_cpp" "$work/cpp.png" "pkg-config C++" >/dev/null
decodes "$work/c.png" "pkg-config C"
decodes "$work/cpp.png" "pkg-config C++"
# The static library alone, with the libraries pkg-config --static names for it.
# shellcheck disable=SC2046
cc -std=c99 -o "$work/label_static" examples/label.c $(pkg-config --cflags linnet) "$libdir/liblinnet.a" \
  $(pkg-config --static --libs linnet | sed 's/-llinnet//')
if ldd "$work/label_static" | grep -q liblinnet; then
  echo "check-install: the static example loads liblinnet.so"
  exit 1
fi
"$work/label_static" "$work/static.png" "static C" >/dev/null
decodes "$work/static.png" "static C"

echo "== man page"
MANPAGER=cat man -l "$stage/share/man/man1/linnet.1" 2>"$work/man.err" | grep -q "^SYNOPSIS"
[ ! -s "$work/man.err" ] || { cat "$work/man.err"; exit 1; }

echo "== exported symbols"
tests/capi/check_exports.sh "$libdir/liblinnet.so" "$stage/include/linnet/linnet.h"

echo "== Python module (pip install, offline)"
cp -r python "$work/python-src"
/usr/bin/python3 -m pip install -q --no-index --no-build-isolation --disable-pip-version-check \
  --root-user-action=ignore --target "$work/site" "$work/python-src"
LD_LIBRARY_PATH="$libdir" PYTHONPATH="$work/site" /usr/bin/python3 -c '
import linnet, sys
with linnet.Barcode(symbology="qlxCode128", message="pip", show_comment=False) as b:
    b.export(sys.argv[1])
' "$work/pip.png"
decodes "$work/pip.png" "pip"
# The library finds the compound-file module beside itself.
LD_LIBRARY_PATH="$libdir" PYTHONPATH="$work/site" /usr/bin/python3 -c '
import linnet, sys
with linnet.Barcode(symbology="qlxCode128", message="stored") as b:
    b.save(sys.argv[1], "binary")
with linnet.Barcode() as b:
    b.load(sys.argv[1], "binary")
    assert b.message == "stored", b.message
' "$work/python.bin"

echo "== installed linnet: modules and the serve helper"
"$stage/bin/linnet" save -b code128 -d installed -o "$work/design.bin"
"$stage/bin/linnet" export --load "$work/design.bin" --set ShowComment=false --verify -q -o "$work/installed.png"
decodes "$work/installed.png" "installed"
port=$(python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
"$stage/bin/linnet" serve --listen "127.0.0.1:$port" 2>/dev/null &
server=$!
for _ in $(seq 50); do
  curl -sf "http://127.0.0.1:$port/healthz" >/dev/null 2>&1 && break
  sleep 0.1
done
status=0
curl -sf "http://127.0.0.1:$port/healthz" >/dev/null || status=$?
kill "$server"
[ "$status" -eq 0 ] || { echo "check-install: the installed linnet serve does not answer"; exit 1; }
echo "check-install: all good"
