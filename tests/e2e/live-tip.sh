# Started hidden in the tray, the program's icon tells the physical memory line in its tip, under the
# title: the same percentage the window works from.
source "$(dirname "$0")/lib.sh"
setup_test

start_quillmere " auto"
wait_until 60 tray_icon_shown || die "no tray icon within 60 s"

tip_pattern="^${main_title//./\\.}\\\\nPhysical RAM ([0-9]+)% available$"
tip_matches() { [[ "$(field tip "$(probe tray "$main_window")")" =~ $tip_pattern ]]; }
check_true "within 10 s the tip reads '$main_title' and 'Physical RAM N% available'" wait_until 10 tip_matches
tip=$(field tip "$(probe tray "$main_window")")
note "the tip: $tip"

# The window's share: its available figure (a text box, readable from outside) against the total.
[[ "$tip" =~ $tip_pattern ]] || die "the tip '$tip' has no percentage"
tip_percent=${BASH_REMATCH[1]}
available=$(field text "$(control lblAvilablePhysicalRam)")
[[ "$available" =~ ^([0-9]+(\.[0-9]+)?)\ KB$ ]] || die "lblAvilablePhysicalRam reads '$available'"
window_percent=$(awk -v a="${BASH_REMATCH[1]}" -v t="$(field total_phys_kb "$(probe memory)")" \
  'BEGIN { printf "%d", a / t * 100 + 0.5 }')
# The tip and the figure can come from ticks a second apart.
check_true "the tip's $tip_percent % is the window's $window_percent % (within 1)" \
  test "$((tip_percent - window_percent))" -ge -1 -a "$((tip_percent - window_percent))" -le 1
finish
