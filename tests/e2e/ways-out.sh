# Every way out of the program but Exit takes its tray icon with it: a WM_QUIT posted to the main
# window or to its thread, and the end of the session (WM_QUERYENDSESSION, then WM_ENDSESSION, as a
# restart manager sends them with ENDSESSION_CLOSEAPP) in the middle of a run.
# shellcheck disable=SC2317  # the functions below run through wait_until
source "$(dirname "$0")/lib.sh"
setup_test

# Starts the program and sends it to the tray with a close request.
start_in_tray() {
  start_quillmere ""
  wait_until 60 main_window_visible || die "the main window was not shown within 60 s"
  probe close "$main_window" >/dev/null
  wait_until 30 tray_icon_shown || die "no tray icon within 30 s of the close request"
}

# Starts a run with the main window shown, then closes the window to the tray mid-run: its icon is
# on show for the rest of the run.
start_run_in_tray() {
  start_quillmere ""
  wait_until 60 main_window_visible || die "the main window was not shown within 60 s"
  click_centre "$(field window_rect "$(control Picture1)")" 5655 7530 1515 240
  local bar
  running() {
    bar=$(field pos "$(probe control "$(field hwnd "$(probe windows --pid "$quillmere_pid" --class QuillmereOptimize)")" PgbOptimizing 2>/dev/null)")
    [[ -n "$bar" ]] && ((bar > 0 && bar < 402))
  }
  wait_until 60 running || die "the run did not start within 60 s"
  probe close "$main_window" >/dev/null
  wait_until 10 tray_icon_shown || die "no tray icon within 10 s of the close request during the run"
  running || note "the run was over before the main window reached the tray"
}

check_gone() {  # WHEN
  check_true "$1: the program ends within 30 s" wait_until 30 quillmere_ended
  check_tray "$1" 0 0
}

note "--- WM_QUIT posted to the main window, in the tray"
start_in_tray
probe post "$main_window" 0x12 >/dev/null || fail "could not post WM_QUIT"
check_gone "after WM_QUIT to the window"

note "--- WM_QUIT posted to the thread, during a run"
start_run_in_tray
probe quit-thread "$main_window" >/dev/null || fail "could not post WM_QUIT to the thread"
check_gone "after WM_QUIT to the thread during a run"

note "--- a restart manager's close during a run"
start_run_in_tray
answer=$(probe send "$main_window" 0x11 0 1)  # WM_QUERYENDSESSION, ENDSESSION_CLOSEAPP
check_equal "WM_QUERYENDSESSION: the session may end" 1 "$(field result "$answer")"
probe send "$main_window" 0x16 1 1 >/dev/null || true  # WM_ENDSESSION; the process may end before it answers
check_gone "after WM_ENDSESSION during a run"
finish
