#!/usr/bin/env bash
# configure_test.sh SOURCE-DIR: a checkout copied to another folder together
# with its configured build folder, which plain cmake refuses, is configured
# afresh by tools/configure.sh and then builds cgdemo.
set -euo pipefail
root=$(cd "${1:?usage: configure_test.sh SOURCE-DIR}" && pwd)
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

fail() {
    echo "FAILED: $1" >&2
    exit 1
}

# The sources without build folders, configured in place as a user would have.
mkdir "$scratch/first"
tar -C "$root" --exclude='./build*' --exclude=./dist --exclude=./.git -cf - . |
    tar -C "$scratch/first" -xf -
"$scratch/first/tools/configure.sh" "$scratch/first/build" -DCGDEMO_TESTS=OFF \
    >"$scratch/first.log" 2>&1 || { cat "$scratch/first.log"; fail "configuring the original"; }
cp -a "$scratch/first" "$scratch/copy"
copy="$scratch/copy"

# The situation itself: cmake stops on the copied cache.
if cmake -S "$copy" -B "$copy/build" >"$scratch/plain.log" 2>&1; then
    fail "plain cmake accepted a cache made for another folder; this test no longer tests anything"
fi

"$copy/tools/configure.sh" "$copy/build" -DCGDEMO_TESTS=OFF >"$scratch/copy.log" 2>&1 ||
    { cat "$scratch/copy.log"; fail "configure.sh did not configure the copied build folder"; }
grep -q "configuring it afresh" "$scratch/copy.log" ||
    { cat "$scratch/copy.log"; fail "configure.sh did not say it configures afresh"; }
made_for=$(sed -n 's/^CMAKE_HOME_DIRECTORY:INTERNAL=//p' "$copy/build/CMakeCache.txt")
[[ "$made_for" == "$copy" ]] ||
    fail "Expected the cache to name $copy; Observed: $made_for"

# The original build folder is left alone, and a second run keeps the new cache.
grep -q "^CMAKE_HOME_DIRECTORY:INTERNAL=$scratch/first\$" "$scratch/first/build/CMakeCache.txt" ||
    fail "the original build folder's cache changed"
"$copy/tools/configure.sh" "$copy/build" -DCGDEMO_TESTS=OFF >"$scratch/again.log" 2>&1 ||
    { cat "$scratch/again.log"; fail "configuring the copy a second time"; }
! grep -q "configuring it afresh" "$scratch/again.log" ||
    fail "configure.sh threw away a cache made for its own folder"

cmake --build "$copy/build" -j2 --target cgdemo >"$scratch/build.log" 2>&1 ||
    { tail -n 40 "$scratch/build.log"; fail "building cgdemo in the copied checkout"; }
[[ -x "$copy/build/cgdemo" ]] || fail "no cgdemo in the copied build folder"
echo "configure_test.sh: the copied checkout was configured afresh and built cgdemo"
