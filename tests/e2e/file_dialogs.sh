#!/usr/bin/env bash
# The file information dialog, extraction and unpacking on the real plug-in.
set -uo pipefail
root=${1:?usage: file_dialogs.sh REPO_ROOT}
source "$root/tests/e2e/lib/simhost.bash"
e2e_setup "$root" file_info || exit 1
e2e_samples || exit 1
e2e_scenario file_info || exit 1

e2e_setup "$root" extract_unpack || exit 1
e2e_samples || exit 1
member="03 Morning Drive.mp3"
mkdir -p "$E2E_DIR/out" "$E2E_DIR/blocked/$member"
echo "an older file of that name" >"$E2E_DIR/out/$member"
e2e_scenario extract_unpack || exit 1
# The saved file is the member's stored bytes, the album's byte range, and nothing else.
python3 - "$E2E_DIR/sampler.zip" "Varimo Sampler/$member" "$E2E_DIR/out/$member" <<'PY' ||
import sys, zipfile
album, name, saved = sys.argv[1:]
with zipfile.ZipFile(album) as z:
    sys.exit(0 if z.read(name) == open(saved, "rb").read() else 1)
PY
  e2e_fail "the extracted file differs from the member" || exit 1
[ "$(ls "$E2E_DIR/out")" = "$member" ] || e2e_fail "out holds: $(ls "$E2E_DIR/out")" || exit 1

# The unpack program in a folder with a blank in its name, a decoy beside that folder.
e2e_setup "$root" unpack_path_blank || exit 1
e2e_samples || exit 1
mkdir -p "$E2E_DIR/Music Pack"
cp "$E2E_DIR/standin_unpack.exe" "$E2E_DIR/Music Pack/MP3on3.exe"
cp "$E2E_DIR/standin_unpack.exe" "$E2E_DIR/Music.exe"
e2e_scenario unpack_path_blank || exit 1
[ ! -e "$E2E_DIR/standin_unpack.txt" ] ||
  e2e_fail "the decoy ran: $(cat "$E2E_DIR/standin_unpack.txt")" || exit 1
echo "file_dialogs: passed"
