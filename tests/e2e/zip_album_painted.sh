#!/usr/bin/env bash
# A ZIP album playing in the built-in skin: list background, the current, an ordinary and
# an excluded row, the selection bar, the time display and the frame pieces as the
# built-in bitmap has them.
set -uo pipefail
root=${1:?usage: zip_album_painted.sh REPO_ROOT}
source "$root/tests/e2e/lib/simhost.bash"
e2e_setup "$root" zip_album_painted || exit 1
e2e_samples && e2e_skins || exit 1
e2e_scenario zip_album_painted || exit 1
echo "zip_album_painted: passed"
