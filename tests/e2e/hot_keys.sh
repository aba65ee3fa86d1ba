#!/usr/bin/env bash
# Global hot keys, Alt with the show key and the keys typed in the host's windows; hot keys
# kept when the window is closed by Alt+F4; keys typed into text fields left to them.
set -uo pipefail
root=${1:?usage: hot_keys.sh REPO_ROOT}
source "$root/tests/e2e/lib/simhost.bash"
e2e_setup "$root" hot_keys || exit 1
e2e_samples && e2e_skins || exit 1
e2e_scenario hot_keys || exit 1
e2e_setup "$root" close_keeps_hot_keys || exit 1
e2e_samples || exit 1
e2e_scenario close_keeps_hot_keys || exit 1
e2e_setup "$root" typing_in_text_fields || exit 1
e2e_samples || exit 1
e2e_scenario typing_in_text_fields || exit 1
echo "hot_keys: passed"
