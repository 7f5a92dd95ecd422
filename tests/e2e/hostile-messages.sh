# Messages that any other program can send or post, with parameters the program must not trust: a
# WM_NOTIFY with a bad pointer or none, a WM_DPICHANGED with a null or bad rectangle, a WM_TIMER
# whose lParam is a bogus callback, a paste of text that is no threshold, a right-click on the
# threshold box. The program stays alive, unchanged and usable: it answers, its figures move, its
# up-down and its buttons still work, and the threshold box holds only what the up-down could write.
# shellcheck disable=SC2317  # the functions below run through wait_until
source "$(dirname "$0")/lib.sh"
setup_test

WM_NOTIFY=0x4E
WM_DPICHANGED=0x2E0
WM_TIMER=0x113
WM_COPYDATA=0x4A
EM_SETSEL=0xB1
bad_pointer=0x12345678
dpi_192=0x00C000C0

# The option on, so that the threshold box and its up-down are enabled; the lowest threshold, so
# that no automatic run starts in the middle.
set_registry "$settings_key" "Enable Auto Free" 1
set_registry "$settings_key" "Free RAM Percentage" 10

start_quillmere ""
wait_until 60 main_window_visible || die "the main window was not shown within 60 s"
picture=$(control Picture1)
picture_hwnd=$(field hwnd "$picture")
main_rect=$(field window_rect "$(main_window_state)")
box_hwnd=$(field hwnd "$(control txtScanTillNumberOfFiles)")
figure() { field text "$(control lblAvilablePhysicalRam)"; }
threshold() { field text "$(control txtScanTillNumberOfFiles)"; }

# --- bad parameters, sent and posted ------------------------------------------------------------

# Wine refuses to send a WM_NOTIFY to another process (the send fails at once), as Windows may
# deliver it; either way the program must come out of it unharmed.
for target in "$main_window" "$picture_hwnd"; do
  probe send "$target" $WM_NOTIFY 0 $bad_pointer >/dev/null || note "WM_NOTIFY($bad_pointer) was not delivered to $target"
  probe send "$target" $WM_NOTIFY 0 0 >/dev/null || note "WM_NOTIFY(null) was not delivered to $target"
  probe post "$target" $WM_NOTIFY 0 $bad_pointer >/dev/null || fail "WM_NOTIFY could not be posted to $target"
done
probe send "$main_window" $WM_DPICHANGED $dpi_192 0 >/dev/null || fail "WM_DPICHANGED(null) was not answered"
probe send "$main_window" $WM_DPICHANGED $dpi_192 $bad_pointer >/dev/null || fail "WM_DPICHANGED($bad_pointer) was not answered"
probe post "$main_window" $WM_DPICHANGED $dpi_192 0 >/dev/null || fail "WM_DPICHANGED(null) could not be posted"
probe post "$main_window" $WM_DPICHANGED $dpi_192 $bad_pointer >/dev/null || fail "WM_DPICHANGED($bad_pointer) could not be posted"
probe post "$main_window" $WM_TIMER 1 $bad_pointer >/dev/null || fail "WM_TIMER with a callback could not be posted"
probe post "$main_window" $WM_COPYDATA 0 $bad_pointer >/dev/null || note "WM_COPYDATA could not be posted (the system refuses it)"
sleep 2

check_running "after the bad messages" 1
check_true "after the bad messages: the program answers" control Picture1 >/dev/null
check_equal "after the bad messages: the main window's place and size" "$main_rect" \
  "$(field window_rect "$(main_window_state)")"
first_figure=$(figure)
figure_moved() { [[ "$(figure)" != "$first_figure" ]]; }
check_true "after the bad messages: the available-memory figure still moves" wait_until 20 figure_moved

# The up-down's own notification still arrives: its up arrow steps the threshold.
IFS=, read -r ud_left ud_top ud_right ud_bottom <<<"$(field window_rect "$(control udScanTillNoOfFiles)")"
click_at "$(((ud_left + ud_right) / 2))" "$((ud_top + (ud_bottom - ud_top) / 4))"
threshold_is() { [[ "$(threshold)" == "$1" ]]; }
check_true "the up-down's up arrow still steps the threshold to 11" wait_until 10 threshold_is 11
check_registry "$settings_key" "Free RAM Percentage" 11

# --- the threshold box --------------------------------------------------------------------------

for text in abc 4 66 "1 5" 12.5; do
  probe paste "$box_hwnd" "$text" >/dev/null || fail "the paste of '$text' was not answered"
  check_equal "after a paste of '$text': the threshold box" 11 "$(threshold)"
done
check_registry "$settings_key" "Free RAM Percentage" 11
# A paste that leaves a threshold the up-down could write is taken.
probe send "$box_hwnd" $EM_SETSEL 0 -1 >/dev/null
probe paste "$box_hwnd" 40 >/dev/null || fail "the paste of '40' was not answered"
check_equal "after a paste of '40' over the whole text: the threshold box" 40 "$(threshold)"
check_registry "$settings_key" "Free RAM Percentage" 40

# A right-click on the box opens no editing menu.
IFS=, read -r box_left box_top box_right box_bottom <<<"$(field window_rect "$(control txtScanTillNumberOfFiles)")"
xdotool mousemove "$(((box_left + box_right) / 2))" "$(((box_top + box_bottom) / 2))"
sleep 0.3
xdotool click 3
sleep 2
check_equal "no menu after a right-click on the threshold box" 0 \
  "$(field count "$(probe windows --pid "$quillmere_pid" --class '#32768')")"
xdotool key Escape

# --- and a button still works -------------------------------------------------------------------

click_centre "$(field window_rect "$picture")" 7680 7530 1095 240
check_true "a click on Hide still hides the window to the tray" wait_until 15 tray_icon_shown
check_true "the window is hidden" wait_until 10 main_window_hidden
check_running "at the end" 1
finish
