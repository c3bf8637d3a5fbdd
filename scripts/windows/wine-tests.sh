# The steps of test-windows.sh, sourced by it; WINEPREFIX is set and holds a
# fresh prefix.

fail() {
  echo "FAILED: $*" >&2
  exit 1
}

windows_path() { winepath -w "$1" 2>/dev/null; }
unix_path() { winepath -u "$1" 2>/dev/null; }
# A folder of the Wine user, e.g. APPDATA, as a Unix path.
wine_folder() { unix_path "$(wine cmd /c echo "%$1%" 2>/dev/null | tr -d '\r')"; }

# One virtual display for everything that needs one.
start_display() {
  [ -z "${WINE_TEST_XVFB:-}" ] || return 0
  local n
  for n in $(seq 90 120); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] || break
  done
  Xvfb ":$n" -screen 0 1440x900x24 -nolisten tcp >/dev/null 2>&1 &
  WINE_TEST_XVFB=$!
  export DISPLAY=":$n"
  trap 'kill "$WINE_TEST_XVFB" 2>/dev/null || true; wineserver -k 2>/dev/null || true' EXIT
  for _ in $(seq 50); do
    xdpyinfo >/dev/null 2>&1 && return 0
    sleep 0.2
  done
  fail "Xvfb did not start"
}

# The runs CTest makes of the program $1 with an environment of its own (the
# window on each screen size and scale factor), one line each: the test's
# name, a tab, and "VAR=value;..."; nothing for a program that CTest runs as
# it is.
ctest_environments() {
  local exe=$1 file name
  file="$(dirname "$exe")/CTestTestfile.cmake"
  [ -f "$file" ] || return 0
  sed -n "s|^add_test(\[=\[\(.*\)\]=\] \"$exe\")\$|\1|p" "$file" | while read -r name; do
    printf '%s\t%s\n' "$name" \
      "$(grep -F "set_tests_properties([=[$name]=] " "$file" | sed -n 's/.* ENVIRONMENT "\([^"]*\)".*/\1/p')"
  done
}

# Runs one test program under Wine with the environment variables given
# ("VAR=value;..."; the offscreen platform unless they name one), and adds
# its counts to the totals.
run_windows_test() {
  local exe=$1 label=$2 environment=$3 log started ran passed failed skipped variable
  local -a variables=()
  IFS=';' read -ra variables <<<"QT_QPA_PLATFORM=offscreen${environment:+;$environment}"
  # Wine keeps the QT_ variables of Linux from Windows programs, and hands
  # them WINEQT_... under the name QT_...
  for variable in "${!variables[@]}"; do
    [[ "${variables[$variable]}" != QT_* ]] || variables[$variable]="WINE${variables[$variable]}"
  done
  # A program that faults ends there, with its fault in the log, instead of
  # waiting for Wine's debugger until the time limit.
  variables+=("WINEDLLOVERRIDES=${WINEDLLOVERRIDES:+$WINEDLLOVERRIDES;}winedbg.exe=d")
  log="$WINE_TESTS_LOGS/$label.log"
  started=$(date +%s)
  local status=0
  (cd "$(dirname "$exe")" && env "${variables[@]}" timeout 900 wine "$exe" >"$log" 2>&1) || status=$?
  ran=$(sed -n 's/^\[==========\] \([0-9]*\) tests\? from .* ran\..*/\1/p' "$log" | tail -n1)
  passed=$(sed -n 's/^\[  PASSED  \] \([0-9]*\) tests\?\..*/\1/p' "$log" | tail -n1)
  failed=$(sed -n 's/^\[  FAILED  \] \([0-9]*\) tests\?, listed below.*/\1/p' "$log" | tail -n1)
  skipped=$(sed -n 's/^\[  SKIPPED \] \([0-9]*\) tests\?, listed below.*/\1/p' "$log" | tail -n1)
  if [ -z "$ran" ]; then
    # The program ended before its summary: count it as one failure.
    echo "$label: ended without a summary after $(($(date +%s) - started))s (see $log)"
    tail -n 5 "$log"
    WINE_TESTS_RUN=$((WINE_TESTS_RUN + 1))
    WINE_TESTS_FAILED=$((WINE_TESTS_FAILED + 1))
    return
  fi
  if [ "$status" -ne 0 ] && [ "${failed:-0}" -eq 0 ]; then
    # It failed after its summary (a fault at its end): one failure more.
    echo "$label: exit status $status after its summary (see $log)"
    ran=$((ran + 1))
    failed=1
  fi
  WINE_TESTS_RUN=$((WINE_TESTS_RUN + ran))
  WINE_TESTS_PASSED=$((WINE_TESTS_PASSED + ${passed:-0}))
  WINE_TESTS_FAILED=$((WINE_TESTS_FAILED + ${failed:-0}))
  WINE_TESTS_SKIPPED=$((WINE_TESTS_SKIPPED + ${skipped:-0}))
  printf '%-40s %3s tests, %3s passed, %2s failed, %2s skipped, %3ss\n' "$label" \
    "$ran" "${passed:-0}" "${failed:-0}" "${skipped:-0}" "$(($(date +%s) - started))"
  # The names of the failed and skipped tests (gtest pads FAILED with two
  # spaces, SKIPPED with one; Wine's console ends lines with CR LF).
  tr -d '\r' <"$log" | grep -E '^\[  (FAILED  |SKIPPED )\] [A-Za-z]' | sed 's/ (.*//; s/, where .*//' | sort -u |
    sed 's/^/    /' || true
  # What each failed test said, so that a failure far away (in CI) can be
  # understood without its log: the lines from its start to its end.
  if [ "${failed:-0}" -gt 0 ]; then
    tr -d '\r' <"$log" | awk '
      /^\[ RUN      \]/ { n = 0; delete lines }
      { if (n < 30) lines[n++] = $0 }
      /^\[  FAILED  \] [A-Za-z].*\(/ { for (i = 0; i < n; i++) print "      " lines[i] }'
  fi
}

# Runs every test program of the Windows build once, or once per environment
# CTest gives it; sets WINE_TESTS_RUN, WINE_TESTS_PASSED, WINE_TESTS_FAILED
# and WINE_TESTS_SKIPPED.
# QUENHAR_WINE_TESTS (an extended regular expression) runs only the programs
# whose names match, and GTEST_FILTER only the tests it names, as anywhere.
run_windows_tests() {
  local build=$1 prefixes qt sqlite gcc_dir exe name run
  start_display
  prefixes=$(sed -n 's/^QUENHAR_WINDOWS_PREFIXES:[A-Z]*=//p' "$build/CMakeCache.txt")
  IFS=';' read -r qt sqlite _ <<<"$prefixes"
  gcc_dir=$(dirname "$(x86_64-w64-mingw32-g++-posix -print-libgcc-file-name)")
  # The DLLs from where they were built, the plugins from Qt's folder.
  WINEPATH="$(windows_path "$qt/bin");$(windows_path "$sqlite/bin");$(windows_path "$gcc_dir");$(windows_path /usr/x86_64-w64-mingw32/lib)"
  export WINEPATH
  export WINEQT_PLUGIN_PATH
  WINEQT_PLUGIN_PATH=$(windows_path "$qt/plugins")
  WINE_TESTS_RUN=0 WINE_TESTS_PASSED=0 WINE_TESTS_FAILED=0 WINE_TESTS_SKIPPED=0
  WINE_TESTS_LOGS="$build/wine-logs"
  mkdir -p "$WINE_TESTS_LOGS"
  for exe in $(find "$build/tests" -name '*_tests.exe' | sort); do
    name=$(basename "$exe" .exe)
    [[ "$name" =~ ${QUENHAR_WINE_TESTS:-.} ]] || continue
    local -a runs=()
    mapfile -t runs < <(ctest_environments "$exe")
    if [ "${#runs[@]}" -eq 0 ]; then
      run_windows_test "$exe" "$name" ""
      continue
    fi
    for run in "${runs[@]}"; do
      run_windows_test "$exe" "${run%%$'\t'*}" "${run#*$'\t'}"
    done
  done
  unset WINEPATH WINEQT_PLUGIN_PATH
}

# The installer, silently: what it installs, and that a second run leaves the
# user's bank as it is.
test_installer() {
  local setup=$1 appdata localappdata
  wine "$(windows_path "$setup")" /S >/dev/null 2>&1
  wineserver -w
  appdata=$(wine_folder APPDATA)
  localappdata=$(wine_folder LOCALAPPDATA)
  INSTDIR="$localappdata/Programs/Quenhar"
  USER_BANK="$appdata/Quenhar/velmora.db"
  START_MENU="$appdata/Microsoft/Windows/Start Menu/Programs"
  local f
  for f in quenhar.exe quenhar-editor.exe quenhar-bank.exe uninstall.exe Qt6Core.dll Qt6Gui.dll Qt6Widgets.dll \
    sqlite3.dll platforms/qwindows.dll styles/qwindowsvistastyle.dll qt.conf translations/qtbase_zh_CN.qm \
    sample/velmora.db; do
    [ -f "$INSTDIR/$f" ] || fail "the installer did not install $f"
  done
  [ -f "$START_MENU/交规训练.lnk" ] || fail "no Start-menu entry 交规训练"
  [ -f "$START_MENU/题库编辑.lnk" ] || fail "no Start-menu entry 题库编辑"
  cmp -s "$INSTDIR/sample/velmora.db" "$USER_BANK" || fail "the sample bank was not copied to the user's folder"
  # The GUI programs have no console window, the tool has one; each carries
  # its version and name.
  local program subsystem name headers
  for program in quenhar:GUI:交规训练 quenhar-editor:GUI:题库编辑 quenhar-bank:CUI:quenhar-bank; do
    IFS=: read -r program subsystem name <<<"$program"
    # (Read whole first: grep -q would end the pipe early, a failure under pipefail.)
    headers=$(x86_64-w64-mingw32-objdump -p "$INSTDIR/$program.exe")
    grep -q "Subsystem.*(Windows $subsystem)" <<<"$headers" || fail "$program.exe is not a Windows $subsystem program"
    python3 - "$INSTDIR/$program.exe" "$name" <<'EOF' || fail "$program.exe lacks its version information"
import sys
data = open(sys.argv[1], "rb").read()
sys.exit(0 if all(s.encode("utf-16-le") in data for s in ("FileDescription", sys.argv[2], "VS_VERSION_INFO")) else 1)
EOF
  done
  echo "Installed into $INSTDIR: $(find "$INSTDIR" -type f | wc -l) files, $(du -sh "$INSTDIR" | cut -f1)"

  # A user's own bank: a second installation must not replace it.
  sqlite3 "$USER_BANK" "insert into ziliao(title, memo) values ('我的资料', '我自己的题库')"
  local before
  before=$(sha256sum <"$USER_BANK")
  wine "$(windows_path "$setup")" /S >/dev/null 2>&1
  wineserver -w
  [ "$(sha256sum <"$USER_BANK")" = "$before" ] || fail "installing again replaced the user's bank"
  echo "A second installation left the user's own bank as it was"
}

# An installed program, started as its Start-menu entry starts it (in the
# user's folder), on a virtual display; a screenshot of its window:
#   start_installed <program> <window title pattern> <screenshot> [argument...]
# Sets STARTED_MS to the time its window took to appear.
start_installed() {
  local program=$1 title=$2 png=$3 started window
  shift 3
  start_display
  started=$(date +%s%N)
  (cd "$(dirname "$USER_BANK")" && wine "$(windows_path "$INSTDIR/$program.exe")" "$@" >/dev/null 2>&1) &
  window=$(timeout 120 xdotool search --sync --name "$title" | head -n1) ||
    fail "the installed $program showed no window"
  STARTED_MS=$((($(date +%s%N) - started) / 1000000))
  echo "The window of $program appeared ${STARTED_MS} ms after the start"
  sleep 3 # let it paint (and a maximized window take the whole screen)
  import -window "$window" "$png"
  echo "Screenshot: $png"
  wine taskkill /IM "$program.exe" >/dev/null 2>&1 || true
  timeout 30 wineserver -w || wineserver -k
}

# The installed bank tool checks the user's bank.
check_with_installed_tool() {
  local report
  report=$(cd "$(dirname "$USER_BANK")" && wine "$(windows_path "$INSTDIR/quenhar-bank.exe")" check velmora.db 2>&1 |
    tr -d '\r') || fail "the installed bank tool found faults in the sample bank: $report"
  echo "$report" | tail -n 3
}

test_uninstaller() {
  wine "$(windows_path "$INSTDIR/uninstall.exe")" /S >/dev/null 2>&1
  wineserver -w
  # The uninstaller runs from a copy in the temporary folder; it may still be
  # finishing when wineserver -w returns for the first process.
  local left
  for _ in $(seq 20); do
    [ -e "$INSTDIR" ] || break
    sleep 0.5
  done
  if [ -e "$INSTDIR" ]; then
    left=$(find "$INSTDIR" -type f)
    [ -z "$left" ] || fail "the uninstaller left program files: $left"
  fi
  [ ! -f "$START_MENU/交规训练.lnk" ] && [ ! -f "$START_MENU/题库编辑.lnk" ] ||
    fail "the uninstaller left a Start-menu entry"
  [ -f "$USER_BANK" ] || fail "the uninstaller removed the user's bank"
  echo "Uninstalled: no program file left; the user's bank stays in $(dirname "$USER_BANK")"
}
