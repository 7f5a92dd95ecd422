# A screen reader's view of the windows, read from another process as a reader reads it: the main
# window's picture box gives the figures, the "% available" bars and the label buttons with their
# roles and places; the threshold box has the setting's name; "About" pressed through its default
# action opens the About window, whose "Close" closes it the same way.
source "$(dirname "$0")/lib.sh"
setup_test

start_quillmere ""
wait_until 60 main_window_visible || die "the main window was not shown within 60 s"

picture=$(field hwnd "$(control Picture1)")
picture_rect=$(field window_rect "$(control Picture1)")
tree_filled() {
  tree=$(probe accessible "$picture") && grep -q '^child=progressbar|Page File [0-9]*% available|' <<<"$tree"
}
wait_until 30 tree_filled || die "the picture box gave no accessible tree with the figures: $tree"
note "$tree"

check_equal "the picture box's object" "client|Quillmere v5.0.1" "$(field self "$tree" | cut -d'|' -f1,2)"

# The six figures: static texts holding a number and its unit; the one in its own box says what
# that box shows.
figures=$(grep -cE '^child=statictext\|[0-9][0-9.,]* (KB|MB|GB)\|' <<<"$tree")
check_equal "figures read as static texts" 6 "$figures"
# The figure changes every second: the box and the tree are read until they are read in one second.
figure_read_as_shown() {
  local shown
  shown=$(field text "$(control lblAvilablePhysicalRam)")
  grep -qF "child=statictext|$shown|" <<<"$(probe accessible "$picture")"
}
check_true "the available physical memory figure is read as shown" wait_until 10 figure_read_as_shown

# The three bars: named by their "% available" line, their value the same share.
for bar in "Physical RAM" "Virtual RAM" "Page File"; do
  line=$(grep -E "^child=progressbar\|$bar [0-9]+% available\|" <<<"$tree" || true)
  share=$(sed -nE 's/^child=progressbar\|[^|]* ([0-9]+)% available\|([0-9]+)%\|.*/\1 \2/p' <<<"$line")
  check_true "the $bar bar reads its share ($line)" test -n "$share" -a "${share% *}" = "${share#* }"
done

# The label buttons: push buttons whose default action is "Press", where they are drawn (96 DPI).
for button in Help About "Optimize Now" Hide Exit; do
  check_true "$button is a push button that presses" grep -qE "^child=pushbutton\|$button\|\|[^|]*\|[^|]*\|Press$" <<<"$tree"
done
IFS=, read -r picture_left picture_top _ _ <<<"$picture_rect"
about_rect=$(grep '^child=pushbutton|About|' <<<"$tree" | cut -d'|' -f5)
check_equal "About's place on the screen" \
  "$((picture_left + 3990 / 15)),$((picture_top + 7530 / 15)),$((picture_left + 5085 / 15)),$((picture_top + 7770 / 15))" \
  "$about_rect"

check_true "the start with Windows check box" grep -qF "child=checkbutton|Load Quillmere v5.0.1 when windows starts.|" <<<"$tree"
check_true "the automatic free check box" grep -qF "child=checkbutton|Automatically Free If RAM Memory goes below|" <<<"$tree"
check_true "the threshold in the picture box" \
  grep -qF "child=spinbutton|Automatically Free If RAM Memory goes below %|15|" <<<"$tree"
check_equal "the title is read once" 1 "$(grep -c '^child=statictext|Quillmere v5.0.1|' <<<"$tree")"

# The threshold's own windows answer with the setting's name.
box=$(probe accessible "$(field hwnd "$(control txtScanTillNumberOfFiles)")")
check_equal "the threshold box's object" "text|Automatically Free If RAM Memory goes below %|15" \
  "$(field self "$box" | cut -d'|' -f1-3)"
updown=$(probe accessible "$(field hwnd "$(control udScanTillNoOfFiles)")")
check_equal "the up-down's object" "spinbutton|Automatically Free If RAM Memory goes below %|15" \
  "$(field self "$updown" | cut -d'|' -f1-3)"

# The default action of "About" opens the About window; its "Close" closes it.
pressed=$(probe accessible-press "$picture" About) || true
check_equal "About pressed through its default action" 1 "$(field pressed "$pressed")"
wait_until 10 about_shown || fail "the About window did not open after About's default action"
about=$(field hwnd "$(about_state)")
about_picture=$(field hwnd "$(probe control "$about" Picture1)")
about_tree=$(probe accessible "$about_picture")
note "$about_tree"
check_true "the About window reads the company" grep -qF "child=statictext|Tarnholt|" <<<"$about_tree"
check_true "the About window's Close is a push button" grep -qE '^child=pushbutton\|Close\|' <<<"$about_tree"
# A reader that still holds the About window's object after the window has gone gets a failure
# (the program disconnects it: RPC_E_DISCONNECTED from the object, or the RPC layer's own error once
# the stub is cut; Wine says 0x800706b5), and the program goes on.
held=$(probe accessible-hold "$about_picture" Close) || true
check_equal "Close pressed through its default action" 1 "$(field pressed "$held")"
check_equal "the About window went" 1 "$(field window_gone "$held")"
check_equal "the held object fails after its window went ($(field name_after "$held"))" 1 \
  "$(field name_after_failed "$held")"
check_running "after the About window's object was used once its window had gone" 1
check_true "the main window still reads" tree_filled
finish
