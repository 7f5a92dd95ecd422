# The tray icon's tip: started hidden with " auto", the icon's tip reads the title, then the physical
# memory line the window shows (its share of the available figure in the window's text box against
# the total), and it follows that line.
# shellcheck disable=SC2317  # the functions below run through wait_until
source "$(dirname "$0")/lib.sh"
setup_test

start_quillmere " auto"
wait_until 60 tray_icon_shown || die "no tray icon within 60 s of the start with \"auto\""

tips=$(probe tray-tips) || die "the tray's tips could not be read: $tips"
check_equal "icons with a tip in the tray" 1 "$(field count "$tips")"
tip_pattern='^Quillmere v5\.0\.1\\nPhysical RAM ([0-9]+)% available$'
check_true "the tip '$(field tip "$tips")' is the title, then the physical memory line" \
  test -n "$(sed -En "s/${tip_pattern}/ok/p" <<<"$(field tip "$tips")")"

# The share the window shows, from its available figure and the system's total, halves to even.
total_kb=$(field total_phys_kb "$(probe memory)")
window_share() {
  local text
  text=$(field text "$(control lblAvilablePhysicalRam)")
  [[ "$text" =~ ^([0-9]+(\.[0-9]+)?)\ KB$ ]] || return 1
  awk -v shown="${BASH_REMATCH[1]}" -v total="$total_kb" 'BEGIN { printf "%.0f\n", shown / total * 100 }'
}
# Other processes move the figure, and the tip follows it at the tick that writes it: the tip read
# just before or just after the window's figure must say the same share.
tip_agrees() {
  local before after share line
  before=$(field tip "$(probe tray-tips)")
  share=$(window_share) || return 1
  after=$(field tip "$(probe tray-tips)")
  note "tip '$before', then the window's share $share%, then tip '$after'"
  line="Quillmere v5.0.1\\nPhysical RAM $share% available"
  [[ "$before" == "$line" || "$after" == "$line" ]]
}
wait_until 15 tip_agrees || fail "the tip did not show the window's physical memory share within 15 s"

# The tip follows the figure: a few percent of the memory taken by another process moves the share.
tip_before=$(field tip "$(probe tray-tips)")
hold_mb=$(awk -v total="$total_kb" 'BEGIN { printf "%d\n", total / 1024 * 0.03 + 1 }')
note "taking $hold_mb MB for 15 s"
hold_file=$test_dir/hold.txt
wine "$probe_exe" hold-memory "$hold_mb" 15 >"$hold_file" 2>&1 &
hold=$!
tip_moved() { [[ "$(field tip "$(probe tray-tips)")" != "$tip_before" ]] && tip_agrees; }
wait_until 12 tip_moved || fail "the tip did not follow the window's share within 12 s of taking $hold_mb MB"
wait "$hold" || true
check_equal "the memory was taken" 1 "$(sed -n 's/^held=//p' "$hold_file" | tr -d '\r')"

# The window leaves the tray and comes back: the new icon has the tip again at once.
probe tray-event "$main_window" 0x203 >/dev/null
wait_until 10 main_window_visible || die "the main window was not shown within 10 s of a double-click"
check_equal "icons in the tray while the window is shown" 0 "$(field count "$(probe tray-tips || true)")"
probe close "$main_window" >/dev/null
wait_until 10 tray_icon_shown || die "no tray icon within 10 s of a close request"
wait_until 15 tip_agrees || fail "after hiding again, the tip did not show the window's share within 15 s"

check_running "at the end" 1
finish
