# A stored "Load on Windows" that does not give 0, 1 or 2 cannot be put into the check box: it comes
# up unchecked, "0" is stored and the Run values (left here by earlier starts) are removed from both keys.
source "$(dirname "$0")/lib.sh"
setup_test

for stored in abc 7; do
  note "--- \"Load on Windows\" = \"$stored\""
  set_registry "$settings_key" "Load on Windows" "$stored"
  set_registry "$run_key" "$run_value_name" "\"$installed_exe_windows\" auto"
  set_registry "$user_run_key" "$run_value_name" "\"$installed_exe_windows\" auto"
  start_quillmere ""
  wait_until 60 main_window_visible || fail "stored '$stored': the main window was not shown within 60 s"
  check_equal "stored '$stored': chkRunWhenWIndowsStarts checked" 0 \
    "$(field checked "$(control chkRunWhenWIndowsStarts)")"
  check_registry "$settings_key" "Load on Windows" 0
  check_registry_absent "$run_key" "$run_value_name"
  check_registry_absent "$user_run_key" "$run_value_name"
  stop_wine
done
finish
