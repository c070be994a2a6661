#!/bin/sh
# help-to-man.sh LINNET VERSION OUTPUT: writes the man page of `linnet` from its --help text,
# so the page and the help cannot drift. "Usage:" becomes SYNOPSIS, every other line at the
# left margin that ends in a colon ("OPTIONS (applied in the order given):") starts a section
# named by its leading words, and every section keeps its own line breaks and columns.
set -e
linnet=$1 version=$2 output=$3
"$linnet" --help >"$output.help"
{
  printf '.TH LINNET 1 "" "linnet %s" "User Commands"\n' "$version"
  printf '.SH NAME\nlinnet \\- draw barcode labels, print symbols and properties of the Linnet control\n'
  sed -e 's/\\/\\e/g' -e 's/-/\\-/g' -e "s/^\([.']\)/\\\\\&\1/" \
    -e 's/^Usage:$/.fi\n.SH SYNOPSIS\n.nf/' \
    -e 's/^\([A-Za-z][A-Za-z ]*[A-Za-z]\) *\((.*)\):$/.fi\n.SH \U\1\E\n.nf\n\2/' \
    -e 's/^\([A-Za-z][A-Za-z ]*[A-Za-z]\):$/.fi\n.SH \U\1\E\n.nf/' \
    "$output.help"
  printf '.fi\n'
} >"$output.tmp"
rm -f "$output.help"
mv "$output.tmp" "$output"
