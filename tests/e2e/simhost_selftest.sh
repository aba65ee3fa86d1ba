#!/usr/bin/env bash
# The simulated host itself: its answers, playback, windows and log hold, and a failed
# expectation fails the run, so a passing scenario means something.
set -uo pipefail
root=${1:?usage: simhost_selftest.sh REPO_ROOT}
source "$root/tests/e2e/lib/simhost.bash"
e2e_setup "$root" simhost_selftest || exit 1

e2e_run "$root/tests/e2e/scenarios/simhost_selftest.txt" || e2e_fail "the self test failed" || exit 1
grep -q '^ *[0-9]* ms  command 40046  \[paused' "$E2E_DIR/simhost.log" ||
  e2e_fail "the log lacks the pause command with the host's state" || exit 1

e2e_setup "$root" simhost_failure || exit 1
status=0
e2e_run "$root/tests/e2e/scenarios/simhost_failure.txt" || status=$?
[ "$status" -eq 1 ] || e2e_fail "a failed expectation gave status $status, not 1" || exit 1
grep -q 'FAIL line 4: expect-state playing: the host is stopped' "$E2E_DIR/output.txt" ||
  e2e_fail "the failure message does not name the line and the cause" || exit 1
if grep -q 'must not run' "$E2E_DIR/output.txt"; then
  e2e_fail "the run went on after a failure"; exit 1
fi
echo "simhost_selftest: passed"
