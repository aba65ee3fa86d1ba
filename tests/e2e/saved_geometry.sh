#!/usr/bin/env bash
# The window's saved place, size and state are restored, an off-screen place is brought
# back on screen when the skin loads and clamped when it is saved, and a small hidden
# window comes back small and hidden.
set -uo pipefail
root=${1:?usage: saved_geometry.sh REPO_ROOT}
source "$root/tests/e2e/lib/simhost.bash"
e2e_setup "$root" saved_geometry || exit 1
e2e_skins || exit 1
e2e_scenario saved_geometry || exit 1
echo "saved_geometry: passed"
