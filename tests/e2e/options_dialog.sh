#!/usr/bin/env bash
# The options dialog on the real plug-in: its pages, Apply and OK, the up-downs, the
# transparency, the hot-key and format lists edited in place, and a registration failure's
# message holding the dialog behind it.
set -uo pipefail
root=${1:?usage: options_dialog.sh REPO_ROOT}
source "$root/tests/e2e/lib/simhost.bash"
e2e_setup "$root" options_dialog || exit 1
e2e_samples || exit 1
e2e_scenario options_dialog || exit 1
e2e_setup "$root" options_lists || exit 1
e2e_samples || exit 1
e2e_scenario options_lists || exit 1
e2e_setup "$root" apply_message_box || exit 1
e2e_samples || exit 1
e2e_scenario apply_message_box || exit 1
echo "options_dialog: passed"
