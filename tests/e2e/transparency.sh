#!/usr/bin/env bash
# The Transparence setting sets the window's layered opacity: 50 % is alpha 127, off and
# 100 % are alpha 255.
set -uo pipefail
root=${1:?usage: transparency.sh REPO_ROOT}
source "$root/tests/e2e/lib/simhost.bash"
e2e_setup "$root" transparency || exit 1
e2e_scenario transparency || exit 1
echo "transparency: passed"
