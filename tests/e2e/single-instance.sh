# One copy in the session. A second start with " auto" (the Run value firing while the program runs)
# ends without touching the running copy; a second start with no argument (the user's shortcut)
# brings the running copy's window forward from the tray and ends; and a second start a moment
# after the first, before the first has a window, still finds it.
source "$(dirname "$0")/lib.sh"
setup_test

main_windows() { field count "$(probe windows --class "$main_class")"; }
second_pid=
start_second() {  # TAIL: starts another copy and waits for it to end
  local started
  started=$(probe start "$installed_exe_windows" "$1") || die "the probe could not start the second copy: $started"
  second_pid=$(field pid "$started")
  note "started a second copy with '$1' as process $second_pid"
  wait_until 30 second_ended || fail "second start '$1': process $second_pid still runs after 30 s"
}
second_ended() { [[ "$(field running "$(probe running "$second_pid")")" == 0 ]]; }

start_quillmere " auto"
wait_until 60 tray_icon_shown || die "the first copy showed no tray icon within 60 s"
wait_until 10 main_window_hidden || fail "the first copy's window was not hidden within 10 s"
# A mark in the settings that any start-up would overwrite.
marker='2020-01-01 00:00:00'
set_registry "$settings_key" lastOptimized "$marker"

note "--- a second start with ' auto'"
start_second " auto"
sleep 2  # time for a wrong second window or icon to appear
check_running "after the second ' auto' start" 1
check_equal "after the second ' auto' start: main windows" 1 "$(main_windows)"
check_main_window "after the second ' auto' start" 0 1
check_tray "after the second ' auto' start" 1 1
check_registry "$settings_key" lastOptimized "$marker"
check_registry "$settings_key" Loaded True

note "--- a second start with no argument"
start_second ""
wait_until 10 main_window_visible || fail "the first copy's window did not come forward within 10 s"
check_running "after the second plain start" 1
check_equal "after the second plain start: main windows" 1 "$(main_windows)"
check_main_window "after the second plain start" 1 0
check_equal "after the second plain start: the window has the foreground" 1 "$(field foreground "$(main_window_state)")"
check_tray "after the second plain start" 0 0
check_registry "$settings_key" lastOptimized "$marker"
stop_wine

note "--- a second start right after the first, before its window exists"
first=$(probe start "$installed_exe_windows" " auto") || die "could not start the first copy: $first"
quillmere_pid=$(field pid "$first")
start_second ""
wait_until 60 find_main_window || die "the first copy (process $quillmere_pid) has no window"
wait_until 10 main_window_visible || fail "the first copy's window did not come forward within 10 s"
sleep 2  # the first copy's own hide to the tray must not come after
check_running "after the early second start" 1
check_equal "after the early second start: main windows" 1 "$(main_windows)"
check_main_window "after the early second start" 1 0
check_tray "after the early second start" 0 0
finish
