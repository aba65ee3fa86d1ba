#!/usr/bin/env bash
# A skin change in the host reaches the running plug-in: frame, colours and glyphs of the
# test skin, then the built-in skin again.
set -uo pipefail
root=${1:?usage: skin_change.sh REPO_ROOT}
source "$root/tests/e2e/lib/simhost.bash"
e2e_setup "$root" skin_change || exit 1
e2e_samples && e2e_skins || exit 1
e2e_scenario skin_change || exit 1
echo "skin_change: passed"
