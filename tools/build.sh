#!/usr/bin/env bash
# build.sh BUILD-DIR [ARGS...]: cmake --build BUILD-DIR -j2 ARGS..., without
# make's own "*** ... Error" lines, so that the reason for a failure is the
# last thing the build shows.
set -uo pipefail
cmake --build "${1:?usage: build.sh BUILD-DIR [ARGS...]}" -j2 "${@:2}" 2>&1 |
    grep --line-buffered -v -E '^g?make(\[[0-9]+\])?: \*\*\* '
exit "${PIPESTATUS[0]}"
