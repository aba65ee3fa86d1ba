#!/usr/bin/env bash
# The host's configure call opens the options dialog "設定" over the host, modal, with the
# monitor running; OK writes the options and gives the host its windows back.
set -uo pipefail
root=${1:?usage: options_config.sh REPO_ROOT}
source "$root/tests/e2e/lib/simhost.bash"
e2e_setup "$root" options_config || exit 1

e2e_test_host config_host || exit 1
echo "options_config: passed"
