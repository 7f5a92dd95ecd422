# Helpers shared by the end-to-end tests. A test script sources this file and is called as
#   bash TEST.sh QUILLMERE_EXE PROBE_EXE WORK_DIR ARTIFACT_DIR
# It then runs in a Wine prefix of its own, copied from the template prefix that make-prefix.sh made
# in WORK_DIR, on an X display of its own, and everything it started is ended when it exits.
set -Eeuo pipefail
# A command that fails where no check expects it ends the test; say where.
trap 'echo "FAIL: unexpected failure at ${BASH_SOURCE[0]}:$LINENO: $BASH_COMMAND" >&2' ERR

if (($# != 4)); then
  echo "usage: bash $0 QUILLMERE_EXE PROBE_EXE WORK_DIR ARTIFACT_DIR" >&2
  exit 2
fi
quillmere_exe=$(realpath "$1")
probe_exe=$(realpath "$2")
work_dir=$(realpath "$3")
artifact_dir=$4
template_prefix=$work_dir/template-prefix

settings_key='HKCU\Software\Quillmere\Quillmere v5.0.1'
run_key='HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\Run'
# Wine reports every file and folder as owned by the user, with full access for that user, so the
# program counts every folder as one standard users can write and starts from the per-user Run key.
user_run_key='HKCU\SOFTWARE\Microsoft\Windows\CurrentVersion\Run'
run_value_name=quillmere
main_class=QuillmereMain
main_title='Quillmere v5.0.1'
# Where a test installs the program inside its prefix, a folder with a space as people usually have.
install_dir_windows='C:\Program Files\Quillmere'
installed_exe_windows="$install_dir_windows\\quillmere.exe"

failures=0

# --- reporting --------------------------------------------------------------------------------

note() { printf '%s\n' "$*"; }

fail() {
  printf 'FAIL: %s\n' "$*"
  failures=$((failures + 1))
}

# Ends the test at once, for a step that the checks after it cannot do without. The message goes to
# the error output, which reaches the log even from inside a command substitution.
die() {
  printf 'FAIL: %s\n' "$*" >&2
  exit 1
}

check_equal() {  # DESCRIPTION EXPECTED ACTUAL
  if [[ "$3" == "$2" ]]; then
    note "ok: $1: '$3'"
  else
    fail "$1: expected '$2', got '$3'"
  fi
}

check_true() {  # DESCRIPTION COMMAND...: passes when the command succeeds
  local description=$1
  shift
  if "$@"; then
    note "ok: $description"
  else
    fail "$description"
  fi
}

# Ends the test with the verdict of all its checks.
finish() {
  if ((failures > 0)); then
    note "$failures check(s) failed"
    exit 1
  fi
  note "all checks passed"
  exit 0
}

# --- the prefix and the display ----------------------------------------------------------------

test_dir=
xvfb_pid=

cleanup() {
  if [[ -n "${WINEPREFIX:-}" && -d "${WINEPREFIX:-}" ]]; then
    wineserver -k 2>/dev/null || true
    timeout 30 wineserver -w 2>/dev/null || true
  fi
  if [[ -n "$xvfb_pid" ]]; then
    kill "$xvfb_pid" 2>/dev/null || true
    wait "$xvfb_pid" 2>/dev/null || true
  fi
  if [[ -n "$test_dir" ]]; then rm -rf "$test_dir"; fi
}

# Starts a virtual X server on a display number it picks itself and exports DISPLAY. Its screen is
# 1280x1024 unless QUILLMERE_SCREEN names another size (WIDTHxHEIGHT).
start_display() {
  local display_file=$1/display
  Xvfb -displayfd 3 -screen 0 "${QUILLMERE_SCREEN:-1280x1024}x24" -nolisten tcp 3>"$display_file" >"$1/xvfb.log" 2>&1 &
  xvfb_pid=$!
  local tries
  for ((tries = 0; tries < 100; tries++)); do
    if [[ -s "$display_file" ]]; then
      DISPLAY=":$(tr -d '[:space:]' <"$display_file")"
      export DISPLAY
      return 0
    fi
    kill -0 "$xvfb_pid" 2>/dev/null || break
    sleep 0.1
  done
  die "Xvfb did not start: $(cat "$1/xvfb.log")"
}

export WINEDEBUG=-all

# Gives the test its own copy of the template prefix, its own display, and the program installed
# in the prefix's Program Files.
setup_test() {
  [[ -f "$template_prefix/system.reg" ]] ||
    die "no template prefix in $template_prefix: run the suite with ctest -L e2e, which makes it first"
  mkdir -p "$work_dir"
  test_dir=$(mktemp -d "$work_dir/test.XXXXXX")
  trap cleanup EXIT
  cp -a "$template_prefix" "$test_dir/prefix"
  export WINEPREFIX=$test_dir/prefix
  start_display "$test_dir"
  local install_dir=$WINEPREFIX/drive_c/${install_dir_windows#C:\\}
  install_dir=${install_dir//\\//}
  mkdir -p "$install_dir"
  cp "$quillmere_exe" "$install_dir/quillmere.exe"
  note "prefix $WINEPREFIX, display $DISPLAY, program $installed_exe_windows"
}

# Ends every process of the prefix (the program, the tray, everything); the registry stays.
stop_wine() {
  wineserver -k 2>/dev/null || true
  timeout 30 wineserver -w 2>/dev/null || true
}

# --- the probe ---------------------------------------------------------------------------------

# Runs the probe and prints its output. The output goes through a file of its own: a program that
# the probe starts inherits it, and a pipe would stay open for as long as that program runs.
probe() {
  local output status=0
  output=$(mktemp "$test_dir/probe.XXXXXX")
  wine "$probe_exe" "$@" >"$output" 2>&1 || status=$?
  tr -d '\r' <"$output"
  return "$status"
}

# Prints the value of KEY in the key=value text TEXT (its first occurrence).
field() {  # KEY TEXT
  sed -n "s/^$1=//p" <<<"$2" | head -n 1
}

# Runs COMMAND... every half second until it succeeds or SECONDS have passed.
wait_until() {  # SECONDS COMMAND...
  local deadline=$((SECONDS + $1))
  shift
  until "$@"; do
    ((SECONDS < deadline)) || return 1
    sleep 0.5
  done
}

# --- the program -------------------------------------------------------------------------------

quillmere_pid=
main_window=

# Starts the installed program with the raw command-line TAIL (may be empty) and waits for its main
# window to exist; sets quillmere_pid and main_window.
start_quillmere() {  # TAIL
  local started
  started=$(probe start "$installed_exe_windows" "$1") || die "the probe could not start the program: $started"
  quillmere_pid=$(field pid "$started")
  note "started $(field command_line "$started") as process $quillmere_pid"
  wait_until 60 find_main_window || die "no window of class $main_class appeared for process $quillmere_pid"
}

find_main_window() {
  local windows
  windows=$(probe windows --pid "$quillmere_pid" --class "$main_class")
  main_window=$(field hwnd "$windows")
  [[ -n "$main_window" ]]
}

main_window_state() { probe windows --pid "$quillmere_pid" --class "$main_class"; }

main_window_visible() { [[ "$(field visible "$(main_window_state)")" == 1 ]]; }
main_window_hidden() { [[ "$(field visible "$(main_window_state)")" == 0 ]]; }
about_state() { probe windows --pid "$quillmere_pid" --title About; }
about_shown() { [[ "$(field visible "$(about_state)")" == 1 ]]; }
about_gone() { [[ "$(field count "$(about_state)")" == 0 ]]; }
tray_icon_shown() { [[ "$(field icon "$(probe tray "$main_window")")" == 1 ]]; }
quillmere_running() { [[ "$(field running "$(probe running "$quillmere_pid")")" == 1 ]]; }
quillmere_ended() { ! quillmere_running; }

# Checks the main window's visible and minimized flags against EXPECTED_VISIBLE and EXPECTED_MINIMIZED.
check_main_window() {  # WHEN EXPECTED_VISIBLE EXPECTED_MINIMIZED
  local state
  state=$(main_window_state)
  check_equal "$1: main window visible" "$2" "$(field visible "$state")"
  check_equal "$1: main window minimized" "$3" "$(field minimized "$state")"
}

# Checks whether the program's icon (window, uID 1) exists and how many icons the tray holds.
check_tray() {  # WHEN EXPECTED_ICON EXPECTED_ICON_COUNT
  local tray
  tray=$(probe tray "$main_window")
  check_equal "$1: the program's tray icon exists" "$2" "$(field icon "$tray")"
  check_equal "$1: icons in the tray" "$3" "$(field icons "$tray")"
  check_equal "$1: tray window visible" "$((${3} > 0 ? 1 : 0))" "$(field tray_visible "$tray")"
}

check_running() {  # WHEN EXPECTED(1 running, 0 ended)
  check_equal "$1: process $quillmere_pid running" "$2" "$(field running "$(probe running "$quillmere_pid")")"
}

# Prints the named child control's probe fields, or ends the test when the control is missing.
control() {  # NAME
  local fields
  fields=$(probe control "$main_window" "$1") || die "the main window has no control named $1"
  printf '%s\n' "$fields"
}

# --- the registry ------------------------------------------------------------------------------

# Prints the data of value NAME under KEY, type and all as "TYPE DATA"; fails when it is absent.
registry_value() {  # KEY NAME
  local listing line
  listing=$(wine reg query "$1" /v "$2" 2>/dev/null | tr -d '\r') || return 1
  while IFS= read -r line; do
    if [[ "$line" == "    $2    "* ]]; then
      line=${line#"    $2    "}
      printf '%s %s\n' "${line%%    *}" "${line#*    }"
      return 0
    fi
  done <<<"$listing"
  return 1
}

check_registry() {  # KEY NAME EXPECTED_DATA: a REG_SZ value holding exactly EXPECTED_DATA
  local value
  value=$(registry_value "$1" "$2") || value="(absent)"
  check_equal "$1 \"$2\"" "REG_SZ $3" "$value"
}

check_registry_absent() {  # KEY NAME
  local value
  if value=$(registry_value "$1" "$2"); then
    fail "$1 \"$2\": expected no value, found $value"
  else
    note "ok: $1 \"$2\" does not exist"
  fi
}

# Checks that the REG_SZ value NAME under KEY holds a local time in the program's form
# "YYYY-MM-DD hh:mm:ss" that lies between the clock readings FROM and TO (seconds since the epoch).
check_registry_time() {  # KEY NAME FROM TO
  local value stamp
  value=$(registry_value "$1" "$2") || value="(absent)"
  if [[ "$value" =~ ^REG_SZ\ ([0-9]{4}-[0-9]{2}-[0-9]{2}\ [0-9]{2}:[0-9]{2}:[0-9]{2})$ ]] &&
    stamp=$(date -d "${BASH_REMATCH[1]}" +%s 2>/dev/null) && ((stamp >= $3 && stamp <= $4)); then
    note "ok: $1 \"$2\" holds the time '${BASH_REMATCH[1]}'"
  else
    fail "$1 \"$2\": expected a time 'YYYY-MM-DD hh:mm:ss' between $(date -d "@$3" '+%F %T') and $(date -d "@$4" '+%F %T'), got '$value'"
  fi
}

set_registry() {  # KEY NAME DATA: writes a REG_SZ value
  wine reg add "$1" /v "$2" /t REG_SZ /d "$3" /f >/dev/null 2>&1 || die "could not write $1 \"$2\""
}

# --- screen ------------------------------------------------------------------------------------

# Saves the part of the screen that WINDOW_RECT (left,top,right,bottom) covers as ARTIFACT_DIR/NAME.
save_screenshot() {  # NAME WINDOW_RECT
  local left top right bottom
  IFS=, read -r left top right bottom <<<"$2"
  mkdir -p "$artifact_dir"
  if import -window root -crop "$((right - left))x$((bottom - top))+$left+$top" +repage "$artifact_dir/$1"; then
    note "saved $artifact_dir/$1"
  else
    fail "could not save the screenshot $artifact_dir/$1 of $2"
  fi
}

# Clicks the left mouse button at screen point X, Y as a person would.
click_at() {  # X Y
  xdotool mousemove "$1" "$2"
  sleep 0.3
  xdotool click 1
}

# The screen point, as "X Y", of X, Y twips inside the window whose screen rectangle is RECT, at
# DPI (the suite's displays have 96: 15 twips to the pixel).
screen_point() {  # RECT X Y [DPI]
  local left top dpi=${4:-96}
  IFS=, read -r left top _ _ <<<"$1"
  printf '%d %d\n' "$((left + $2 * dpi / 1440))" "$((top + $3 * dpi / 1440))"
}

# Clicks the point X, Y twips inside the window at RECT.
click_in() {  # RECT X Y
  local x y
  read -r x y <<<"$(screen_point "$@")"
  click_at "$x" "$y"
}

# Clicks the middle of the control at LEFT, TOP, WIDTH, HEIGHT twips inside the window at RECT.
click_centre() {  # RECT LEFT TOP WIDTH HEIGHT
  click_in "$1" "$(($2 + $4 / 2))" "$(($3 + $5 / 2))"
}

# --- the packages ------------------------------------------------------------------------------

# Ends the test as skipped when this build made no package (makensis missing, or packages off).
require_package() {  # PATH
  if [[ -z "$1" || ! -f "$1" ]]; then
    echo "SKIP: this build made no installer or zip"
    exit 77
  fi
}

# Prints the Linux path of the prefix's Windows path WINDOWS_PATH (C:\...).
unix_path() {  # WINDOWS_PATH
  local path=${1#[Cc]:\\}
  printf '%s\n' "$WINEPREFIX/drive_c/${path//\\//}"
}

# Prints the value of the Windows environment variable NAME in the prefix.
windows_variable() {  # NAME
  wine cmd /c echo "%$1%" 2>/dev/null | tr -d '\r'
}
