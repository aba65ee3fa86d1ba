#!/usr/bin/env bash
# Settings files that are random bytes, 5 MB long, read-only, or held open without sharing
# at shut-down: start-up takes the defaults where it must, nothing crashes, a file that
# could not be read is never overwritten, and a failed write leaves the old file whole.
set -uo pipefail
root=${1:?usage: hostile_settings.sh REPO_ROOT}
source "$root/tests/e2e/lib/simhost.bash"

ini() { echo "$E2E_DIR/Plugins/gen_Varimo.ini"; }
# only_ini: nothing but the DLL and the settings file in Plugins: no temporary file is left.
only_ini() {
  local names
  names=$(ls -A "$E2E_DIR/Plugins" | sort | tr '\n' ' ')
  [ "$names" = "gen_Varimo.dll gen_Varimo.ini " ] || e2e_fail "Plugins holds: $names"
}
kept() {  # kept COPY: the settings file is byte for byte the copy
  cmp -s "$1" "$(ini)" || e2e_fail "the settings file changed"
}

# Random bytes: the defaults; the unloading keeps every byte and adds its sections after.
e2e_setup "$root" hostile_settings_random || exit 1
python3 -c 'import random, sys; r = random.Random(5); sys.stdout.buffer.write(bytes(r.randrange(256) for _ in range(3000)))' >"$(ini)"
cp "$(ini)" "$E2E_DIR/before.ini"
e2e_scenario hostile_settings_defaults || exit 1
python3 - "$E2E_DIR/before.ini" "$(ini)" <<'PY' || e2e_fail "the random bytes were not kept, or the window was not saved" || exit 1
import re, sys
before, after = (open(p, "rb").read() for p in sys.argv[1:])
# Lines end as the file's first line does.
saved = re.search(rb"\[Window\]\r?\nLeft=100\r?\nTop=100\r?\n", after[len(before):])
sys.exit(0 if after.startswith(before) and saved else 1)
PY
only_ini || exit 1

# 5 MB: not read, so its Left=300 does not count, and not overwritten.
e2e_setup "$root" hostile_settings_large || exit 1
python3 -c 'import sys; sys.stdout.buffer.write(b"[Window]\r\nLeft=300\r\nTop=300\r\n" + b"; " + b"x" * 5 * 1024 * 1024 + b"\r\n")' >"$(ini)"
cp "$(ini)" "$E2E_DIR/before.ini"
e2e_scenario hostile_settings_defaults || exit 1
kept "$E2E_DIR/before.ini" && only_ini || exit 1

settings=$'[Window]\r\nLeft=700\r\nTop=600\r\nWidth=300\r\n'

# Read-only: read at start-up, kept at shut-down.
e2e_setup "$root" hostile_settings_readonly || exit 1
printf '%s' "$settings" >"$(ini)"
chmod 444 "$(ini)"
cp "$(ini)" "$E2E_DIR/before.ini"
e2e_scenario hostile_settings_kept || exit 1
kept "$E2E_DIR/before.ini" && only_ini || exit 1
chmod 644 "$(ini)"

# Held open without sharing from the scenario's screenshot until after the unloading.
e2e_setup "$root" hostile_settings_held || exit 1
compiler=$(e2e_cxx)
"$compiler" -std=c++17 -O1 -Wall -Wextra -Werror -static \
  -o "$E2E_DIR/hold_file.exe" "$root/tests/e2e/hosts/win32_hold_file.cpp" ||
  { echo "e2e: cannot build hold_file.exe"; exit 1; }
printf '%s' "$settings" >"$(ini)"
cp "$(ini)" "$E2E_DIR/before.ini"
# The holder runs on the scenario's display and Wine server, started just before it.
cp "$root/tests/e2e/scenarios/hostile_settings_kept.txt" "$E2E_DIR/scenario.txt"
status=0
(
  cd "$E2E_DIR" &&
    export WINEDEBUG=-all LANG=ja_JP.UTF-8 WINEPREFIX="$E2E_BUILD/wineprefix" \
      WINEDLLOVERRIDES='mscoree,mshtml=' &&
    xvfb-run -a -s '-screen 0 1280x1024x24' bash -c '
      wine hold_file.exe "Plugins\gen_Varimo.ini" held.png 8 >hold.txt 2>&1 &
      timeout -k 5 "${E2E_TIMEOUT:-120}" wine simhost.exe scenario.txt
      status=$?
      [ "$status" -ge 124 ] && echo "e2e: simhost timed out" && wineserver -k
      wineserver -w
      exit "$status"'
) >"$E2E_DIR/output.txt" 2>&1 || status=$?
[ "$status" -eq 0 ] || e2e_fail "scenario hostile_settings_kept failed with a held file" || exit 1
grep -q '^held' "$E2E_DIR/hold.txt" || e2e_fail "the file was not held: $(cat "$E2E_DIR/hold.txt")" ||
  exit 1
kept "$E2E_DIR/before.ini" && only_ini || exit 1
echo "hostile_settings: passed"
