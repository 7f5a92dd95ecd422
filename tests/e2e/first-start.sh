# First start with an empty settings store: the window is shown, the settings and the Run value are
# written, and the window shows the system's memory.
source "$(dirname "$0")/lib.sh"
setup_test

start_quillmere ""
wait_until 60 main_window_visible || fail "the main window was not shown within 60 s"
state=$(main_window_state)
check_equal "main window visible" 1 "$(field visible "$state")"
check_equal "main window minimized" 0 "$(field minimized "$state")"
check_equal "main window title" "$main_title" "$(field title "$state")"

check_registry "$settings_key" "Load on Windows" 1
check_registry "$settings_key" "Enable Auto Free" 0
check_registry "$settings_key" "Free RAM Percentage" 15
check_registry "$settings_key" "Loaded" True
check_registry "$settings_key" "lastOptimized" ""
check_registry "$user_run_key" "$run_value_name" "\"$installed_exe_windows\" auto"
check_registry_absent "$run_key" "$run_value_name"

check_equal "chkRunWhenWIndowsStarts checked" 1 "$(field checked "$(control chkRunWhenWIndowsStarts)")"

# The available-memory figure is refreshed every second: it must lie between the system's figures
# read just before and just after it, give or take what one second may change. Other processes
# move that figure too, so a few readings are allowed before the figure counts as wrong.
drift_kb=8192
figure_agrees() {
  local before after text
  before=$(field avail_phys_kb "$(probe memory)")
  text=$(field text "$(control lblAvilablePhysicalRam)")
  after=$(field avail_phys_kb "$(probe memory)")
  note "lblAvilablePhysicalRam reads '$text'; the system reported $before KB before and $after KB after"
  [[ "$text" =~ ^([0-9]+(\.[0-9]+)?)\ KB$ ]] || return 1
  awk -v shown="${BASH_REMATCH[1]}" -v a="$before" -v b="$after" -v drift="$drift_kb" \
    'BEGIN { low = (a < b ? a : b) - drift; high = (a > b ? a : b) + drift; exit !(shown >= low && shown <= high) }'
}
agreed=0
for _ in 1 2 3 4 5; do
  if figure_agrees; then agreed=1; break; fi
done
check_equal "lblAvilablePhysicalRam is 'N KB' within $drift_kb KB of the system's available memory" 1 "$agreed"

# The bars: a range from 0, a position inside it; the physical bar stands for available/total.
memory=$(probe memory)
for bar in PgbAvailablePhysicalRAM pgbAvailableVirtualRAM pgbAvailablePageFile; do
  fields=$(control "$bar")
  low=$(field range_low "$fields")
  high=$(field range_high "$fields")
  pos=$(field pos "$fields")
  note "$bar: position $pos in $low..$high"
  check_equal "$bar range starts at" 0 "$low"
  check_true "$bar has a range above 0 and its position inside it" \
    awk -v low="$low" -v high="$high" -v pos="$pos" 'BEGIN { exit !(high > 0 && pos >= low && pos <= high) }'
done
fields=$(control PgbAvailablePhysicalRAM)
check_true "PgbAvailablePhysicalRAM shows the system's share of available memory (within 2 points)" \
  awk -v high="$(field range_high "$fields")" -v pos="$(field pos "$fields")" \
  -v total="$(field total_phys "$memory")" -v avail="$(field avail_phys "$memory")" \
  'BEGIN { shown = pos / high * 100; real = avail / total * 100; print "  bar " shown "%, system " real "%";
           d = shown - real; exit !(d < 2 && d > -2) }'

if [[ "$(field visible "$state")" == 1 ]]; then
  save_screenshot main-window.png "$(field window_rect "$state")"
else
  fail "no screenshot: the main window is not visible"
fi
finish
