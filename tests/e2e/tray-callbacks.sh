# The tray icon's mouse events: only a double-click and a right-button release do anything. The
# double-click brings the window back as it was and removes the icon; the release pops up the tray
# menu at the pointer, and its Exit item ends the program and removes the icon.
# shellcheck disable=SC2317  # the functions below run through wait_until
source "$(dirname "$0")/lib.sh"
setup_test

start_quillmere ""
wait_until 60 main_window_visible || die "the main window was not shown within 60 s"
shown_rect=$(field window_rect "$(main_window_state)")

# A sent message is answered only from the program's message loop, which a window that hides can
# keep waiting for a while under Wine with no window manager; the events below are posted after it.
wait_for_program() { control Picture1 >/dev/null; }
menu_state() { probe windows --pid "$quillmere_pid" --class '#32768'; }
menu_shown() { [[ "$(field visible "$(menu_state)")" == 1 ]]; }

# Hides the window with a close request and puts the pointer on the tray icon, as for a real click:
# Wine's tray window shows the icon at the left of its client area.
hide_to_tray() {  # WHEN
  probe close "$main_window" >/dev/null
  wait_until 30 tray_icon_shown || die "$1: no tray icon within 30 s of the close request"
  wait_until 10 main_window_hidden || die "$1: the main window was not hidden within 10 s"
  wait_for_program
  local tray_left tray_top
  IFS=, read -r tray_left tray_top _ _ <<<"$(field client_rect "$(probe windows --title "Wine System Tray")")"
  icon_x=$((tray_left + 10))
  icon_y=$((tray_top + 10))
  xdotool mousemove "$icon_x" "$icon_y"
}

hide_to_tray "first hide"
# Movement, single clicks of either button, a right press alone, a middle click: nothing is to happen.
for code in 0x200 0x201 0x202 0x204 0x207 0x208; do
  probe tray-event "$main_window" "$code" >/dev/null
done
sleep 2  # time for a wrong restore or menu to happen
check_main_window "after the other mouse events" 0 1
check_tray "after the other mouse events" 1 1
check_equal "no pop-up menu after the other mouse events" 0 "$(field count "$(menu_state)")"

probe tray-event "$main_window" 0x203 >/dev/null
wait_until 10 main_window_visible || fail "the main window was not shown within 10 s of the double-click"
check_main_window "after the double-click" 1 0
check_equal "after the double-click: the window's place and size as before" "$shown_rect" \
  "$(field window_rect "$(main_window_state)")"
check_tray "after the double-click" 0 0

hide_to_tray "second hide"
probe tray-event "$main_window" 0x205 >/dev/null
wait_until 10 menu_shown || die "no pop-up menu within 10 s of the right-button release"
menu=$(menu_state)
IFS=, read -r menu_left menu_top menu_right menu_bottom <<<"$(field window_rect "$menu")"
check_equal "the menu's top-left corner at the pointer" "$icon_x,$icon_y" "$menu_left,$menu_top"
check_equal "the menu is topmost" 1 "$(field topmost "$menu")"
check_main_window "with the menu open" 0 1
save_screenshot tray-menu.png "0,0,$((menu_right + 8)),$((menu_bottom + 8))"

# With no window manager the keyboard goes to the window under the pointer, so the pointer rests on
# the menu (on its first item); Up from there wraps round to the last item, Exit.
xdotool mousemove "$((menu_left + 20))" "$((menu_top + 8))"
sleep 0.3
xdotool key Up
sleep 0.5
save_screenshot tray-menu-exit.png "0,0,$((menu_right + 8)),$((menu_bottom + 8))"
xdotool key Return
wait_until 30 quillmere_ended || fail "the program was still running 30 s after Exit on the tray menu"
check_running "after Exit on the tray menu" 0
check_tray "after Exit on the tray menu" 0 0
finish
