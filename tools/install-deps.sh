#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing cgdemo need,
# asking apt only for those that are missing.
set -euo pipefail

packages=(
    build-essential cmake pkg-config
    libglut-dev libgl-dev libglu1-mesa-dev libgl1-mesa-dri libgtk-3-dev libx11-dev
    googletest libgtest-dev
    xvfb xdotool x11-apps x11-utils fonts-ipafont-gothic python3
    clang libclang-rt-14-dev valgrind
)

missing=()
for package in "${packages[@]}"; do
    status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
    if [[ "$status" != "install ok installed" ]]; then
        missing+=("$package")
    fi
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

echo "Installing: ${missing[*]}"
sudo=()
if [[ $(id -u) -ne 0 ]]; then
    sudo=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update </dev/null
"${sudo[@]}" apt-get install -y --no-install-recommends "${missing[@]}" </dev/null
