#!/usr/bin/env bash
# fetch-freeglut-source.sh WORK-DIR: unpacks Debian's freeglut source package
# into WORK-DIR/source and prints the unpacked folder. Needs no root: apt works
# on private lists in WORK-DIR, derived from the archive this machine installs
# freeglut from. The caller removes WORK-DIR/source and WORK-DIR/apt when done.
set -euo pipefail
work=$(mkdir -p "${1:?usage: fetch-freeglut-source.sh WORK-DIR}" && cd "$1" && pwd)
rm -rf "$work/apt" "$work/source"
mkdir -p "$work/apt/lists/partial" "$work/source"
# deb-src lines for the archive sections that offer the Linux freeglut package.
apt-cache madison freeglut3-dev |
    awk -F' [|] ' '$3 ~ / Packages$/ { split($3, f, " "); split(f[2], s, "/");
                                       print "deb-src " f[1] " " s[1] " " s[2] }' |
    sort -u >"$work/apt/sources.list"
if [[ ! -s "$work/apt/sources.list" ]]; then
    echo "fetch-freeglut-source.sh: apt knows no archive offering freeglut3-dev;" \
         "run apt-get update" >&2
    exit 1
fi
apt=(apt-get -q -o "Dir::Etc::SourceList=$work/apt/sources.list"
     -o Dir::Etc::SourceParts=/dev/null -o "Dir::State::Lists=$work/apt/lists"
     -o Dir::Cache::pkgcache= -o Dir::Cache::srcpkgcache=
     -o "APT::Sandbox::User=$(id -un)")
"${apt[@]}" update >"$work/apt.log" 2>&1 || { cat "$work/apt.log" >&2; exit 1; }
(cd "$work/source" && "${apt[@]}" source freeglut) >>"$work/apt.log" 2>&1 ||
    { cat "$work/apt.log" >&2; exit 1; }
find "$work/source" -mindepth 1 -maxdepth 1 -type d -name 'freeglut-*' | head -n 1
