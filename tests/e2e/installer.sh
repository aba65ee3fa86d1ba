#!/usr/bin/env bash
# The release's installer under Wine, in a Wine prefix of its own: a silent install into the
# host folder its registry key names puts exactly the plug-in's two files there; a second
# install, found through the host's uninstall entry, keeps the user's settings file; a folder
# without the host and a running host are refused; the uninstaller removes the two files and
# keeps the settings; the first page is captured in Japanese and in English.
set -euo pipefail
root=$(cd "${1:-$(pwd)}" && pwd)
source "$root/tests/e2e/lib/simhost.bash"
e2e_wine_build "$root"
# The Wine runs' build: its simulated host stands in for the host program. Where no 32-bit
# program runs, the same installer script is made as a 64-bit program and tried instead;
# the files it installs are the release's all the same.
wbuild=$VARIMO_E2E_WIN32
target=x86-unicode
[ "$VARIMO_WINE_32BIT" = 1 ] || target=amd64-unicode
work=$wbuild/e2e/installer
if [ -z "${VARIMO_INSTALLER_XVFB:-}" ]; then
  rm -rf "$work" && mkdir -p "$work"
  DIST=$work/dist NSIS_TARGET=$target bash "$root/scripts/package" >"$work/package.log" 2>&1 ||
    { tail -n 20 "$work/package.log"; echo "installer: scripts/package failed"; exit 1; }
  ninja -C "$wbuild" -j2 simhost >/dev/null ||
    { echo "installer: cannot build simhost.exe"; exit 1; }
  # A fresh prefix: the shared one, copied, or a new one when the tests have made none yet.
  if [ -f "$wbuild/wineprefix/system.reg" ]; then
    cp -a "$wbuild/wineprefix" "$work/prefix"
  fi
  VARIMO_INSTALLER_XVFB=1 exec xvfb-run -a -s '-screen 0 1280x1024x24' bash "$0" "$root"
fi

export WINEPREFIX=$work/prefix WINEDEBUG=-all LANG=ja_JP.UTF-8 WINEDLLOVERRIDES='mscoree,mshtml='
wine wineboot -u >/dev/null 2>&1 || true
wineserver -w
setup=$(ls "$work"/dist/Varimo-*-setup.exe)
failures=0
fail() { echo "installer: $*"; failures=$((failures + 1)); }
winpath() { local p=${1//\//\\}; echo "Z:$p"; }
host_key='HKCU\Software\Winamp'
host_uninstall='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Winamp'
own_uninstall='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Varimo'
reg_value() { wine reg query "$1" /v "$2" 2>/dev/null | tr -d '\r' | sed -n "s/^ *$2 *REG_[A-Z_]* *//p"; }
# wine returns when the installer has ended; wineserver -w would also wait for a running host.
install() { local status=0; wine "$setup" /S "$@" >/dev/null 2>&1 || status=$?; return $status; }
listing() { (cd "$1" && find . -type f | sort | tr '\n' ' '); }

# A host folder as the host's installer leaves it, another plug-in beside ours.
host="$work/hosts/My Winamp"
mkdir -p "$host/Plugins"
cp "$wbuild/simhost.exe" "$host/winamp.exe"
echo other >"$host/Plugins/gen_other.dll"
wine reg add "$host_key" /ve /d "$(winpath "$host")" /f >/dev/null 2>&1

install || fail "the silent install failed with status $?"
want='./Plugins/gen_Varimo.dll ./Plugins/gen_Varimo.en.htm ./Plugins/gen_Varimo.htm ./Plugins/gen_other.dll ./winamp.exe '
[ "$(listing "$host")" = "$want" ] || fail "after the install the host folder holds $(listing "$host")"
cmp -s "$host/Plugins/gen_Varimo.dll" "$root/build-win32/gen_Varimo.dll" || fail "a different DLL"
cmp -s "$host/Plugins/gen_Varimo.htm" "$root/resources/gen_Varimo.htm" || fail "a different page"
cmp -s "$host/Plugins/gen_Varimo.en.htm" "$root/resources/gen_Varimo.en.htm" ||
  fail "a different English page"
[ "$(reg_value "$own_uninstall" InstallLocation)" = "$(winpath "$host")" ] ||
  fail "the uninstall entry names '$(reg_value "$own_uninstall" InstallLocation)'"
[ "$(reg_value "$own_uninstall" DisplayName)" = "Varimo 1.62 (Winamp plug-in)" ] ||
  fail "the uninstall entry is named '$(reg_value "$own_uninstall" DisplayName)'"
uninstaller=$(reg_value "$own_uninstall" UninstallString | tr -d '"')
[ -n "$uninstaller" ] && [ -f "$(wine winepath -u "$uninstaller" 2>/dev/null)" ] ||
  fail "no uninstaller at '$uninstaller'"

# The second install finds the host through its uninstall entry alone, replaces the plug-in
# and keeps the user's settings.
printf '[Option]\r\nTimerMS=300\r\n' >"$host/Plugins/gen_Varimo.ini"
cp "$host/Plugins/gen_Varimo.ini" "$work/settings.ini"
echo old >"$host/Plugins/gen_Varimo.htm"
wine reg delete "$host_key" /f >/dev/null 2>&1
wine reg add "$host_uninstall" /v UninstallString /d "\"$(winpath "$host")\\UninstWA.exe\"" \
  /f >/dev/null 2>&1
install || fail "the second install failed with status $?"
cmp -s "$host/Plugins/gen_Varimo.ini" "$work/settings.ini" || fail "the settings file changed"
cmp -s "$host/Plugins/gen_Varimo.htm" "$root/resources/gen_Varimo.htm" ||
  fail "the second install did not find the host through its uninstall entry"

# No host program in the folder: refused, nothing written.
mkdir -p "$work/hosts/empty"
status=0; install /D="$(winpath "$work/hosts/empty")" || status=$?
[ "$status" -eq 2 ] || fail "a folder without the host: status $status"
[ -z "$(listing "$work/hosts/empty")" ] || fail "wrote into a folder without the host"

# A running host (its main window exists): refused, nothing written.
running=$work/running
mkdir -p "$running/Plugins" "$work/hosts/second"
cp "$wbuild/simhost.exe" "$running/"
cp "$wbuild/gen_Varimo.dll" "$running/Plugins/"
cp "$wbuild/simhost.exe" "$work/hosts/second/winamp.exe"
echo wait-close >"$running/scenario.txt"
(cd "$running" && { wine simhost.exe scenario.txt >/dev/null 2>&1 & echo $! >host.pid; wait; }) 2>/dev/null &
# The host's windows exist before its scenario's first line runs.
for _ in $(seq 60); do grep -qs 'line 1: wait-close' "$running/simhost.log" && break; sleep 0.5; done
grep -qs 'line 1: wait-close' "$running/simhost.log" || fail "the simulated host did not start"
status=0; install /D="$(winpath "$work/hosts/second")" || status=$?
[ "$status" -eq 2 ] || fail "with the host running: status $status"
[ ! -e "$work/hosts/second/Plugins/gen_Varimo.dll" ] || fail "installed while the host ran"
# Wine processes do not end on SIGTERM.
kill -KILL "$(cat "$running/host.pid")" 2>/dev/null || true
wait
wineserver -w

# The first page, as a Japanese and as an English system show it.
shoot() {  # shoot LANG PNG
  local pid
  LANG=$1 wine "$setup" >/dev/null 2>&1 &
  pid=$!
  for _ in $(seq 40); do
    sleep 0.5
    import -window root "$2" 2>/dev/null || continue
    # The welcome page's side picture gives the screen far more than a desktop's colours.
    [ "$(convert "$2" -format %k info:)" -gt 200 ] && break
  done
  sleep 1
  import -window root "$2"
  kill -KILL "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  wineserver -w
}
shoot ja_JP.UTF-8 "$work/first_page_ja.png"
shoot C.UTF-8 "$work/first_page_en.png"
[ "$(convert "$work/first_page_ja.png" -format %k info:)" -gt 200 ] || fail "no first page shown"
[ "$(compare -metric AE "$work/first_page_ja.png" "$work/first_page_en.png" null: 2>&1 ||
  true)" -gt 1000 ] || fail "the Japanese and the English first page look alike"

# The uninstaller removes the three files, its entry and itself, and keeps the settings.
wine "$uninstaller" /S >/dev/null 2>&1 || true
wineserver -w
want='./Plugins/gen_Varimo.ini ./Plugins/gen_other.dll ./winamp.exe '
[ "$(listing "$host")" = "$want" ] || fail "after uninstalling the host folder holds $(listing "$host")"
cmp -s "$host/Plugins/gen_Varimo.ini" "$work/settings.ini" || fail "uninstalling changed the settings"
[ -z "$(reg_value "$own_uninstall" DisplayName)" ] || fail "the uninstall entry is still there"
[ ! -e "$(wine winepath -u "$uninstaller" 2>/dev/null)" ] || fail "the uninstaller is still there"

[ "$failures" -eq 0 ] || exit 1
echo "installer: installs, keeps the settings, refuses, uninstalls (first page: $work/first_page_ja.png)"
