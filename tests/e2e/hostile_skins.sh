#!/usr/bin/env bash
# Skins that are broken, huge, tiny or odd: the host survives each, the window paints from
# the next candidate, and a sound skin afterwards paints as before.
set -uo pipefail
root=${1:?usage: hostile_skins.sh REPO_ROOT}
source "$root/tests/e2e/lib/simhost.bash"
e2e_setup "$root" hostile_skins || exit 1
e2e_samples && e2e_skins || exit 1
python3 "$root/tests/e2e/skins/make_hostile_skins.py" "$E2E_DIR/hostile" ||
  { echo "e2e: cannot write the hostile skins"; exit 1; }
e2e_scenario hostile_skins || exit 1
echo "hostile_skins: passed"
