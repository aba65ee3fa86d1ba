#!/usr/bin/env bash
# Resizing in tile steps by the grip; the scroll arrows, the wheel and the scroll thumb.
set -uo pipefail
root=${1:?usage: window_resize_scroll.sh REPO_ROOT}
source "$root/tests/e2e/lib/simhost.bash"
e2e_setup "$root" window_resize_scroll || exit 1
e2e_samples && e2e_skins || exit 1
e2e_scenario window_resize_scroll || exit 1
echo "window_resize_scroll: passed"
