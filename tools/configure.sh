#!/usr/bin/env bash
# configure.sh BUILD-DIR [-S SOURCE-DIR] CMAKE-ARGS...: configures BUILD-DIR for
# SOURCE-DIR (default: this checkout). A build folder whose CMake cache was made
# for another source or build folder, as in a checkout copied with its build
# folders, loses that cache and state and is configured afresh.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:?usage: configure.sh BUILD-DIR [-S SOURCE-DIR] CMAKE-ARGS...}
shift
source_dir=$root
if [[ ${1:-} == -S ]]; then
    source_dir=$(cd "${2:?configure.sh: -S needs a folder}" && pwd)
    shift 2
fi

cache="$build/CMakeCache.txt"
if [[ -f "$cache" ]]; then
    made_for=$(sed -n 's/^CMAKE_HOME_DIRECTORY:INTERNAL=//p' "$cache")
    made_in=$(sed -n 's/^CMAKE_CACHEFILE_DIR:INTERNAL=//p' "$cache")
    if [[ ! "$made_for" -ef "$source_dir" || ! "$made_in" -ef "$build" ]]; then
        echo "configure.sh: $build was configured for $made_for in $made_in;" \
             "configuring it afresh for $source_dir" >&2
        rm -rf "$cache" "$build/CMakeFiles"
    fi
fi
exec cmake -S "$source_dir" -B "$build" "$@"
