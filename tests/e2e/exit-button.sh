# A click on the Exit button ends the program and leaves no tray icon.
source "$(dirname "$0")/lib.sh"
setup_test

start_quillmere ""
wait_until 60 main_window_visible || die "the main window was not shown within 60 s"
check_tray "before Exit" 0 0

# lblExit sits at 9375, 7530 (size 1080 x 240) in Picture1; 1440 twips per inch at the display's 96 DPI.
picture=$(control Picture1)
IFS=, read -r picture_left picture_top _ _ <<<"$(field window_rect "$picture")"
x=$((picture_left + (9375 + 1080 / 2) * 96 / 1440))
y=$((picture_top + (7530 + 240 / 2) * 96 / 1440))
note "Picture1 at $picture_left, $picture_top on the screen; clicking the centre of Exit at $x, $y"
click_at "$x" "$y"

wait_until 30 quillmere_ended || fail "the program was still running 30 s after the click on Exit"
check_running "after Exit" 0
check_tray "after Exit" 0 0
finish
