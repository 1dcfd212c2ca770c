#!/usr/bin/env bash
# with-xvfb.sh COMMAND...: runs COMMAND with DISPLAY set to a private Xvfb
# server (1280 x 1024, 24 bits) that is stopped again when COMMAND ends.
set -uo pipefail

scratch=$(mktemp -d)
# -noreset: by default the server resets whenever its last client leaves, and
# a program that connects during the reset fails to open the display.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$scratch/display" \
    >"$scratch/xvfb.log" 2>&1 &
xvfb=$!
stop() {
    kill "$xvfb" 2>/dev/null
    wait "$xvfb" 2>/dev/null
    rm -rf "$scratch"
}
trap stop EXIT

# Xvfb writes its display number once it accepts connections.
for _ in $(seq 200); do
    [[ -s "$scratch/display" ]] && break
    kill -0 "$xvfb" 2>/dev/null || break
    sleep 0.05
done
if [[ ! -s "$scratch/display" ]]; then
    echo "with-xvfb.sh: Xvfb did not start:" >&2
    cat "$scratch/xvfb.log" >&2
    exit 1
fi
export DISPLAY=":$(head -n 1 "$scratch/display")"
"$@"
