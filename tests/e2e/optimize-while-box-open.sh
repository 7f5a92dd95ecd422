# "Optimization done" is modal to the main window: a click on "Optimize Now" while it is open starts
# nothing, and after OK the main window works and "Optimize Now" runs again.
# shellcheck disable=SC2317  # the functions below run through wait_until
source "$(dirname "$0")/lib.sh"
setup_test

start_quillmere ""
wait_until 60 main_window_visible || die "the main window was not shown within 60 s"

box_shown() { [[ "$(field found "$(probe message-box "$main_title")")" == 1 ]]; }
progress_count() { field count "$(probe windows --pid "$quillmere_pid" --class QuillmereOptimize)"; }
run_over() { ! box_shown && [[ "$(progress_count)" == 0 ]]; }
optimize_now() { click_centre "$(field window_rect "$(control Picture1)")" 5655 7530 1515 240; }

note "clicking Optimize Now"
optimize_now
wait_until 90 box_shown || die "no \"Optimization done\" box within 90 s of the click"
box=$(probe message-box "$main_title")
main_state=$(main_window_state)
check_equal "with the box open: the main window takes no input" 0 \
  "$(field enabled "$(main_window_state)")"

note "clicking Optimize Now with the box open"
optimize_now
sleep 2
check_equal "after the click: the same box is open" "$(field hwnd "$box")" "$(field hwnd "$(probe message-box "$main_title")")"
check_equal "after the click: progress windows" 1 "$(progress_count)"
check_equal "after the click: chkRunWhenWIndowsStarts enabled" 1 "$(field enabled "$(control chkRunWhenWIndowsStarts)")"

probe press-ok "$main_title" >/dev/null || fail "could not press OK on the box"
check_true "the box and the progress window are gone within 30 s of OK" wait_until 30 run_over
sleep 2
check_equal "after OK: no new progress window" 0 "$(progress_count)"
check_equal "after OK: the main window takes input" 1 "$(field enabled "$(main_window_state)")"
check_equal "after OK: chkRunWhenWIndowsStarts enabled" 1 "$(field enabled "$(control chkRunWhenWIndowsStarts)")"
check_equal "the main window did not move" "$(field window_rect "$main_state")" "$(field window_rect "$(main_window_state)")"

note "clicking Optimize Now after OK"
optimize_now
progress_shown() { [[ "$(progress_count)" == 1 ]]; }
check_true "the progress window appears within 10 s" wait_until 10 progress_shown
check_true "the new run ends in \"Optimization done\" within 90 s" wait_until 90 box_shown
probe press-ok "$main_title" >/dev/null || fail "could not press OK on the second box"
check_true "the second run is over within 30 s of OK" wait_until 30 run_over
finish
