#!/usr/bin/env bash
# The real plug-in loads, initialises, quits and unloads twice in one host process, and
# the host reads the same record each time.
set -uo pipefail
root=${1:?usage: load_unload.sh REPO_ROOT}
source "$root/tests/e2e/lib/simhost.bash"
e2e_setup "$root" load_unload || exit 1

e2e_run "$root/tests/e2e/scenarios/load_unload.txt" || e2e_fail "the scenario failed" || exit 1
record='plugin record version=16 description="Varimo Ver1.62 [gen_Varimo.dll]"'
count=$(grep -cF -- "$record" "$E2E_DIR/simhost.log")
[ "$count" -eq 2 ] || e2e_fail "expected the record read twice, found $count" || exit 1
inits=$(grep -c -- '-- plugin init returned 0$' "$E2E_DIR/simhost.log")
[ "$inits" -eq 2 ] || e2e_fail "expected init to return 0 twice, found $inits" || exit 1
echo "load_unload: passed"
