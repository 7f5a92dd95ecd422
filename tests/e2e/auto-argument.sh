# The "auto" argument, compared after trimming spaces and case-sensitively: with it the program starts
# hidden in the tray, with anything else it shows its window.
source "$(dirname "$0")/lib.sh"
setup_test

# The raw command-line tail that follows the quoted program path, and whether the program must start
# in the tray. A tail begins with the blank that separates the argument from the path, as in the Run
# value; "auto" glued to the closing quote would still be part of the program's name.
cases=(
  " auto|tray"
  "   auto  |tray"
  " AUTO|shown"
  " auto x|shown"
)
for entry in "${cases[@]}"; do
  tail=${entry%|*}
  expected=${entry##*|}
  note "--- tail '$tail': expected $expected"
  start_quillmere "$tail"
  if [[ "$expected" == tray ]]; then
    wait_until 60 tray_icon_shown || fail "tail '$tail': no tray icon within 60 s"
    wait_until 10 main_window_hidden || fail "tail '$tail': the main window was not hidden within 10 s"
    check_main_window "tail '$tail'" 0 1
    check_tray "tail '$tail'" 1 1
  else
    wait_until 60 main_window_visible || fail "tail '$tail': the main window was not shown within 60 s"
    sleep 2  # time for a wrong hide to happen
    check_main_window "tail '$tail'" 1 0
    check_tray "tail '$tail'" 0 0
  fi
  check_running "tail '$tail'" 1
  stop_wine
done
finish
