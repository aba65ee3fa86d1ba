#!/usr/bin/env bash
# The plug-in in English on a system that is not Japanese, back in Japanese by its setting, and
# switched both ways in the options dialog.
set -uo pipefail
root=${1:?usage: english.sh REPO_ROOT}
source "$root/tests/e2e/lib/simhost.bash"
e2e_setup "$root" english || exit 1
e2e_samples && e2e_skins || exit 1
E2E_LANG=en_US.UTF-8 e2e_scenario english || exit 1
# The English menu in its order, items and separators, as popup-list wrote it.
order=$(awk '/line [0-9]+: popup-list/ {on = 1; next} on && /line [0-9]+:/ {exit} on' \
  "$E2E_DIR/simhost.log" | sed -n 's/.* --  *[0-9]* //p' | sed 's/ id=.*//' | tr '\n' '|')
want='"Play" [Enter]|----|"Normal"|"Repeat track"|"Repeat album"|"Shuffle album"|'
want+='"Shuffle all files"|----|"Album info" submenu enabled|"Cue"|"Pack"|"ZIP"|"LHA"|----|'
want+='"Unpack"|"File information" [Alt+3]|"Extract file..."|----|"Options" [Ctrl+P]|'
want+='"Help" [F1]|'
[ "$order" = "$want" ] || e2e_fail "the English popup menu reads $order" || exit 1
E2E_LANG=en_US.UTF-8 e2e_scenario english_hot_key || exit 1
# The language chosen in the options dialog, applied at once, and its key in the file.
E2E_LANG=en_US.UTF-8 e2e_scenario english_switch || exit 1
echo "english: passed"
