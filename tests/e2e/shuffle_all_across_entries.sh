#!/usr/bin/env bash
# Shuffle all moves the host from one album file to another near a track's end: shuffle
# and repeat on, next entry, paused until a track of the new album is picked, then a jump
# to that track and playback resumed, in that order; a plain file on the way plays on
# and the move stays pending until an album comes up.
set -uo pipefail
root=${1:?usage: shuffle_all_across_entries.sh REPO_ROOT}
source "$root/tests/e2e/lib/simhost.bash"
e2e_setup "$root" shuffle_all_across_entries || exit 1
e2e_samples || exit 1
e2e_scenario shuffle_all_across_entries || exit 1

# The scenario's checks wait for each request; the order they came in is the log's. Two
# moves: between two albums, and from an album over a plain file back to an album (which
# the host brings on playing, so the plug-in pauses it before picking).
expected='ipc 252 1
ipc 253 1
command 40048
command 40046
ipc 106 39000
command 40046
ipc 252 1
ipc 253 1
command 40048
command 40046
command 40045
command 40046
ipc 106 55091
command 40046'
actual=$(awk '$2 == "ms" && $3 == "ipc" && ($4 == 252 || $4 == 253 || $4 == 106) {
                print "ipc", $4, substr($5, 5); next }
              $2 == "ms" && $3 == "command" && $4 >= 40044 && $4 <= 40048 { print "command", $4 }' \
  "$E2E_DIR/simhost.log")
if [ "$actual" != "$expected" ]; then
  e2e_fail "the host's requests came in another order"
  diff <(echo "$expected") <(echo "$actual")
  exit 1
fi
echo "shuffle_all_across_entries: passed"
