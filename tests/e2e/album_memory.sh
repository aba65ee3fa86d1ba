#!/usr/bin/env bash
# The albums' memory on the real plug-in: exclusions that stay with their album while the
# host moves between albums and across a reload, resume at the place an album was left (a cue
# album at 1:10 into its third track), a garbled store set aside, nothing of it at all with
# the options off, and the options switched on and off in the options dialog.
set -uo pipefail
root=${1:?usage: album_memory.sh REPO_ROOT}
source "$root/tests/e2e/lib/simhost.bash"
e2e_setup "$root" album_memory || exit 1
e2e_samples || exit 1
store=$E2E_DIR/Plugins/gen_Varimo.albums

e2e_scenario album_memory || exit 1
# The one seek into the long cue album (entry 3) is the resume, at 1:10 into its third track
# (40000 ms + 70000 ms) or the little the host played on before it was left.
seeks=$(grep -a 'ipc 106 arg=.*entry 3 ' "$E2E_DIR/simhost.log" | sed 's/.*ipc 106 arg=\([0-9]*\).*/\1/')
[ "$(echo "$seeks" | wc -w)" = 1 ] && [ "$seeks" -ge 110000 ] && [ "$seeks" -le 112000 ] ||
  e2e_fail "the long cue album resumed by seeking to '${seeks//$'\n'/ }', not 110000..112000" || exit 1
echo "album_memory: the long cue album resumed at $seeks ms"

# A garbled store: set aside under .bad, byte for byte, and a fresh one written.
rm -f "$store" "$store.bad"
printf 'garbage \001\002\377\r\n[Album]\r\nPath=\r\n' >"$store.garbled"
cp "$store.garbled" "$store"
e2e_scenario album_memory_garbled || exit 1
cmp -s "$store.garbled" "$store.bad" || e2e_fail "the garbled store was not set aside" || exit 1
grep -q 'sampler.zip' "$store" ||
  e2e_fail "no fresh store after the garbled one" || exit 1

# Both options off: no store file appears.
rm -f "$store" "$store.bad" "$store.garbled"
e2e_scenario album_memory_off || exit 1
[ ! -e "$store" ] || e2e_fail "a store file appeared with the options off" || exit 1
[ ! -e "$store.bad" ] || e2e_fail "a set-aside store appeared with the options off" || exit 1
# Switched on and off in the options dialog, as a user does.
rm -f "$store" "$store.bad"
e2e_scenario album_memory_dialog || exit 1
echo "album_memory: passed"
