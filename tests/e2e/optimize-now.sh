# "Optimize Now" with the main window shown: a progress window above all others, a bar that climbs to
# 410 of 410 while the program takes about 402 MB and gives it back, then "Optimization done"; after
# it the time of the run is stored and the main window's figures move again.
# shellcheck disable=SC2317  # the functions below run through wait_until and check_true
source "$(dirname "$0")/lib.sh"
setup_test

start_quillmere ""
wait_until 60 main_window_visible || die "the main window was not shown within 60 s"
check_registry "$settings_key" "lastOptimized" ""
idle_working_set=$(field working_set "$(probe process-memory "$quillmere_pid")")
note "working set at rest: $((idle_working_set / 1000000)) MB"
check_equal "before the run: chkRunWhenWIndowsStarts enabled" 1 "$(field enabled "$(control chkRunWhenWIndowsStarts)")"

# The probe follows the progress window from its creation to its end, faster than a script could.
watch_file=$test_dir/watch.txt
wine "$probe_exe" watch "$quillmere_pid" QuillmereOptimize 120 >"$watch_file" 2>&1 &
watch=$!

# lblOptimizeNow sits at 5655, 7530 (size 1515 x 240) in Picture1.
run_requested=$(date +%s)
note "clicking the centre of Optimize Now"
click_centre "$(field window_rect "$(control Picture1)")" 5655 7530 1515 240

optimize_window=
find_optimize_window() {
  optimize_window=$(field hwnd "$(probe windows --pid "$quillmere_pid" --class QuillmereOptimize)")
  [[ -n "$optimize_window" ]]
}
wait_until 30 find_optimize_window || die "no progress window within 30 s of the click"
# The request froze the main window: its controls are disabled and its refresh timer stopped, so this
# figure stands until the run has ended. The run itself starts a second after the window is shown.
check_equal "with the progress window up: chkRunWhenWIndowsStarts enabled" 0 \
  "$(field enabled "$(control chkRunWhenWIndowsStarts)")"
frozen_figure=$(field text "$(control lblAvilablePhysicalRam)")

box_caption=$main_title
box_shown() { [[ "$(field found "$(probe message-box "$box_caption")")" == 1 ]]; }

# Until the box comes: one look at the window while the bar is on its way.
seen_mid_run=0
look_during_run() {
  box_shown && return 0
  ((seen_mid_run)) && return 1
  local pos
  pos=$(field pos "$(probe control "$optimize_window" PgbOptimizing)")
  if [[ -n "$pos" ]] && ((pos > 0 && pos < 402)); then
    seen_mid_run=1
    note "mid-run, the bar at $pos"
    save_screenshot optimize-now-progress.png "$(field window_rect "$(probe windows --pid "$quillmere_pid" --class QuillmereOptimize)")"
  fi
  return 1
}
wait_until 90 look_during_run || die "no \"Optimization done\" box within 90 s of the click"
((seen_mid_run)) || note "the run was over before a look at the bar caught it on its way: no mid-run screenshot"

box=$(probe message-box "$box_caption")
check_equal "the box belongs to the program" "$quillmere_pid" "$(field pid "$box")"
check_equal "the box's text" "Optimization done" "$(field text "$box")"
check_equal "the box's button" "OK" "$(field button "$box")"
box_window=$(probe windows --pid "$quillmere_pid" --class '#32770')
save_screenshot optimize-now-done.png "$(field window_rect "$box_window")"

# While the box is open the run is over: full bar, out of the topmost band, the time stored, and the
# main window refreshing again.
bar=$(probe control "$optimize_window" PgbOptimizing)
check_equal "with the box open: the bar's position" 410 "$(field pos "$bar")"
check_equal "with the box open: the bar's range" 410 "$(field range_high "$bar")"
state=$(probe windows --pid "$quillmere_pid" --class QuillmereOptimize)
check_equal "with the box open: the progress window visible" 1 "$(field visible "$state")"
check_equal "with the box open: the progress window topmost" 0 "$(field topmost "$state")"
check_registry_time "$settings_key" "lastOptimized" "$run_requested" "$(date +%s)"
check_equal "with the box open: chkRunWhenWIndowsStarts enabled" 1 "$(field enabled "$(control chkRunWhenWIndowsStarts)")"
# The shown figure is at most a second old: it must lie near the system's figures read just before
# and just after it (the machine's other work moves them too).
drift_kb=16384
figure_refreshed() {
  local text before after
  before=$(field avail_phys_kb "$(probe memory)")
  text=$(field text "$(control lblAvilablePhysicalRam)")
  after=$(field avail_phys_kb "$(probe memory)")
  [[ "$text" != "$frozen_figure" && "$text" =~ ^([0-9]+(\.[0-9]+)?)\ KB$ ]] || return 1
  awk -v shown="${BASH_REMATCH[1]}" -v a="$before" -v b="$after" -v drift="$drift_kb" \
    'BEGIN { low = (a < b ? a : b) - drift; high = (a > b ? a : b) + drift; exit !(shown > low && shown < high) }'
}
check_true "within 10 s lblAvilablePhysicalRam leaves '$frozen_figure' for the system's figure (within $drift_kb KB)" \
  wait_until 10 figure_refreshed

probe press-ok "$box_caption" >/dev/null || fail "could not press OK on the box"
run_over() { ! box_shown && [[ "$(field count "$(probe windows --pid "$quillmere_pid" --class QuillmereOptimize)")" == 0 ]]; }
check_true "the box and the progress window are gone within 30 s of OK" wait_until 30 run_over
wait "$watch" || true
check_running "after the run" 1
check_main_window "after the run" 1 0

# What the probe saw, one line per change: time (ms), visible, topmost, rectangle, bar position and range.
samples=$(sed -n 's/^sample=//p' "$watch_file" | tr -d '\r')
note "the probe saw $(wc -l <<<"$samples") states of the progress window"
summary=$(awk '
  $5 >= 0 && $2 == 1 && first_visible == "" { first_visible = $1 }
  $5 > 0 && started == "" { started = $1 }
  $5 == 410 && $6 == 410 && full == "" { full = $1 }
  $5 > 0 && $5 < 402 { climbing[$5] = 1 }
  $5 >= 0 && $5 < last { backwards = 1 }
  $5 >= 0 { last = $5 }
  $5 > 0 && $5 < 410 && ($2 != 1 || $3 != 1) { not_on_top = 1 }
  END {
    n = 0; for (p in climbing) n++
    printf "wait=%d\nduration=%d\nclimbing=%d\nbackwards=%d\nnot_on_top=%d\nfull=%d\n",
      started - first_visible, full - started, n, backwards, not_on_top, full != ""
  }' <<<"$samples")
note "the run began $(field wait "$summary") ms after the window was shown and took $(field duration "$summary") ms"
check_true "the run waits for the timer's second after the window is shown (at least 500 ms seen)" \
  test "$(field wait "$summary")" -ge 500
check_true "the bar climbs: at least 20 different positions between 1 and 401 seen" \
  test "$(field climbing "$summary")" -ge 20
check_equal "the bar never goes back" 0 "$(field backwards "$summary")"
check_equal "the bar reaches 410 of 410" 1 "$(field full "$summary")"
check_equal "the progress window is visible and topmost throughout the run" 0 "$(field not_on_top "$summary")"

# About 402 MB (of 1,000,000 bytes, as the run counts them) come and go: the peak stands that far
# above the figure at rest, and the working set comes back down after the run.
memory=$(probe process-memory "$quillmere_pid")
rise_mb=$((($(field peak_working_set "$memory") - idle_working_set) / 1000000))
after_mb=$((($(field working_set "$memory") - idle_working_set) / 1000000))
note "the working set rose by $rise_mb MB at its peak and stands $after_mb MB above its rest figure after the run"
check_true "the working set rose by 300..500 MB during the run" test "$rise_mb" -ge 300 -a "$rise_mb" -le 500
check_true "the working set is back within 50 MB of its rest figure" test "$after_mb" -le 50
finish
