#!/usr/bin/env bash
# build.sh BUILD-DIR [ARGS...]: cmake --build BUILD-DIR -j2 ARGS..., with the
# reason for a failure as the last thing shown: without make's own
# "*** ... Error" lines, and without the progress lines of the other job
# after a "file:line:" message.
set -uo pipefail
cmake --build "${1:?usage: build.sh BUILD-DIR [ARGS...]}" -j2 "${@:2}" 2>&1 | {
    failed=0
    while IFS= read -r line; do
        if [[ $line =~ ^g?make(\[[0-9]+\])?:\ \*\*\*\  ]] ||
            { ((failed)) && [[ $line =~ ^\[\ *[0-9]+%\]\  ]]; }; then
            continue
        fi
        [[ $line =~ :[0-9]+: ]] && failed=1
        printf '%s\n' "$line"
    done
}
exit "${PIPESTATUS[0]}"
