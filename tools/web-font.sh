#!/usr/bin/env bash
# web-font.sh BUILD-DIR [js|cpp]: writes BUILD-DIR/font/helvetica18.js (the
# default), freeglut's Helvetica 18 bitmaps for the browser build, or
# BUILD-DIR/font/helvetica18.cpp, the same as a C++ table for the report
# checker, from Debian's freeglut source package. Done once per build folder: a
# later run finds the file and returns.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
format=${2:-js}
mkdir -p "${1:?usage: web-font.sh BUILD-DIR [js|cpp]}/font"
work=$(cd "$1" && pwd)/font
out=$work/helvetica18.$format
[[ -f "$out" ]] && exit 0
source_dir=$("$root/tools/fetch-freeglut-source.sh" "$work/$format")
python3 "$root/tools/web_font.py" "$source_dir" "$out.part"
mv "$out.part" "$out"
# Nothing else of the sources is needed.
rm -rf "$work/$format"
