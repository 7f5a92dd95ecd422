# The main window from the keyboard alone, with real key input: Tab then Space toggles the first
# check box, Help opens its menu under the button with Enter, About opens with Enter and closes with
# Escape, and Tab then Enter on "Optimize Now" starts a run. The tray icon's keyboard events (Wine's
# tray takes no keyboard input) are posted as the shell posts them: Enter restores the window, the
# context-menu key opens the menu at the icon.
# shellcheck disable=SC2317  # the functions below run through wait_until
source "$(dirname "$0")/lib.sh"
setup_test

start_quillmere ""
wait_until 60 main_window_visible || die "the main window was not shown within 60 s"
wait_for_program() { control Picture1 >/dev/null; }
wait_for_program
picture_rect=$(field window_rect "$(control Picture1)")
IFS=, read -r picture_left picture_top picture_right picture_bottom <<<"$picture_rect"
# The pointer rests outside the window: nothing below may come from the mouse.
xdotool mousemove 1270 1010

keys() { probe keys "$main_window" "$@" >/dev/null || fail "the probe could not press $*"; }
checked() { field checked "$(control chkRunWhenWIndowsStarts)"; }
menu_state() { probe windows --pid "$quillmere_pid" --class '#32768'; }
menu_shown() { [[ "$(field visible "$(menu_state)")" == 1 ]]; }
menu_gone() { ! menu_shown; }

# --- Tab then Space on the first check box ------------------------------------------------------
# The box starts as the stored option says; Space turns it the other way, and the Run value follows.
checked_before=$(checked)
keys tab space
toggled() { [[ "$(checked)" == "$((1 - checked_before))" ]]; }
wait_until 10 toggled || fail "Tab then Space did not toggle \"Load Quillmere v5.0.1 when windows starts.\" (checked: $checked_before)"
run_value_follows() {
  if [[ "$(checked)" == 1 ]]; then registry_value "$user_run_key" "$run_value_name" >/dev/null
  else ! registry_value "$user_run_key" "$run_value_name" >/dev/null; fi
}
wait_until 10 run_value_follows || fail "the Run value does not follow the check box toggled from the keyboard"
note "ok: Tab then Space toggled the check box from $checked_before to $(checked)"
save_screenshot keyboard-check-box.png "$picture_rect"

# --- Help: Tab on to it (the threshold's up-down is off with its option), Enter ---------------------
keys tab tab enter
wait_until 10 menu_shown || fail "no Help menu within 10 s of Enter on Help"
if menu_shown; then
  IFS=, read -r menu_left menu_top menu_right menu_bottom <<<"$(field window_rect "$(menu_state)")"
  # Help's outline: 2310, 7470, 1215 x 390 twips in the picture box.
  check_equal "the Help menu's top-left at the bottom-left of the button" \
    "$((picture_left + 2310 / 15)),$((picture_top + 7860 / 15))" "$menu_left,$menu_top"
  save_screenshot keyboard-help-menu.png "$picture_left,$((menu_top - 60)),$((menu_right + 8)),$((menu_bottom + 8))"
  keys escape
  wait_until 10 menu_gone || fail "Escape did not close the Help menu"
fi

# --- About: Tab, Enter; Escape closes it ----------------------------------------------------------
keys tab enter
wait_until 15 about_shown || fail "no About window within 15 s of Enter on About"
if about_shown; then
  save_screenshot keyboard-about.png "$(field window_rect "$(about_state)")"
  probe keys "$(field hwnd "$(about_state)")" escape >/dev/null
  wait_until 15 about_gone || fail "Escape did not close the About window"
fi

# --- Tab then Enter on Optimize Now: a run -------------------------------------------------------
wait_for_program
keys tab
sleep 0.5
save_screenshot keyboard-focus-optimize-now.png "$picture_left,$((picture_top + 480)),$picture_right,$picture_bottom"
# A screen reader is told where the focus is: the button's accessible state is focused (0x4).
optimize_read=$(probe accessible "$(field hwnd "$(control Picture1)")" | grep '^child=pushbutton|Optimize Now|')
optimize_state=$(cut -d'|' -f4 <<<"$optimize_read")
check_true "Optimize Now reads as focused (state ${optimize_state:-none})" \
  test -n "$optimize_state" -a $((${optimize_state:-0} & 0x4)) -ne 0
keys enter
optimize_shown() { [[ -n "$(field hwnd "$(probe windows --pid "$quillmere_pid" --class QuillmereOptimize)")" ]]; }
wait_until 30 optimize_shown || die "no progress window within 30 s of Enter on Optimize Now"
note "ok: Enter on Optimize Now started a run"
box_shown() { [[ "$(field found "$(probe message-box "$main_title")")" == 1 ]]; }
wait_until 90 box_shown || die "no \"Optimization done\" within 90 s"
probe press-ok "$main_title" >/dev/null
run_over() { ! optimize_shown && ! box_shown; }
wait_until 30 run_over || die "the run's windows were still up 30 s after OK"

# --- the tray icon's keyboard events ------------------------------------------------------------
# Tab on to Hide, Enter.
wait_for_program
keys tab enter
wait_until 15 tray_icon_shown || die "no tray icon within 15 s of Enter on Hide"
wait_until 10 main_window_hidden || die "the main window was not hidden within 10 s of Enter on Hide"
wait_for_program
# Shift+F10 or the context-menu key on the icon: the menu opens at the icon's point.
probe tray-event "$main_window" 0x7B 300 200 >/dev/null
wait_until 10 menu_shown || fail "no tray menu within 10 s of the context-menu request"
if menu_shown; then
  IFS=, read -r menu_left menu_top _ _ <<<"$(field window_rect "$(menu_state)")"
  check_equal "the tray menu's top-left at the icon's point" "300,200" "$menu_left,$menu_top"
  xdotool mousemove 1270 1010
  probe keys "$(field hwnd "$(menu_state)")" escape >/dev/null
  wait_until 10 menu_gone || fail "Escape did not close the tray menu"
fi
check_main_window "after the tray menu from the keyboard" 0 1
# Enter or Space on the icon: the window comes back and the icon goes.
probe tray-event "$main_window" 0x401 >/dev/null
wait_until 10 main_window_visible || fail "the main window was not shown within 10 s of Enter on the icon"
check_main_window "after Enter on the icon" 1 0
check_tray "after Enter on the icon" 0 0
finish
