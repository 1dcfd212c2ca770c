#!/usr/bin/env bash
# check_links_test.sh SOURCE-DIR: the links of the project's README.md and
# docs/ all work, and the checker does find a missing file and a missing heading.
set -euo pipefail
root=$(cd "${1:?usage: check_links_test.sh SOURCE-DIR}" && pwd)
check="$root/tools/check_links.py"
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

python3 "$check" "$root"

# A page with a good link of each kind and two broken ones.
mkdir "$scratch/docs"
cat >"$scratch/README.md" <<'PAGE'
# Title

See [the guide](docs/guide.md#the-error-box), [`make` it](#title) and
[nothing](docs/missing.md).

    [code is not a link](nowhere.md)
PAGE
cat >"$scratch/docs/guide.md" <<'PAGE'
## The "Error" box

[Back](../README.md#no-such-heading) [web](https://example.org/x)
PAGE
if python3 "$check" "$scratch" 2>"$scratch/out"; then
    echo "FAILED: broken links accepted" >&2
    exit 1
fi
expected="$scratch/README.md:4: link \"docs/missing.md\": no file $scratch/docs/missing.md
$scratch/docs/guide.md:3: link \"../README.md#no-such-heading\": no heading #no-such-heading in $scratch/README.md"
if [[ "$(cat "$scratch/out")" != "$expected" ]]; then
    printf 'FAILED: Expected\n%s\nObserved\n%s\n' "$expected" "$(cat "$scratch/out")" >&2
    exit 1
fi
