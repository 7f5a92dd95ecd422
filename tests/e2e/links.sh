# The links, clicked as a person would: "Powered by", the three items of the Help pop-up, the About
# window's three links with About opened from its button and from the tray menu, and the tray menu's
# Help items. A recording program of the suite stands in for the web browser and the mail program:
# each link must start it once, with exactly the quoted address, maximized for a page and in a normal
# window for a mail, and leave no probe file in the temporary folder.
# shellcheck disable=SC2317  # the functions below run through wait_until and check_true
source "$(dirname "$0")/lib.sh"
# The program and the stand-in browser in folders whose names hold a space, ".exe" and a letter
# outside ASCII: only the whole path of the program found for .htm files names it.
install_dir_windows='C:\My.Exe Tools\Quillmère'
installed_exe_windows="$install_dir_windows\\quillmere.exe"
setup_test

home_page='https://www.tarnholt.com/'
contact_page='https://www.tarnholt.com/contact.html'
mail_link='mailto:support@tarnholt.com'
show_maximized=3
show_normal=1

# --- the stand-in browser and mail program ------------------------------------------------------

recorder_exe=$(dirname "$probe_exe")/link-recorder.exe
[[ -f "$recorder_exe" ]] || die "no $recorder_exe: build the link-recorder target"
recorder_windows='C:\My.Exe Tools\Link Recorder\link-recorder.exe'
recorder_dir="$WINEPREFIX/drive_c/My.Exe Tools/Link Recorder"
mkdir -p "$recorder_dir"
cp "$recorder_exe" "$recorder_dir/link-recorder.exe"
received=$recorder_dir/received.txt

set_default_value() {  # KEY DATA
  wine reg add "$1" /ve /d "$2" /f >/dev/null 2>&1 || die "could not write the default value of $1"
}
# The recorder is the shell's handler for https: addresses from the start, marked so that an address
# handed to the shell shows up as such; a link must go to the program for .htm files.
set_default_value 'HKCR\https\shell\open\command' "\"$recorder_windows\" via-https-handler \"%1\""
# The recorder opens .htm files (found through the shell's FindExecutable) and mailto: links.
register_recorder() {
  set_default_value 'HKCR\.htm' htmlfile
  set_default_value 'HKCR\htmlfile\shell\open\command' "\"$recorder_windows\" \"%1\""
  set_default_value 'HKCR\mailto\shell\open\command' "\"$recorder_windows\" \"%1\""
}

temp_windows=$(wine cmd /c 'echo %TMP%' 2>/dev/null | tr -d '\r')
probe_file=$(winepath -u "$temp_windows" 2>/dev/null)/temphtm.htm
note "the program's probe file: $temp_windows\\temphtm.htm"
# A probe file left by an earlier run, which the next link must remove.
leave_probe_file() { printf 'left over\r\n' >"$probe_file"; }

launches=0
received_count() { if [[ -f "$received" ]]; then wc -l <"$received"; else echo 0; fi; }
received_more() { (($(received_count) > launches)); }

# Waits for the next start of the recorder and checks it: the recorder itself, the show command, and
# the parameters, which must be the address in quotation marks and nothing else.
expect_launch() {  # WHAT SHOW ADDRESS
  if ! wait_until 20 received_more; then
    fail "$1: the recorder was not started within 20 s"
    return
  fi
  launches=$((launches + 1))
  local line show command_line program parameters
  line=$(sed -n "${launches}p" "$received" | tr -d '\r')
  show=${line%% *}
  command_line=${line#* }
  # The program's part of a command line: a quoted path, or everything up to the first blank.
  if [[ "$command_line" == \"* ]]; then
    program=${command_line#\"}
    program=${program%%\"*}
    parameters=${command_line#\""$program"\"}
  else
    program=${command_line%% *}
    parameters=${command_line#"$program"}
  fi
  parameters=${parameters#"${parameters%%[! ]*}"}
  check_equal "$1: the program started" "$recorder_windows" "$program"
  check_equal "$1: its parameters" "\"$3\"" "$parameters"
  check_equal "$1: its show command" "$2" "$show"
  check_true "$1: no temphtm.htm in the temporary folder" test ! -e "$probe_file"
}

# --- places on the screen -----------------------------------------------------------------------

# A point safely inside the text of an auto-size label whose top left corner is at X, Y twips.
click_label() {  # RECT X Y
  click_in "$1" "$(($2 + 300))" "$(($3 + 105))"
}

# The screen rectangles of the program's open pop-up menus, one a line.
menu_rects() {
  probe windows --class '#32768' --pid "$quillmere_pid" |
    awk -F= '$1 == "visible" { visible = $2 } $1 == "window_rect" && visible == 1 { print $2 }'
}
menu_open() { [[ -n "$(menu_rects)" ]]; }
menu_closed() { [[ -z "$(menu_rects)" ]]; }
submenu_open() { (($(menu_rects | wc -l) == 2)); }

# Clicks the item whose middle is OFFSET pixels below the top of the menu at RECT.
click_menu_row() {  # RECT OFFSET
  local left top
  IFS=, read -r left top _ _ <<<"$1"
  click_at "$((left + 40))" "$((top + $2))"
}

# --- the main window's links ------------------------------------------------------------------

start_quillmere ""
wait_until 60 main_window_visible || die "the main window was not shown within 60 s"
main_picture=$(field window_rect "$(control Picture1)")

# With no program for .htm files (a fresh prefix has none), "Powered by" opens nothing, not even
# through the shell.
leave_probe_file
click_label "$main_picture" 8625 7995
sleep 3
check_equal "\"Powered by\" with no program for .htm files starts nothing" 0 "$(received_count)"
check_true "\"Powered by\" with no program for .htm files leaves no temphtm.htm" test ! -e "$probe_file"

register_recorder
leave_probe_file
# A double-click is one click: the page opens once (the count at the end sees a second start).
read -r powered_x powered_y <<<"$(screen_point "$main_picture" $((8625 + 300)) $((7995 + 105)))"
xdotool mousemove "$powered_x" "$powered_y"
sleep 0.3
xdotool click --repeat 2 --delay 80 1
expect_launch '"Powered by", double-clicked' "$show_maximized" "$home_page"

# The Help pop-up: three items of one height, so the height of the menu gives each item's place.
help_items=(
  "Mail Us|$show_normal|$mail_link"
  "Online FAQ|$show_maximized|$contact_page"
  "Contact Online Customer Representative|$show_maximized|$contact_page"
)
item_height=
for index in "${!help_items[@]}"; do
  IFS='|' read -r caption show address <<<"${help_items[index]}"
  click_centre "$main_picture" 2370 7530 1095 240
  wait_until 10 menu_open || die "no pop-up menu 10 s after the click on Help"
  menu=$(menu_rects)
  IFS=, read -r _ menu_top _ menu_bottom <<<"$menu"
  item_height=$(((menu_bottom - menu_top) / 3))
  if ((index == 0)); then save_screenshot links-help-menu.png "$menu"; fi
  click_menu_row "$menu" $((item_height * index + item_height / 2))
  expect_launch "Help, \"$caption\"" "$show" "$address"
  wait_until 10 menu_closed || fail "Help, \"$caption\": the pop-up menu was still open 10 s later"
done

# --- the About window ---------------------------------------------------------------------------

# Clicks the three links of the open About window, then Close.
use_about() {  # HOW
  local fields picture
  fields=$(probe control "$(field hwnd "$(about_state)")" Picture1) || die "the About window has no Picture1"
  picture=$(field window_rect "$fields")
  # Label4 elements 2, 3 and 4: where each starts, what it is, how its program must show.
  local links=(
    "3030|2565|support address|$show_normal|$mail_link"
    "3030|3030|home page|$show_maximized|$home_page"
    "1860|3495|contact link|$show_maximized|$contact_page"
  )
  local entry left top what show address
  for entry in "${links[@]}"; do
    IFS='|' read -r left top what show address <<<"$entry"
    click_label "$picture" "$left" "$top"
    expect_launch "$1, the $what" "$show" "$address"
    check_true "$1: the About window is still open after the $what" about_shown
  done
  click_centre "$picture" 3075 4035 1080 240
  # Under Wine on a display without a window manager a window takes about two seconds to go.
  wait_until 15 about_gone || fail "$1: the About window was still there 15 s after the click on Close"
}

click_centre "$main_picture" 3990 7530 1095 240
wait_until 15 about_shown || die "no About window 15 s after the click on the About button"
save_screenshot links-about-window.png "$(field window_rect "$(about_state)")"
# The About window is modal: "Powered by", beside it on the main window, does nothing.
click_label "$main_picture" 8625 7995
sleep 3
check_equal "a click on \"Powered by\" while About is open starts nothing" "$launches" "$(received_count)"
use_about "About from its button"

# --- the tray menu ------------------------------------------------------------------------------

click_centre "$main_picture" 7680 7530 1095 240
wait_until 15 tray_icon_shown || die "no tray icon 15 s after the click on Hide"
tray_rect=$(field client_rect "$(probe windows --title 'Wine System Tray')")
IFS=, read -r tray_left tray_top _ tray_bottom <<<"$tray_rect"

# The tray menu: the title, Optimize, a separator, Help, About, a separator and Exit. Its items have
# the Help pop-up's height, so its height gives the separators'.
open_tray_menu() {
  xdotool mousemove "$((tray_left + 10))" "$(((tray_top + tray_bottom) / 2))"
  sleep 0.3
  xdotool click 3
  wait_until 10 menu_open || die "no tray menu 10 s after a right-click on the tray icon"
  tray_menu=$(menu_rects)
  local top bottom
  IFS=, read -r _ top _ bottom <<<"$tray_menu"
  separator_height=$(((bottom - top - 5 * item_height) / 2))
}

open_tray_menu
click_menu_row "$tray_menu" $((3 * item_height + separator_height + item_height / 2))
wait_until 15 about_shown || die "no About window 15 s after the tray menu's About"
check_true "the main window stays hidden under About from the tray" main_window_hidden
use_about "About from the tray"

for index in "${!help_items[@]}"; do
  IFS='|' read -r caption show address <<<"${help_items[index]}"
  open_tray_menu
  IFS=, read -r menu_left menu_top _ _ <<<"$tray_menu"
  xdotool mousemove "$((menu_left + 40))" "$((menu_top + 2 * item_height + separator_height + item_height / 2))"
  wait_until 10 submenu_open || die "no Help submenu 10 s after pointing at the tray menu's Help"
  submenu=$(menu_rects | grep -vx "$tray_menu" | head -n 1)
  click_menu_row "$submenu" $((item_height * index + item_height / 2))
  expect_launch "tray menu, Help, \"$caption\"" "$show" "$address"
  wait_until 10 menu_closed || fail "tray menu, Help, \"$caption\": the menu was still open 10 s later"
done

sleep 2  # time for a launch too many to show
check_equal "the recorder was started once a link" "$launches" "$(received_count)"
check_true "no temphtm.htm in the temporary folder at the end" test ! -e "$probe_file"
finish
