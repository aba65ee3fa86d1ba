#!/usr/bin/env bash
# The real plug-in in a host that answers the skin and entry-path requests with numbers
# instead of addresses, and that resizes the plug-in's window below its limits from
# outside: the plug-in neither crashes the host nor lets go of its size limits.
set -uo pipefail
root=${1:?usage: unusual_host.sh REPO_ROOT}
source "$root/tests/e2e/lib/simhost.bash"
e2e_setup "$root" unusual_host || exit 1

e2e_test_host unusual_host || exit 1
echo "unusual_host: passed"
