#!/usr/bin/env bash
# install-deps.sh GROUP...: installs the Debian packages listed in
# tools/deps/GROUP.txt for each GROUP (run, test, ...), asking apt only for
# those that are missing. Without apt-get it names the packages and fails.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)

if [[ $# -eq 0 ]]; then
    groups=$(cd "$here/deps" && ls ./*.txt | sed 's|^\./||; s|\.txt$||' | paste -sd ' ')
    echo "usage: install-deps.sh GROUP... (groups: $groups)" >&2
    exit 2
fi

packages=()
for group in "$@"; do
    list="$here/deps/$group.txt"
    if [[ ! -f "$list" ]]; then
        echo "install-deps.sh: no package group '$group' (no $list)" >&2
        exit 2
    fi
    # One package a line; '#' starts a comment.
    while read -r package; do
        [[ -n "$package" ]] && packages+=("$package")
    done < <(sed 's/#.*//' "$list")
done

needs() {
    echo "install-deps.sh: $1. Install these Debian packages, or your system's" >&2
    echo "equivalents, and run the command again:" >&2
    echo "    ${packages[*]}" >&2
    exit 1
}
if ! command -v apt-get >/dev/null || ! command -v dpkg-query >/dev/null; then
    needs "this system has no apt-get"
fi

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
    command -v sudo >/dev/null || needs "installing needs root or sudo, and there is no sudo"
    sudo=(sudo)
fi
apt=("${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=600)
"${apt[@]}" update </dev/null
"${apt[@]}" install -y --no-install-recommends "${missing[@]}" </dev/null
