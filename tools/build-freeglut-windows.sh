#!/usr/bin/env bash
# build-freeglut-windows.sh BUILD-DIR: builds the static freeglut for Windows
# from Debian's own freeglut source package into BUILD-DIR/freeglut/install,
# with the repository's mingw-w64 toolchain. Done once: a later run finds the
# finished install and returns at once. Needs no root (fetch-freeglut-source.sh).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
mkdir -p "${1:?usage: build-freeglut-windows.sh BUILD-DIR}"
work=$(cd "$1" && pwd)/freeglut
install="$work/install"
stamp="$install/.complete"
[[ -f "$stamp" ]] && exit 0

echo "Building freeglut for Windows from Debian's source package (once per build folder)"
rm -rf "$work"
source_dir=$("$root/tools/fetch-freeglut-source.sh" "$work")

# Static library only, under the name glut so that <GL/glut.h> is installed.
# Without warnings: under wine every start would print "CreateDC failed".
cmake -S "$source_dir" -B "$work/build" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
    -DCMAKE_INSTALL_PREFIX="$install" -DFREEGLUT_BUILD_SHARED_LIBS=OFF \
    -DFREEGLUT_BUILD_STATIC_LIBS=ON -DFREEGLUT_BUILD_DEMOS=OFF -DFREEGLUT_REPLACE_GLUT=ON \
    -DFREEGLUT_PRINT_WARNINGS=OFF >"$work/cmake.log" 2>&1 || { cat "$work/cmake.log" >&2; exit 1; }
cmake --build "$work/build" -j2 >>"$work/cmake.log" 2>&1 || { tail -n 40 "$work/cmake.log" >&2; exit 1; }
cmake --install "$work/build" >>"$work/cmake.log" 2>&1
# The sources and the object files are not needed again.
rm -rf "$work/source" "$work/build" "$work/apt"
touch "$stamp"
