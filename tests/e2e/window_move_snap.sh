#!/usr/bin/env bash
# Moving the window with snapping and docking, following the host, and a real minimise.
set -uo pipefail
root=${1:?usage: window_move_snap.sh REPO_ROOT}
source "$root/tests/e2e/lib/simhost.bash"
e2e_setup "$root" window_move_snap || exit 1
e2e_samples || exit 1
e2e_scenario window_move_snap || exit 1
echo "window_move_snap: passed"
