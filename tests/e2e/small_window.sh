#!/usr/bin/env bash
# The small window: 14 pixels high, its end pieces from the skin, the current track's
# line and time in skin glyphs, following playback; the normal height is kept.
set -uo pipefail
root=${1:?usage: small_window.sh REPO_ROOT}
source "$root/tests/e2e/lib/simhost.bash"
e2e_setup "$root" small_window || exit 1
e2e_samples && e2e_skins || exit 1
e2e_scenario small_window || exit 1
echo "small_window: passed"
