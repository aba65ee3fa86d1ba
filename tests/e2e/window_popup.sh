#!/usr/bin/env bash
# The popup menu: its items, checks, enabled states and picks.
set -uo pipefail
root=${1:?usage: window_popup.sh REPO_ROOT}
source "$root/tests/e2e/lib/simhost.bash"
e2e_setup "$root" window_popup || exit 1
e2e_samples && e2e_skins || exit 1
e2e_scenario window_popup || exit 1
echo "window_popup: passed"
