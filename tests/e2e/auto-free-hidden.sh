# The automatic free while the program lives in the tray: with the option on and the threshold above
# the available share, a run starts by itself. Its progress window slides up from below the screen's
# bottom edge at the right, the icon ignores clicks meanwhile, the run ends without a message, the
# time is stored, and no second run follows within the 300 seconds' rest.
# shellcheck disable=SC2317  # the functions below run through wait_until and check_true
source "$(dirname "$0")/lib.sh"
setup_test

# No available share reaches 101 %, so the run starts whatever the machine's memory. The up-down
# stops at 65, but the program takes the stored threshold as it stands.
set_registry "$settings_key" "Enable Auto Free" 1
set_registry "$settings_key" "Free RAM Percentage" 101
started=$(date +%s)
start_quillmere " auto"

# The probe follows the progress window from its creation to its end, faster than a script could.
watch_file=$test_dir/watch.txt
wine "$probe_exe" watch "$quillmere_pid" QuillmereOptimize 60 >"$watch_file" 2>&1 &
watch=$!
wait_until 60 tray_icon_shown || die "no tray icon within 60 s of the start with \"auto\""

read -r screen_width screen_height <<<"$(xdotool getdisplaygeometry)"
# As soon as the progress window is seen, a double-click and a right-button release on the icon: the
# run holds them off, since it starts a second after the slide. Then one look at the window once it
# has slid fully onto the screen, for people to see where it stops.
events_posted=0
shot_taken=0
tip_during_run=
look_at_window() {
  kill -0 "$watch" 2>/dev/null || return 0
  local state bottom
  state=$(probe windows --pid "$quillmere_pid" --class QuillmereOptimize)
  [[ "$(field visible "$state")" == 1 ]] || return 1
  tip_during_run=$(field tip "$(probe tray-tips)")
  if ((!events_posted)); then
    events_posted=1
    probe tray-event "$main_window" 0x203 >/dev/null
    probe tray-event "$main_window" 0x205 >/dev/null
  fi
  IFS=, read -r _ _ _ bottom <<<"$(field window_rect "$state")"
  if ((!shot_taken && bottom <= screen_height)); then
    shot_taken=1
    save_screenshot auto-free-hidden-progress.png "$((screen_width - 480)),$((screen_height - 240)),$screen_width,$screen_height"
  fi
  return 1
}
wait_until 60 look_at_window || fail "the progress window was still there 60 s after the start"
wait "$watch" || true
((shot_taken)) || note "the window was gone before a look caught it on the screen: no screenshot"
check_equal "tray events posted while the progress window was up" 1 "$events_posted"
check_equal "the icon's tip during the run" 'Quillmere v5.0.1\nOptimizing Physical RAM…' "$tip_during_run"

check_equal "a progress window appeared" 1 "$(sed -n 's/^appeared=//p' "$watch_file" | tr -d '\r')"
check_equal "the progress window went by itself" 1 "$(sed -n 's/^gone=//p' "$watch_file" | tr -d '\r')"
check_equal "no message box" 0 "$(field count "$(probe windows --pid "$quillmere_pid" --class '#32770')")"
check_equal "no pop-up menu" 0 "$(field count "$(probe windows --pid "$quillmere_pid" --class '#32768')")"
check_registry_time "$settings_key" "lastOptimized" "$started" "$(date +%s)"
check_running "after the run" 1
check_main_window "after the run" 0 1
check_tray "after the run" 1 1

# Where the window must go, from the program's placement: twips at 15 per pixel, the screen's and the
# taskbar's heights counted at 14.5 twips per pixel, the left edge at 14.7. Wine's taskbar window is
# hidden and empty, so its height is normally 0.
taskbar_height=$(awk -F, '{ print $4 - $2 }' <<<"$(field client_rect "$(probe windows --class Shell_TrayWnd)")")
samples=$(sed -n 's/^sample=//p' "$watch_file" | tr -d '\r')
note "the probe saw $(wc -l <<<"$samples") states of the progress window; screen ${screen_width}x$screen_height, taskbar ${taskbar_height:-0} pixels high"
summary=$(awk -v width="$screen_width" -v height="$screen_height" -v taskbar="${taskbar_height:-0}" '
  function even(x,  r) { r = int(x); if (x - r > 0.5 || (x - r == 0.5 && r % 2 == 1)) r++; return r }
  function pixels(twips) { return int(twips / 15 + 0.5) }
  { split($4, r, ",") }
  $2 == 1 && first_top == "" {
    outer = (r[4] - r[2]) * 15
    start = outer + even(height * 14.5) - even(taskbar * 14.5)
    final = even(height * 14.5) - (outer + 100)
    moves = start > final ? int((start - final + 79) / 80) : 0
    expect_first = pixels(start); expect_last = pixels(start - 80 * moves)
    expect_left = pixels(int((width - 391 + 10) * 14.7))
    first_top = r[2]; top = r[2]; tops = 1
  }
  $2 == 1 && r[2] != top { if (r[2] > top) downwards = 1; top = r[2]; tops++; last_move = $1 }
  $2 == 1 && r[1] != expect_left { wrong_left = r[1] }
  $2 == 1 && $5 < 410 && $3 != 1 { not_on_top = 1 }
  $5 > 0 && started == "" { started = $1; run_top = r[2] }
  $5 > 0 && r[2] != run_top { moved_in_run = 1 }
  $5 > 0 && $5 < 402 { climbing[$5] = 1 }
  END {
    n = 0; for (p in climbing) n++
    printf "first_top=%s\nexpect_first=%d\nlast_top=%s\nexpect_last=%d\ntops=%d\ndownwards=%d\n",
      first_top, expect_first, run_top, expect_last, tops, downwards
    printf "expect_left=%d\nwrong_left=%s\nnot_on_top=%d\nwait=%d\nmoved_in_run=%d\nclimbing=%d\n",
      expect_left, wrong_left == "" ? "none" : wrong_left, not_on_top, started - last_move, moved_in_run, n
  }' <<<"$samples")
note "placement: first top seen $(field first_top "$summary") (placed at $(field expect_first "$summary")), \
$(field tops "$summary") tops, the run at top $(field last_top "$summary") (expected $(field expect_last "$summary")), \
left $(field expect_left "$summary"); the run began $(field wait "$summary") ms after the last move"
check_true "the first top seen lies below the screen's bottom edge ($screen_height)" \
  test "$(field first_top "$summary")" -ge "$screen_height"
check_true "the window slides: at least 10 different tops seen" test "$(field tops "$summary")" -ge 10
check_equal "the window only ever moves up" 0 "$(field downwards "$summary")"
check_true "the slide stops at the expected top (within a pixel)" \
  awk -v a="$(field last_top "$summary")" -v b="$(field expect_last "$summary")" 'BEGIN { exit !(a != "" && a - b <= 1 && b - a <= 1) }'
check_equal "a left edge other than $(field expect_left "$summary"), near the right of the screen" none \
  "$(field wrong_left "$summary")"
check_equal "the window is topmost from its show to the end of the run" 0 "$(field not_on_top "$summary")"
check_equal "the window does not move during the run" 0 "$(field moved_in_run "$summary")"
check_true "the run waits for the timer's second after the slide (at least 500 ms seen)" \
  test "$(field wait "$summary")" -ge 500
check_true "the bar climbs: at least 20 different positions between 1 and 401 seen" \
  test "$(field climbing "$summary")" -ge 20

# The stored time holds off the next automatic run although the share stays below the threshold.
second=$(probe watch "$quillmere_pid" QuillmereOptimize 10 || true)
check_equal "no second run within 10 s" 0 "$(field appeared "$second")"
check_main_window "10 s after the run" 0 1
tip_after_run=$(field tip "$(probe tray-tips)")
check_true "the icon's tip '$tip_after_run' shows the physical memory line again after the run" \
  grep -Eq '^Quillmere v5\.0\.1\\nPhysical RAM [0-9]+% available$' <<<"$tip_after_run"

probe tray-event "$main_window" 0x203 >/dev/null
wait_until 10 main_window_visible || fail "the main window was not shown within 10 s of a double-click after the run"
check_main_window "after a double-click after the run" 1 0
check_tray "after a double-click after the run" 0 0
finish
