#!/usr/bin/env bash
# run.sh BUILD-DIR: starts cgdemo beside its texture. Without a display it runs
# under a private Xvfb, saves a screenshot to BUILD-DIR/cgdemo.png and stops.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-build}" && pwd)

if [[ -n "${DISPLAY:-}" ]]; then
    cd "$root/assets"
    exec "$build/cgdemo"
fi
echo "No DISPLAY: running cgdemo on a virtual X server for a screenshot."
exec "$root/tools/with-xvfb.sh" python3 "$root/tools/headless_run.py" "$build"
