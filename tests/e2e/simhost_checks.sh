#!/usr/bin/env bash
# The simulated host's checks on what a window shows (pixel counts, bitmap comparison,
# layered alpha) and its object counts hold on its own windows, and a region that differs
# from the bitmap fails the run. The checks of long runs (responsiveness, flat counts and
# memory, time-boxed steps) hold on the host alone, and a stall or a leak fails them.
set -uo pipefail
root=${1:?usage: simhost_checks.sh REPO_ROOT}
source "$root/tests/e2e/lib/simhost.bash"
e2e_setup "$root" simhost_checks || exit 1

e2e_scenario simhost_checks || exit 1
# Under Wine the system keeps no GDI counts; the host must have found them elsewhere.
grep -qE -- '-- objects GDI [1-9][0-9]*( \([^)]*\))?, USER [1-9][0-9]*, private [1-9]' \
  "$E2E_DIR/simhost.log" ||
  e2e_fail "the host counted no GDI or USER objects or no private memory" || exit 1

e2e_setup "$root" simhost_soak_checks || exit 1
e2e_scenario simhost_soak_checks || exit 1
grep -q -- '-- steps: 2 ran in .* (the time was up)' "$E2E_DIR/simhost.log" ||
  e2e_fail "the time box did not end after two steps" || exit 1

# expect_failure NAME TEXT: the scenario ends with status 1 and says TEXT.
expect_failure() {
  local status=0
  e2e_setup "$root" "$1" || return 1
  e2e_run "$root/tests/e2e/scenarios/$1.txt" || status=$?
  [ "$status" -eq 1 ] || e2e_fail "$1 gave status $status, not 1" || return 1
  grep -qE -- "$2" "$E2E_DIR/output.txt" || e2e_fail "$1 does not say: $2" || return 1
  if grep -q 'must not run' "$E2E_DIR/output.txt"; then e2e_fail "$1 went on"; return 1; fi
}
expect_failure simhost_stall_failure \
  'FAIL line 5: expect-responsive 1000: the host.s thread went 1[4-9][0-9][0-9] ms .*\(in step 1 stalls\)' ||
  exit 1
expect_failure simhost_leak_failure 'FAIL line 6: expect-gdi-count 8 1024: objects were' || exit 1
# Twenty menus more, and at least the 4 MiB that were touched.
read -r user0 kib0 user1 kib1 < <(sed -n \
  's/.*USER \([0-9]*\), private \([0-9]*\) KiB, now GDI .*USER \([0-9]*\), private \([0-9]*\) KiB.*/\1 \2 \3 \4/p' \
  "$E2E_DIR/output.txt")
[ "$((user1 - user0))" -eq 20 ] && [ "$((kib1 - kib0))" -ge 4096 ] ||
  e2e_fail "the leak was counted as USER $user0 -> $user1, $kib0 -> $kib1 KiB" || exit 1

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
