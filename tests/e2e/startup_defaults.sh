#!/usr/bin/env bash
# Start-up without a settings file: hidden until the first tick, shown at the default
# place and size, the defaults written at the unloading; with VisibleChk the window waits
# for an album file; an empty playlist lets a later album load with the host's main window
# hidden.
set -uo pipefail
root=${1:?usage: startup_defaults.sh REPO_ROOT}
source "$root/tests/e2e/lib/simhost.bash"
e2e_setup "$root" startup_defaults || exit 1
e2e_skins || exit 1
e2e_scenario startup_defaults || exit 1

e2e_setup "$root" startup_hidden_until_album || exit 1
e2e_samples || exit 1
e2e_scenario startup_hidden_until_album || exit 1

e2e_setup "$root" startup_empty_playlist || exit 1
e2e_samples || exit 1
e2e_scenario startup_empty_playlist || exit 1
echo "startup_defaults: passed"
