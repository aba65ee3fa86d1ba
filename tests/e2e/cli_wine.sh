#!/usr/bin/env bash
# varimo.exe under Wine prints exactly what the native tool prints, for every sample album.
set -euo pipefail
root=${1:-$(pwd)}
work=$root/build/e2e/cli_wine
rm -rf "$work" && mkdir -p "$work"
"$root/build/tests/make_samples" "$work"
source "$root/tests/e2e/lib/simhost.bash"
e2e_wine_build "$root"
win=$VARIMO_E2E_WIN32
export WINEPREFIX=$win/wineprefix WINEDEBUG=-all LANG=ja_JP.UTF-8
native=$root/build/tools/varimo/varimo
exe=$win/tools/varimo/varimo.exe
cd "$work"
wine wineboot -i >/dev/null 2>&1 || true
status=0
for album in sampler.zip sampler.lzh sampler.pack.mp3 sampler.cue.mp3 plain.mp3; do
  for args in "list --json $album" "list $album" "info --json $album 1" "info $album 2"; do
    want=$("$native" $args 2>/dev/null; echo "exit $?")
    got=$(wine "$exe" $args 2>/dev/null; echo "exit $?")
    if [ "$want" != "$got" ]; then
      echo "varimo.exe $args differs from the native tool:"
      diff <(echo "$want") <(echo "$got") | head -n 10 || true
      status=1
    fi
  done
done
# The album export commands: output, messages and exit codes alike.
for args in "cue sampler.cue.mp3" "cue --utf8 sampler.cue.mp3" "cue sampler.zip" \
  "cue --utf8 sampler.lzh" "cue sampler.pack.mp3" "cue plain.mp3" "extract --all plain.mp3 ." \
  "extract --all sampler.cue.mp3 ." "cue" "--version" "--help" "cue --help" "extract --help"; do
  want=$("$native" $args 2>&1; echo "exit $?")
  got=$(wine "$exe" $args 2>&1; echo "exit $?")
  if [ "$want" != "$got" ]; then
    echo "varimo.exe $args differs from the native tool:"
    diff <(echo "$want") <(echo "$got") | head -n 10 || true
    status=1
  fi
done
for album in sampler.zip sampler.lzh sampler.pack.mp3; do
  rm -rf all_native all_exe && mkdir all_native all_exe
  want=$(cd all_native && "$native" extract --all "../$album" out 2>&1; echo "exit $?")
  got=$(cd all_exe && wine "$exe" extract --all "..\\$album" out 2>&1; echo "exit $?")
  if [ "$want" != "$got" ] || [ "${want##*$'\n'}" != "exit 1" ]; then
    echo "extract --all into a missing folder: $want / $got"; status=1
  fi
  mkdir all_native/out all_exe/out
  want=$(cd all_native && "$native" extract --all "../$album" out; echo "exit $?")
  got=$(cd all_exe && wine "$exe" extract --all "..\\$album" out 2>/dev/null; echo "exit $?")
  if [ "$want" != "$got" ] || ! diff -r all_native/out all_exe/out >/dev/null; then
    echo "varimo.exe extract --all $album differs from the native tool:"
    diff <(echo "$want") <(echo "$got") | head -n 10 || true
    diff -r all_native/out all_exe/out | head -n 5 || true
    status=1
  fi
done
"$native" list --json sampler.zip | grep -q '"kind": "ZIP"' || { echo "no ZIP album listed"; status=1; }
mkdir -p native exe
"$native" extract sampler.zip 3 native >/dev/null
wine "$exe" extract sampler.zip 3 exe >/dev/null 2>&1
cmp native/* exe/* || { echo "extracted members differ"; status=1; }
[ $status -eq 0 ] && echo "varimo.exe matches the native tool on every sample album"
exit $status
