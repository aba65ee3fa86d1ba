#!/usr/bin/env bash
# The options dialog on the real plug-in: its pages, Apply and OK, the up-downs, the
# transparency, and the hot-key and format lists edited in place.
set -uo pipefail
root=${1:?usage: options_dialog.sh REPO_ROOT}
source "$root/tests/e2e/lib/simhost.bash"
e2e_setup "$root" options_dialog || exit 1
e2e_samples || exit 1
e2e_scenario options_dialog || exit 1
e2e_setup "$root" options_lists || exit 1
e2e_samples || exit 1
e2e_scenario options_lists || exit 1
echo "options_dialog: passed"
