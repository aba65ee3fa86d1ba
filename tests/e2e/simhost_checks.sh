#!/usr/bin/env bash
# The simulated host's checks on what a window shows (pixel counts, bitmap comparison,
# layered alpha) and its object counts hold on its own windows, and a region that differs
# from the bitmap fails the run.
set -uo pipefail
root=${1:?usage: simhost_checks.sh REPO_ROOT}
source "$root/tests/e2e/lib/simhost.bash"
e2e_setup "$root" simhost_checks || exit 1

e2e_scenario simhost_checks || exit 1
# Under Wine the system keeps no GDI counts; the host must have found them elsewhere.
grep -q -- '-- objects GDI [1-9]' "$E2E_DIR/simhost.log" ||
  e2e_fail "the host counted no GDI objects" || exit 1

e2e_setup "$root" simhost_checks_failure || exit 1
status=0
e2e_run "$root/tests/e2e/scenarios/simhost_checks_failure.txt" || status=$?
[ "$status" -eq 1 ] || e2e_fail "a differing region gave status $status, not 1" || exit 1
grep -q 'FAIL line 6: expect-bitmap.*pixels differ; the first at (0, 0) is 5C5C8C' \
  "$E2E_DIR/output.txt" || e2e_fail "the failure does not say where the region differs" || exit 1
if grep -q 'must not run' "$E2E_DIR/output.txt"; then
  e2e_fail "the run went on after a failure"; exit 1
fi
echo "simhost_checks: passed"
