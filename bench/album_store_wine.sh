#!/usr/bin/env bash
# Measures under Wine, on the cross-built libraries, keeping one album with a thousand kept
# (see win32_album_store_timing.cpp). Prints the numbers; fails only when a step fails.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/wine_build"
wine_build_env "$root"
build=$VARIMO_E2E_WIN32
work=$build/bench-album-store
mkdir -p "$work"
ninja -C "$build" -j2 varimo_core varimo_platform >/dev/null
"$VARIMO_E2E_CXX" -std=c++17 -O2 -Wall -Wextra -Werror -static -DWIN32_LEAN_AND_MEAN -DNOMINMAX \
  -D_WIN32_WINNT=0x0501 -I"$root/src" -o "$work/album_store.exe" \
  "$root/bench/win32_album_store_timing.cpp" "$build/libvarimo_platform.a" "$build/libvarimo_core.a" \
  -luser32 -lgdi32 -lcomctl32 -lcomdlg32 -lshell32 -lole32
cd "$work"
WINEDEBUG=-all LANG=ja_JP.UTF-8 WINEPREFIX="$build/wineprefix" wine album_store.exe
