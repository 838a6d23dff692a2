#!/bin/bash
# make-zip.sh PROGRAM IMAGE_DIR DOCUMENT_DIR ZIP
# Writes ZIP (named NAME.zip) holding one folder NAME/ with the program, its Image folder, the
# example configuration and the user guides. The texts get Windows line ends, and the guides a
# UTF-8 byte order mark, so that Notepad shows them right (Chinese too).
set -euo pipefail
program=$1 images=$2 documents=$3 zip=$4
name=$(basename "$zip" .zip)
out=$(dirname "$zip")

mkdir -p "$out"
stage=$(mktemp -d "$out/.stage.XXXXXX")
trap 'rm -rf "$stage"' EXIT
top=$stage/$name
mkdir -p "$top/Image"
cp "$program" "$top/"
cp "$images"/*.png "$top/Image/"

crlf() { sed 's/\r$//; s/$/\r/' "$1"; }
crlf "$documents/appConfig.example.xml" >"$top/appConfig.example.xml"
for guide in "$documents"/UserGuide-*.txt; do
  { printf '\xEF\xBB\xBF'; crlf "$guide"; } >"$top/$(basename "$guide")"
done

# A fresh archive each time (zip adds to an existing one); older versions' zips go.
rm -f "$out"/KOVA_Tevo512Tool-*.zip
(cd "$stage" && zip -q -X -r "$name.zip" "$name")
mv "$stage/$name.zip" "$zip"
