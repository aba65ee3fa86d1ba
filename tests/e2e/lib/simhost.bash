# Shared by the end-to-end scripts (sourced, not run): each scenario gets a host folder of
# its own under build-win32/e2e/NAME (simhost.exe, Plugins/gen_Varimo.dll, its settings
# file and log), all share the Wine prefix build-win32/wineprefix, and Xvfb gives them
# a display. VARIMO_E2E_WIN32 and VARIMO_E2E_NATIVE name other build folders than
# build-win32 and build, for a run beside someone else's builds; VARIMO_E2E_TOOLCHAIN and
# VARIMO_E2E_CXX go with another Windows build (scripts/wine_build chooses them all when
# the caller has not).

# e2e_setup ROOT NAME: builds what is missing and lays out the host folder, with the
# stand-in unpack program (standin_unpack.exe) beside the host.
# Sets E2E_ROOT, E2E_BUILD, E2E_DIR.
e2e_setup() {
  E2E_ROOT=$(cd "$1" && pwd)
  e2e_wine_build "$E2E_ROOT"
  E2E_BUILD=$VARIMO_E2E_WIN32
  E2E_DIR=$E2E_BUILD/e2e/$2
  if [ ! -f "$E2E_BUILD/build.ninja" ]; then
    cmake -S "$E2E_ROOT" -B "$E2E_BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_TOOLCHAIN_FILE="$VARIMO_E2E_TOOLCHAIN" >/dev/null || return 1
  fi
  ninja -C "$E2E_BUILD" -j2 simhost gen_Varimo standin_unpack >/dev/null || {
    echo "e2e: cannot build simhost.exe, gen_Varimo.dll and standin_unpack.exe"; return 1; }
  rm -rf "$E2E_DIR"
  mkdir -p "$E2E_DIR/Plugins"
  cp "$E2E_BUILD/simhost.exe" "$E2E_BUILD/standin_unpack.exe" "$E2E_DIR/"
  cp "$E2E_BUILD/gen_Varimo.dll" "$E2E_DIR/Plugins/"
}

# e2e_run SCENARIO: runs the scenario in the host folder (paths in it are relative to
# that folder) and returns simhost's status; the log is $E2E_DIR/simhost.log, standard
# output and error are $E2E_DIR/output.txt. E2E_TIMEOUT (seconds, default 120) limits the
# run; E2E_PROGRAM names another copy of the host in the folder than simhost.exe; E2E_LANG
# the locale (default ja_JP.UTF-8, a Japanese system).
e2e_run() {
  e2e_run_once "$1" && return 0
  local status=$?
  # A Wine prefix that is still settling after its creation can refuse the first windows of
  # a process; that says nothing about the plug-in, so such a run is tried once more.
  grep -q "cannot create the host's windows" "$E2E_DIR/output.txt" || return "$status"
  sleep 2
  e2e_run_once "$1"
}

e2e_run_once() {
  cp "$1" "$E2E_DIR/scenario.txt"
  local status=0
  (
    cd "$E2E_DIR" &&
      export WINEDEBUG=-all LANG="${E2E_LANG:-ja_JP.UTF-8}" WINEPREFIX="$E2E_BUILD/wineprefix" \
        WINEDLLOVERRIDES='mscoree,mshtml=' &&
      xvfb-run -a -s '-screen 0 1280x1024x24' bash -c '
        timeout -k 5 "${E2E_TIMEOUT:-120}" wine "${E2E_PROGRAM:-simhost.exe}" scenario.txt
        status=$?
        # A hung run leaves Wine processes behind; they must end before the display does.
        [ "$status" -ge 124 ] && echo "e2e: simhost timed out" && wineserver -k
        wineserver -w
        exit "$status"'
  ) >"$E2E_DIR/output.txt" 2>&1 || status=$?
  return "$status"
}

# e2e_wine_build ROOT: the Windows build the runs use, as scripts/wine_build chooses it,
# unless the caller chose already.
e2e_wine_build() {
  source "$1/scripts/wine_build"
  [ -n "${VARIMO_E2E_TOOLCHAIN:-}" ] || wine_build_env "$1"
}

# e2e_cxx: the cross compiler for a test's own helper programs.
e2e_cxx() { echo "$VARIMO_E2E_CXX"; }

# e2e_test_host NAME: builds tests/e2e/hosts/win32_NAME.cpp into the host folder and runs it
# there under Xvfb (one of the small test hosts that behave where simhost does not); shows
# its PASS and FAIL lines, and what else it said when it failed.
e2e_test_host() {
  local name=$1 status=0
  "$(e2e_cxx)" -std=c++17 -O1 -Wall -Wextra -Werror -static \
    -o "$E2E_DIR/$name.exe" "$E2E_ROOT/tests/e2e/hosts/win32_$name.cpp" ||
    { echo "e2e: cannot build $name.exe"; return 1; }
  (
    cd "$E2E_DIR" &&
      export WINEDEBUG=-all LANG="${E2E_LANG:-ja_JP.UTF-8}" WINEPREFIX="$E2E_BUILD/wineprefix" \
        WINEDLLOVERRIDES='mscoree,mshtml=' NAME="$name" &&
      xvfb-run -a -s '-screen 0 1280x1024x24' bash -c '
        timeout -k 5 "${E2E_TIMEOUT:-120}" wine "$NAME.exe"
        status=$?
        [ "$status" -ge 124 ] && echo "e2e: $NAME timed out" && wineserver -k
        wineserver -w
        exit "$status"'
  ) >"$E2E_DIR/output.txt" 2>&1 || status=$?
  grep -E '^(PASS|FAIL) ' "$E2E_DIR/output.txt"
  if [ "$status" -ne 0 ]; then
    echo "e2e: $name exited with $status"
    grep -v '^wine: \|^PASS \|^FAIL ' "$E2E_DIR/output.txt" | tail -n 20
    return 1
  fi
}

# e2e_fail MESSAGE: reports a failed check with what the run left behind.
e2e_fail() {
  echo "e2e: $*"
  echo "--- output"; grep -v '^wine: ' "$E2E_DIR/output.txt" | tail -n 20
  echo "--- log"; tail -n 30 "$E2E_DIR/simhost.log" 2>/dev/null
  return 1
}

# e2e_samples: writes the sample albums (sampler.zip, .lzh, .pack.mp3, .cue.mp3, plain.mp3,
# long.zip and long_third.cue.mp3, whose host length 140000 ms a scenario must give) into the
# host folder, building their generator in the native build if needed.
e2e_samples() {
  local native=${VARIMO_E2E_NATIVE:-$E2E_ROOT/build}
  if [ ! -f "$native/build.ninja" ]; then
    cmake -S "$E2E_ROOT" -B "$native" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null ||
      return 1
  fi
  ninja -C "$native" -j2 make_samples >/dev/null || {
    echo "e2e: cannot build make_samples"; return 1; }
  "$native/tests/make_samples" "$E2E_DIR" >/dev/null || {
    echo "e2e: cannot write the sample albums"; return 1; }
}

# e2e_skins: copies the built-in frame bitmap (builtin_pledit.bmp) and glyph bitmap
# (builtin_text.bmp) and the test skin (skins/test_skin) into the host folder, so scenarios
# can compare the screen with the bitmaps the plug-in copies from.
e2e_skins() {
  cp "$E2E_ROOT/resources/pledit.bmp" "$E2E_DIR/builtin_pledit.bmp" &&
    cp "$E2E_ROOT/resources/text.bmp" "$E2E_DIR/builtin_text.bmp" &&
    mkdir -p "$E2E_DIR/skins" &&
    cp -r "$E2E_ROOT/tests/e2e/skins/test_skin" "$E2E_DIR/skins/"
}

# e2e_scenario NAME: runs tests/e2e/scenarios/NAME.txt; on failure reports and returns 1.
e2e_scenario() {
  e2e_run "$E2E_ROOT/tests/e2e/scenarios/$1.txt" || e2e_fail "scenario $1 failed" || return 1
}
