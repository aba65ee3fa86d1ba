#!/usr/bin/env bash
# The real plug-in in a host that answers the skin and entry-path requests with numbers
# instead of addresses, and that resizes the plug-in's window below its limits from
# outside: the plug-in neither crashes the host nor lets go of its size limits.
set -uo pipefail
root=${1:?usage: unusual_host.sh REPO_ROOT}
source "$root/tests/e2e/lib/simhost.bash"
e2e_setup "$root" unusual_host || exit 1

compiler=$(e2e_cxx)
"$compiler" -std=c++17 -O1 -Wall -Wextra -Werror -static \
  -o "$E2E_DIR/unusual_host.exe" "$root/tests/e2e/hosts/win32_unusual_host.cpp" ||
  { echo "e2e: cannot build unusual_host.exe"; exit 1; }

status=0
(
  cd "$E2E_DIR" &&
    export WINEDEBUG=-all LANG=ja_JP.UTF-8 WINEPREFIX="$E2E_BUILD/wineprefix" \
      WINEDLLOVERRIDES='mscoree,mshtml=' &&
    xvfb-run -a -s '-screen 0 1280x1024x24' bash -c '
      timeout -k 5 "${E2E_TIMEOUT:-120}" wine unusual_host.exe
      status=$?
      [ "$status" -ge 124 ] && echo "e2e: unusual_host timed out" && wineserver -k
      wineserver -w
      exit "$status"'
) >"$E2E_DIR/output.txt" 2>&1 || status=$?
grep -E '^(PASS|FAIL) ' "$E2E_DIR/output.txt"
if [ "$status" -ne 0 ]; then
  echo "e2e: unusual_host exited with $status"
  grep -v '^wine: \|^PASS \|^FAIL ' "$E2E_DIR/output.txt" | tail -n 20
  exit 1
fi
echo "unusual_host: passed"
