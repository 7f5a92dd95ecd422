# The progress window cannot be taken away before its run is over: a WM_CLOSE, a system-menu close
# and a minimise posted the moment it appears change nothing, the run still ends in "Optimization
# done", and the program stays usable: a second "Optimize Now" runs again.
# shellcheck disable=SC2317  # the functions below run through wait_until
source "$(dirname "$0")/lib.sh"
setup_test

start_quillmere ""
wait_until 60 main_window_visible || die "the main window was not shown within 60 s"

box_shown() { [[ "$(field found "$(probe message-box "$main_title")")" == 1 ]]; }
progress_state() { probe windows --pid "$quillmere_pid" --class QuillmereOptimize; }
run_over() { ! box_shown && [[ "$(field count "$(progress_state)")" == 0 ]]; }

# Clicks Optimize Now (lblOptimizeNow at 5655, 7530, size 1515 x 240 in Picture1).
optimize_now() { click_centre "$(field window_rect "$(control Picture1)")" 5655 7530 1515 240; }

# WM_CLOSE (0x10), WM_SYSCOMMAND (0x112) with SC_CLOSE (0xF060) and with SC_MINIMIZE (0xF020).
posts_file=$test_dir/posts.txt
wine "$probe_exe" post-on-appear "$quillmere_pid" QuillmereOptimize 60 0x10 0 0x112 0xF060 0x112 0xF020 \
  >"$posts_file" 2>&1 &
poster=$!
sleep 1
note "clicking Optimize Now"
optimize_now
wait "$poster" || die "the progress window did not appear: $(tr -d '\r' <"$posts_file")"
check_equal "messages posted to the progress window as it appeared" 3 "$(field posted "$(tr -d '\r' <"$posts_file")")"

sleep 2
state=$(progress_state)
check_equal "after the close and minimise requests: progress windows" 1 "$(field count "$state")"
check_equal "after the close and minimise requests: the progress window visible" 1 "$(field visible "$state")"
check_equal "after the close and minimise requests: the progress window minimized" 0 "$(field minimized "$state")"

wait_until 90 box_shown || die "no \"Optimization done\" box within 90 s of the click"
check_equal "the box's text" "Optimization done" "$(field text "$(probe message-box "$main_title")")"
probe press-ok "$main_title" >/dev/null || fail "could not press OK on the box"
check_true "the box and the progress window are gone within 30 s of OK" wait_until 30 run_over
check_equal "after the run: chkRunWhenWIndowsStarts enabled" 1 "$(field enabled "$(control chkRunWhenWIndowsStarts)")"

# Usable: a second run goes through to its box.
note "clicking Optimize Now again"
optimize_now
check_true "a second run ends in \"Optimization done\" within 90 s" wait_until 90 box_shown
probe press-ok "$main_title" >/dev/null || fail "could not press OK on the second box"
check_true "the second run is over within 30 s of OK" wait_until 30 run_over
check_running "after both runs" 1
finish
