#!/usr/bin/env bash
# The bottom panel's buttons, the position bar, the small window, closing and the host-menu item, F1.
set -uo pipefail
root=${1:?usage: window_buttons.sh REPO_ROOT}
source "$root/tests/e2e/lib/simhost.bash"
e2e_setup "$root" window_buttons || exit 1
e2e_samples && e2e_skins || exit 1
e2e_scenario window_buttons || exit 1
echo "window_buttons: passed"
