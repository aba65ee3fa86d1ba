#!/usr/bin/env bash
# Load, play, unload and load again in one host process: both sessions paint and follow
# the album, and each writes the settings file at its unloading only.
set -uo pipefail
root=${1:?usage: load_unload_load.sh REPO_ROOT}
source "$root/tests/e2e/lib/simhost.bash"
e2e_setup "$root" load_unload_load || exit 1
e2e_samples && e2e_skins || exit 1
e2e_scenario load_unload_load || exit 1
inits=$(grep -c -- '-- plugin init returned 0$' "$E2E_DIR/simhost.log")
[ "$inits" -eq 2 ] || e2e_fail "expected init to return 0 twice, found $inits" || exit 1
echo "load_unload_load: passed"
