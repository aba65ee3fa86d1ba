#!/usr/bin/env bash
# A soak: random user input on the real plug-in in one host process for SECONDS (default
# 60, SOAK_SECONDS), from a fixed seed (SOAK_SEED overrides it). After every step the host
# still runs and its thread never went a second without a pass of its message loop; every
# unload leaves a settings file that holds what the window showed last, its saved track
# one of its saved list; after the warm-up the GDI and USER objects and the private
# memory stay flat. Ends with the run's figures, or with the seed and the step that failed
# and the command that replays it.
set -uo pipefail
root=${1:?usage: soak.sh REPO_ROOT [SECONDS [SEED]]}
seconds=${2:-${SOAK_SECONDS:-60}}
seed=${3:-${SOAK_SEED:-}}
source "$root/tests/e2e/lib/simhost.bash"
e2e_setup "$root" soak || exit 1
e2e_samples && e2e_skins || exit 1
python3 "$root/tests/e2e/skins/make_hostile_skins.py" "$E2E_DIR/hostile" ||
  { echo "soak: cannot write the hostile skins"; exit 1; }
generated=$(python3 "$root/tests/e2e/soak_scenario.py" ${seed:+--seed "$seed"} \
  --seconds "$seconds" "$E2E_DIR/soak.txt") || { echo "soak: cannot write the scenario"; exit 1; }
echo "$generated"
seed=$(sed -n 's/^soak: seed \([0-9]*\).*/\1/p' <<<"$generated")

# Without a window manager, Wine's X11 driver waits 2 s for every managed window that is
# hidden or destroyed to be withdrawn, holding the thread: a stall of Wine's, not of the
# plug-in's. The soak's copy of the host has its windows unmanaged (a setting for that
# program name alone), so a stall it sees is one the plug-in caused.
cp "$E2E_DIR/simhost.exe" "$E2E_DIR/simhost_soak.exe"
WINEDEBUG=-all WINEPREFIX="$E2E_BUILD/wineprefix" bash -c \
  'wine reg add "HKCU\Software\Wine\AppDefaults\simhost_soak.exe\X11 Driver" /v Managed /d N /f &&
   wineserver -w' >/dev/null 2>&1 || { echo "soak: cannot set up the Wine prefix"; exit 1; }

export E2E_PROGRAM=simhost_soak.exe E2E_TIMEOUT=$((seconds + 600))
status=0
e2e_run "$E2E_DIR/soak.txt" || status=$?
log=$E2E_DIR/simhost.log
if [ "$status" -ne 0 ]; then
  # The step that ran last: the one a failure names, else the last one the log began.
  step=$(sed -n 's/.*(in step \([0-9a-z]*\).*/\1/p' "$E2E_DIR/output.txt" | tail -n 1)
  [ -n "$step" ] || step=$(sed -n 's/^ *[0-9]* ms  -- line [0-9]*: step \([0-9a-z]*\).*/\1/p' "$log" | tail -n 1)
  echo "soak: FAILED with status $status in step ${step:-?} of seed $seed"
  grep -v '^wine: ' "$E2E_DIR/output.txt" | grep -v '^PASS' | tail -n 5
  echo "--- the step's lines"
  awk -v s="step $step" '$0 ~ "^step " { on = ($0 == s || index($0, s " ") == 1) } on' \
    "$E2E_DIR/soak.txt" | head -n 40
  echo "--- the log's last lines"; tail -n 25 "$log"
  case $step in
    [0-9]*) echo "replay: python3 tests/e2e/soak_scenario.py --seed $seed --seconds $seconds" \
      "${strict:+$strict }--stop-after $step OUT.txt" ;;
  esac
  exit 1
fi

# The settings file the last unload wrote parses strictly: sections and keys, each once.
python3 - "$E2E_DIR/Plugins/gen_Varimo.ini" <<'PY' || e2e_fail "the settings file does not parse" || exit 1
import configparser, re, sys
text = open(sys.argv[1], "rb").read().decode("cp932")
for number, line in enumerate(text.splitlines(), 1):
    if line.strip() and not re.fullmatch(r"\[[^\]]+\]|[^=\[]+=.*", line):
        sys.exit("line %d is neither a section nor a key: %r" % (number, line))
parser = configparser.ConfigParser(strict=True, interpolation=None, delimiters=("=",))
parser.optionxform = str
parser.read_string(text)
for section, key in (("Window", "Delete"), ("Play", "No"), ("Play", "Mode"), ("HotKey", "Count")):
    parser.get(section, key)
PY

# The counts: before the plug-in, at the start, after the warm-up, and at the end.
mapfile -t counts < <(sed -n 's/^ *[0-9]* ms  -- objects \(GDI .*\)/\1/p' "$log")
ran=$(sed -n 's/^ *[0-9]* ms  -- steps: \(.*\)/\1/p' "$log")
stall=$(sed -n 's/^ *[0-9]* ms  -- host thread: longest stall \([0-9]*\) ms$/\1/p' "$log")
[ "${#counts[@]}" -ge 4 ] && [ -n "$ran" ] && [ -n "$stall" ] ||
  e2e_fail "the log lacks the soak's figures" || exit 1
grep -q 'comparison skipped' "$log" && echo "soak: note: this system counts no GDI or USER objects"
echo "soak: seed $seed, steps: $ran, longest host-thread stall $stall ms"
echo "soak: objects without the plug-in: ${counts[0]}"
echo "soak: objects at the start:        ${counts[1]}"
echo "soak: objects after the warm-up:   ${counts[2]}"
echo "soak: objects at the end:          ${counts[${#counts[@]} - 1]}"
echo "soak: passed"
