#!/usr/bin/env bash
# The albums' memory on the real plug-in: exclusions that stay with their album while the
# host moves between albums and across a reload, resume at the place an album was left, a
# garbled store set aside, and nothing of it at all with the options off.
set -uo pipefail
root=${1:?usage: album_memory.sh REPO_ROOT}
source "$root/tests/e2e/lib/simhost.bash"
e2e_setup "$root" album_memory || exit 1
e2e_samples || exit 1
store=$E2E_DIR/Plugins/gen_Varimo.albums

e2e_scenario album_memory || exit 1

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
echo "album_memory: passed"
