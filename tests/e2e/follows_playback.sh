#!/usr/bin/env bash
# The playback monitor follows the host across a track boundary and steers it by the
# play mode: no seek into a playable next track, back to the start in repeat single, over
# an excluded track in normal play, round to the first track in repeat album.
set -uo pipefail
root=${1:?usage: follows_playback.sh REPO_ROOT}
source "$root/tests/e2e/lib/simhost.bash"
e2e_setup "$root" follows_playback || exit 1
e2e_samples || exit 1
e2e_scenario follows_playback || exit 1
echo "follows_playback: passed"
