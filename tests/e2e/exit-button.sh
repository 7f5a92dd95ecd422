# A click on the Exit button ends the program and leaves no tray icon.
source "$(dirname "$0")/lib.sh"
setup_test

start_quillmere ""
wait_until 60 main_window_visible || die "the main window was not shown within 60 s"
check_tray "before Exit" 0 0

# lblExit sits at 9375, 7530 (size 1080 x 240) in Picture1.
note "clicking the centre of Exit"
click_centre "$(field window_rect "$(control Picture1)")" 9375 7530 1080 240

wait_until 30 quillmere_ended || fail "the program was still running 30 s after the click on Exit"
check_running "after Exit" 0
check_tray "after Exit" 0 0
finish
