#!/usr/bin/env bash
# The host moves between album files and a plain file: with VisibleChk the window hides
# on the plain file and comes back with the next album; without it the window stays up
# with an empty list. Each album reached starts at its first row, and the settings file
# keeps the current track and the exclusions of the album the host was at last.
set -uo pipefail
root=${1:?usage: entry_switching.sh REPO_ROOT}
source "$root/tests/e2e/lib/simhost.bash"
e2e_setup "$root" entry_switching || exit 1
e2e_samples || exit 1

# trio.zip: a shorter album than the samples, three stored copies of plain.mp3 (15 s
# each) with ID3v1 tags, so the saved exclusion string and a selection left over from a
# longer album have something to differ from.
(cd "$E2E_DIR" && python3 -c '
import zipfile
audio = open("plain.mp3", "rb").read()
def tag(title):
    field = lambda text, n: text.encode("ascii").ljust(n, b"\0")
    return (b"TAG" + field(title, 30) + field("Trio", 30) + field("Trio Sampler", 30) +
            field("2026", 4) + field("", 30) + bytes([13]))
with zipfile.ZipFile("trio.zip", "w", zipfile.ZIP_STORED) as z:
    for n, title in enumerate(["Uno", "Dos", "Tres"], 1):
        z.writestr("%02d %s.mp3" % (n, title), audio + tag(title))
') || { echo "e2e: cannot write trio.zip"; exit 1; }

e2e_scenario entry_switching || exit 1
echo "entry_switching: passed"
