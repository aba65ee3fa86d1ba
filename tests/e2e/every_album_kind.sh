#!/usr/bin/env bash
# The host plays a Pack, an LHA and a Cue album file in turn from one playlist: the
# window shows each album's tracks, starts each at its first row, and follows playback
# across a track boundary at the times the native reader gives for that album.
set -uo pipefail
root=${1:?usage: every_album_kind.sh REPO_ROOT}
source "$root/tests/e2e/lib/simhost.bash"
e2e_setup "$root" every_album_kind || exit 1
e2e_samples || exit 1

native=${VARIMO_E2E_NATIVE:-$E2E_ROOT/build}
ninja -C "$native" -j2 varimo >/dev/null || { echo "e2e: cannot build varimo"; exit 1; }

# seek_before_end FILE INDEX: a position 700 ms before the end of track INDEX, as the
# native reader times the album; fails unless the album has the six sample tracks the
# scenario's row checks expect.
seek_before_end() {
  "$native/tools/varimo/varimo" list --json "$E2E_DIR/$1" | python3 -c '
import json, sys
tracks = json.load(sys.stdin)["tracks"]
if len(tracks) != 6:
    sys.exit("expected 6 tracks, found %d" % len(tracks))
t = tracks[int(sys.argv[1])]
print(t["startMs"] + t["lengthMs"] - 700)' "$2"
}
PACK_SEEK=$(seek_before_end sampler.pack.mp3 2) &&
  LHA_SEEK=$(seek_before_end sampler.lzh 0) &&
  CUE_SEEK=$(seek_before_end sampler.cue.mp3 4) || { echo "e2e: cannot time the samples"; exit 1; }
export PACK_SEEK LHA_SEEK CUE_SEEK

e2e_scenario every_album_kind || exit 1
echo "every_album_kind: passed"
