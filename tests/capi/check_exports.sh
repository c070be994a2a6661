#!/bin/sh
# check_exports.sh LIBRARY HEADER: the library's dynamic symbols are exactly the functions the
# header declares (nothing of the C++ inside shows, nothing declared is missing), and its
# SONAME carries the major version.
set -e
library=$1 header=$2
exported=$(nm -D --defined-only "$library" | awk '$2 ~ /^[TtWw]$/ {print $3}' | sed 's/@.*//' | sort -u)
declared=$(sed -n 's/^LINNET_API [^(]*[ *]\(linnet_[a-z_]*\)(.*/\1/p' "$header" | sort -u)
others=$(nm -D --defined-only "$library" | awk '$2 !~ /^[TtWwA]$/ {print $3}' | sed 's/@.*//' | sort -u)
status=0
if [ "$exported" != "$declared" ]; then
  echo "exported functions differ from the header's declarations:"
  printf '%s\n' "$exported" >"${TMPDIR:-/tmp}/exported.$$"
  printf '%s\n' "$declared" | diff "${TMPDIR:-/tmp}/exported.$$" - || true
  rm -f "${TMPDIR:-/tmp}/exported.$$"
  status=1
fi
if [ -n "$others" ]; then
  echo "exported data or other symbols: $others"
  status=1
fi
soname=$(objdump -p "$library" | awk '$1 == "SONAME" {print $2}')
case "$soname" in
  liblinnet.so.[0-9]*) ;;
  *) echo "unexpected SONAME '$soname'"; status=1 ;;
esac
[ "$status" -eq 0 ] && echo "$(printf '%s\n' "$exported" | wc -l) functions exported, SONAME $soname"
exit "$status"
