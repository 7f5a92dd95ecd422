# A close request hides the window to the tray and leaves the program running; a second one adds no
# second icon.
source "$(dirname "$0")/lib.sh"
setup_test

start_quillmere ""
wait_until 60 main_window_visible || die "the main window was not shown within 60 s"
check_tray "before the close request" 0 0

probe close "$main_window" >/dev/null
wait_until 30 tray_icon_shown || fail "no tray icon within 30 s of the close request"
wait_until 10 main_window_hidden || fail "the main window was not hidden within 10 s of the close request"
check_running "after the close request" 1
check_main_window "after the close request" 0 1
check_tray "after the close request" 1 1

probe close "$main_window" >/dev/null
# Nothing is to change: give the program time to do what it would do wrongly.
sleep 3
check_running "after a second close request" 1
check_main_window "after a second close request" 0 1
check_tray "after a second close request" 1 1
finish
