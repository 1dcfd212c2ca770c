#!/usr/bin/env bash
# web-font.sh BUILD-DIR: writes BUILD-DIR/font/helvetica18.js, freeglut's
# Helvetica 18 bitmaps for the browser build, from Debian's freeglut source
# package. Done once per build folder: a later run finds the file and returns.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
mkdir -p "${1:?usage: web-font.sh BUILD-DIR}/font"
work=$(cd "$1" && pwd)/font
[[ -f "$work/helvetica18.js" ]] && exit 0
source_dir=$("$root/tools/fetch-freeglut-source.sh" "$work")
python3 "$root/tools/web_font.py" "$source_dir" "$work/helvetica18.js.part"
mv "$work/helvetica18.js.part" "$work/helvetica18.js"
# Nothing else of the sources is needed.
rm -rf "$work/source" "$work/apt" "$work/apt.log"
