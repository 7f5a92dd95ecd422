# Settings of another registry type are not taken as absent. A number reads as its decimal text, an
# expandable text as its text, a binary value is unreadable; each is stored again as a text. So a
# REG_DWORD 0 for "Load on Windows" keeps the start with Windows off.
source "$(dirname "$0")/lib.sh"
setup_test

# TYPE|DATA|box checked afterwards
cases=(
  "REG_DWORD|0|0"
  "REG_DWORD|1|1"
  "REG_QWORD|0|0"
  "REG_EXPAND_SZ|1|1"
  "REG_BINARY|01|0"
)
for entry in "${cases[@]}"; do
  IFS='|' read -r type data checked <<<"$entry"
  note "--- \"Load on Windows\" = $type $data"
  wine reg add "$settings_key" /v "Load on Windows" /t "$type" /d "$data" /f >/dev/null 2>&1 ||
    die "could not write $type $data"
  # Before the program starts, the value is there as written.
  stored=$(registry_value "$settings_key" "Load on Windows") || stored="(absent)"
  check_equal "stored before the start" "$type" "${stored%% *}"
  start_quillmere ""
  wait_until 60 main_window_visible || fail "$type $data: the main window was not shown within 60 s"
  check_equal "$type $data: chkRunWhenWIndowsStarts checked" "$checked" \
    "$(field checked "$(control chkRunWhenWIndowsStarts)")"
  check_registry "$settings_key" "Load on Windows" "$checked"
  if ((checked)); then
    check_registry "$user_run_key" "$run_value_name" "\"$installed_exe_windows\" auto"
  else
    check_registry_absent "$user_run_key" "$run_value_name"
  fi
  check_registry_absent "$run_key" "$run_value_name"
  stop_wine
  wine reg delete "$user_run_key" /v "$run_value_name" /f >/dev/null 2>&1 || true
done
finish
