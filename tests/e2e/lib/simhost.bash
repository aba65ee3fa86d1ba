# Shared by the end-to-end scripts (sourced, not run): each scenario gets a host folder of
# its own under build-win32/e2e/NAME (simhost.exe, Plugins/gen_Varimo.dll, its settings
# file and log), all share the Wine prefix build-win32/wineprefix, and Xvfb gives them
# a display.

# e2e_setup ROOT NAME: builds what is missing and lays out the host folder.
# Sets E2E_ROOT, E2E_BUILD, E2E_DIR.
e2e_setup() {
  E2E_ROOT=$(cd "$1" && pwd)
  E2E_BUILD=$E2E_ROOT/build-win32
  E2E_DIR=$E2E_BUILD/e2e/$2
  if [ ! -f "$E2E_BUILD/build.ninja" ]; then
    cmake -S "$E2E_ROOT" -B "$E2E_BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_TOOLCHAIN_FILE="$E2E_ROOT/cmake/mingw-i686.cmake" >/dev/null || return 1
  fi
  ninja -C "$E2E_BUILD" -j2 simhost gen_Varimo >/dev/null || {
    echo "e2e: cannot build simhost.exe and gen_Varimo.dll"; return 1; }
  rm -rf "$E2E_DIR"
  mkdir -p "$E2E_DIR/Plugins"
  cp "$E2E_BUILD/simhost.exe" "$E2E_DIR/"
  cp "$E2E_BUILD/gen_Varimo.dll" "$E2E_DIR/Plugins/"
}

# e2e_run SCENARIO: runs the scenario in the host folder (paths in it are relative to
# that folder) and returns simhost's status; the log is $E2E_DIR/simhost.log, standard
# output and error are $E2E_DIR/output.txt.
e2e_run() {
  cp "$1" "$E2E_DIR/scenario.txt"
  local status=0
  (
    cd "$E2E_DIR" &&
      export WINEDEBUG=-all LANG=ja_JP.UTF-8 WINEPREFIX="$E2E_BUILD/wineprefix" \
        WINEDLLOVERRIDES='mscoree,mshtml=' &&
      xvfb-run -a -s '-screen 0 1280x1024x24' bash -c '
        timeout -k 5 "${E2E_TIMEOUT:-120}" wine simhost.exe scenario.txt
        status=$?
        # A hung run leaves Wine processes behind; they must end before the display does.
        [ "$status" -ge 124 ] && echo "e2e: simhost timed out" && wineserver -k
        wineserver -w
        exit "$status"'
  ) >"$E2E_DIR/output.txt" 2>&1 || status=$?
  return "$status"
}

# e2e_fail MESSAGE: reports a failed check with what the run left behind.
e2e_fail() {
  echo "e2e: $*"
  echo "--- output"; grep -v '^wine: ' "$E2E_DIR/output.txt" | tail -n 20
  echo "--- log"; tail -n 30 "$E2E_DIR/simhost.log" 2>/dev/null
  return 1
}
