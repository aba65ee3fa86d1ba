#!/usr/bin/env bash
# The simulated host itself: its answers, playback, windows and log hold, and a failed
# expectation fails the run, so a passing scenario means something. Then its driving of
# modal things, proved on windows it raises itself: popup menus, message boxes, a dialog
# of standard controls, the shell's folder browser and open-file dialog, the stand-in
# unpack program, the pointer step by step, keys, activations and hot keys.
set -uo pipefail
root=${1:?usage: simhost_selftest.sh REPO_ROOT}
source "$root/tests/e2e/lib/simhost.bash"
e2e_setup "$root" simhost_selftest || exit 1

e2e_run "$root/tests/e2e/scenarios/simhost_selftest.txt" || e2e_fail "the self test failed" || exit 1
grep -q '^ *[0-9]* ms  command 40046  \[paused' "$E2E_DIR/simhost.log" ||
  e2e_fail "the log lacks the pause command with the host's state" || exit 1

# expect_failure NAME STATUS-TEXT...: the scenario must end with status 1 and the message.
expect_failure() {
  local name=$1 message=$2 status=0
  e2e_setup "$root" "$name" || return 1
  e2e_run "$root/tests/e2e/scenarios/$name.txt" || status=$?
  [ "$status" -eq 1 ] || e2e_fail "$name gave status $status, not 1" || return 1
  grep -qF -- "$message" "$E2E_DIR/output.txt" ||
    e2e_fail "$name does not say: $message" || return 1
  if grep -q 'must not run' "$E2E_DIR/output.txt"; then
    e2e_fail "$name went on after a failure"; return 1
  fi
}

expect_failure simhost_failure 'FAIL line 4: expect-state playing: the host is stopped' || exit 1

for name in simhost_popup simhost_message_boxes simhost_dialog simhost_shell_dialogs simhost_input; do
  e2e_setup "$root" "$name" || exit 1
  e2e_scenario "$name" || exit 1
done

# The menu's listing in the log, as the watcher wrote it when the menu opened.
e2e_setup "$root" simhost_popup_log || exit 1
cp "$root/tests/e2e/scenarios/simhost_popup.txt" "$E2E_DIR/"
e2e_run "$E2E_DIR/simhost_popup.txt" || e2e_fail "the popup scenario failed" || exit 1
for line in '  4 "ﾉｰﾏﾙ" id=5011 enabled radio-checked' '      2 "LHA" id=5032 disabled' \
  '  9 "ANSI項目" id=5051 enabled' '  2 "一時停止" [X] id=5002 grayed'; do
  grep -qF -- "$line" "$E2E_DIR/simhost.log" ||
    e2e_fail "the popup's listing lacks: $line" || exit 1
done
[ -s "$E2E_DIR/popup.png" ] || e2e_fail "no screenshot of the open menu" || exit 1

expect_failure simhost_modal_failure \
  'FAIL line 6: expect-note "a note nobody wrote": no log line holds "a note nobody wrote" since the mark' ||
  exit 1
expect_failure simhost_modal_left_open 'a modal loop still runs' || exit 1
expect_failure simhost_captions_failure \
  'FAIL line 14: expect-captions-fit: 1 text(s) do not fit, the first: SysListView32 id=201 cell 1,1 "a code much wider than its column"' ||
  exit 1
echo "simhost_selftest: passed"
