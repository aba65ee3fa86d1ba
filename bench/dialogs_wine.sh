#!/usr/bin/env bash
# Measures under Wine, on the cross-built libraries: the file information dialog opening on a
# member of 10,000 frames behind a 2048-byte tag, and the extraction of a 100 MB member
# against the system's copy of the same bytes on the same disk (memory use stays at the
# copy's chunk: see extraction_bench). Prints the numbers; fails only when a step fails.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
# The Windows build the Wine runs use (the 64-bit one where no 32-bit program runs).
source "$root/scripts/wine_build"
wine_build_env "$root"
build=$VARIMO_E2E_WIN32
work=$build/bench-dialogs
mkdir -p "$work/out"
ninja -C "$build" -j2 varimo_core varimo_platform >/dev/null
compiler=$VARIMO_E2E_CXX
for name in file_info extraction; do
  "$compiler" -std=c++17 -O2 -Wall -Wextra -Werror -static -DWIN32_LEAN_AND_MEAN -DNOMINMAX \
    -D_WIN32_WINNT=0x0501 -I"$root/src" -o "$work/$name.exe" "$root/bench/win32_${name}_timing.cpp" \
    "$build/libvarimo_platform.a" "$build/libvarimo_core.a" \
    -luser32 -lgdi32 -lcomctl32 -lcomdlg32 -lshell32 -lole32
done
python3 - "$work" <<'PY'
import os, random, sys, zipfile
work = sys.argv[1]
r = random.Random(5)
def syncsafe(n): return bytes([(n >> 21) & 0x7F, (n >> 14) & 0x7F, (n >> 7) & 0x7F, n & 0x7F])
# MPEG-1 Layer III, 128 kbit/s, 44100 Hz, joint stereo: 417 bytes a frame.
frame = bytes([0xFF, 0xFB, 0x90, 0x44]) + r.randbytes(413)
tag = b"ID3\x03\x00\x00" + syncsafe(2038)
tag += bytes(2048 - len(tag))
v1 = b"TAG" + bytes(125)
with zipfile.ZipFile(os.path.join(work, "tenk.zip"), "w", zipfile.ZIP_STORED) as z:
    z.writestr("Album/member.mp3", tag + frame * 10000 + v1)
big = frame * (100_000_000 // len(frame))
with zipfile.ZipFile(os.path.join(work, "big.zip"), "w", zipfile.ZIP_STORED) as z:
    z.writestr("Album/member.mp3", big)
open(os.path.join(work, "member.bin"), "wb").write(big)
# The members' byte ranges, after their local headers.
for name in ("tenk.zip", "big.zip"):
    with zipfile.ZipFile(os.path.join(work, name)) as z:
        info = z.infolist()[0]
        start = info.header_offset + 30 + len(info.filename) + len(info.extra)
        open(os.path.join(work, name + ".range"), "w").write(f"{start} {start + info.file_size}")
PY
cd "$work"
export WINEDEBUG=-all LANG=ja_JP.UTF-8 WINEPREFIX="$build/wineprefix"
xvfb-run -a -s '-screen 0 1280x1024x24' wine file_info.exe tenk.zip $(cat tenk.zip.range) 2>&1 |
  grep -v '^X connection'
wine extraction.exe big.zip $(cat big.zip.range) member.bin out
