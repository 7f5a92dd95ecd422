# The installer and its uninstaller, silently, in a fresh prefix: a per-user install with its
# shortcut and uninstall entry; a second install over the running program ends it through its exit
# request, replaces the exe and starts it again (in the tray, where it was); the uninstaller ends it
# and removes everything it or the program put there, and nothing else.
source "$(dirname "$0")/lib.sh"
require_package "${QUILLMERE_SETUP_EXE:-}"
setup_test

local_appdata=$(windows_variable LOCALAPPDATA)
appdata=$(windows_variable APPDATA)
install_dir="$local_appdata\\Programs\\Quillmere"
installed_exe_windows="$install_dir\\quillmere.exe"
installed_exe=$(unix_path "$installed_exe_windows")
shortcut=$(unix_path "$appdata\\Microsoft\\Windows\\Start Menu\\Programs\\Quillmere.lnk")
uninstall_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Quillmere'
user_run_key='HKCU\SOFTWARE\Microsoft\Windows\CurrentVersion\Run'
note "installing into $install_dir"

# Neighbours the uninstaller must leave alone: a file beside the program's folder, a key beside its
# settings, a Run value of another program, and (below) a "quillmere" Run value that starts another
# copy.
neighbour_file=$(unix_path "$local_appdata\\Programs\\neighbour.txt")
mkdir -p "$(dirname "$neighbour_file")"
echo keep >"$neighbour_file"
set_registry 'HKCU\Software\QuillmereNeighbour' keep yes
set_registry "$user_run_key" neighbour '"C:\Neighbour\neighbour.exe"'

run_installer() {  # WHEN
  local log=$test_dir/setup.log
  wine "$QUILLMERE_SETUP_EXE" /S >"$log" 2>&1 || die "$1: the installer failed: $(cat "$log")"
}

# --- a fresh install ---------------------------------------------------------------------------
run_installer "first install"
check_true "the installed exe is the built one" cmp -s "$quillmere_exe" "$installed_exe"
check_true "the uninstaller is installed" test -f "$(unix_path "$install_dir\\Uninstall.exe")"
check_true "the Start-menu shortcut exists" test -f "$shortcut"
check_registry "$uninstall_key" DisplayName Quillmere
check_registry "$uninstall_key" DisplayVersion 5.0.1
check_registry "$uninstall_key" Publisher Tarnholt
check_registry "$uninstall_key" DisplayIcon "$installed_exe_windows,0"
check_registry "$uninstall_key" InstallLocation "$install_dir"
check_registry "$uninstall_key" UninstallString "\"$install_dir\\Uninstall.exe\""
check_registry "$uninstall_key" QuietUninstallString "\"$install_dir\\Uninstall.exe\" /S"
for flag in NoModify NoRepair; do
  check_equal "$uninstall_key \"$flag\"" "REG_DWORD 0x1" "$(registry_value "$uninstall_key" "$flag" || echo absent)"
done
install_bytes=$(find "$(dirname "$installed_exe")" -type f -printf '%s\n' | awk '{ sum += $1 } END { print sum }')
size_kb=$((install_bytes / 1024))
estimated=$(registry_value "$uninstall_key" EstimatedSize || echo absent)
if [[ "$estimated" =~ ^REG_DWORD\ (0x[0-9a-f]+)$ ]] && ((BASH_REMATCH[1] >= size_kb - 2 && BASH_REMATCH[1] <= size_kb + 2)); then
  note "ok: EstimatedSize $((BASH_REMATCH[1])) KB for the $size_kb KB of the exe and the uninstaller"
else
  fail "EstimatedSize: expected the installed size in KB (about $size_kb), got '$estimated'"
fi

start_quillmere ""
wait_until 60 main_window_visible || die "the installed program showed no window"
# The program's own Run value starts this copy, under one of the two Run keys.
own_run_data="\"$installed_exe_windows\" auto"
own_run_key=
for key in "$run_key" "$user_run_key"; do
  if [[ "$(registry_value "$key" "$run_value_name" || true)" == "REG_SZ $own_run_data" ]]; then own_run_key=$key; fi
done
check_true "the program wrote its Run value ($own_run_data)" test -n "$own_run_key"
check_registry "$settings_key" "Loaded" True

# --- an install over the running program, which is in the tray ---------------------------------
# Tell the copies apart: a byte appended to the installed exe (it still starts) that the new
# install must take away again.
stop_wine
printf 'x' >>"$installed_exe"
start_quillmere ""
wait_until 60 main_window_visible || die "the changed program showed no window"
probe close "$main_window" >/dev/null
wait_until 30 tray_icon_shown || die "no tray icon after the close request"
old_pid=$quillmere_pid
run_installer "install over the running program"
wait_until 30 quillmere_ended || fail "the running program did not end during the install"
check_true "the running exe was replaced" cmp -s "$quillmere_exe" "$installed_exe"
restarted() {
  local windows
  windows=$(probe windows --class "$main_class")
  quillmere_pid=$(field pid "$windows")
  main_window=$(field hwnd "$windows")
  [[ -n "$quillmere_pid" && "$quillmere_pid" != "$old_pid" ]] && tray_icon_shown
}
if wait_until 60 restarted; then
  note "ok: the program was started again as process $quillmere_pid, in the tray"
  check_main_window "after the upgrade" 0 1
else
  fail "the program was not started again in the tray after the install"
fi

# --- the silent uninstall ----------------------------------------------------------------------
# The other Run key's "quillmere" value starts another copy, from a portable folder.
other_copy='"D:\Portable\Quillmere\quillmere.exe" auto'
other_run_key=$user_run_key
[[ "$own_run_key" == "$user_run_key" ]] && other_run_key=$run_key
set_registry "$other_run_key" "$run_value_name" "$other_copy"
# The uninstaller copies itself to the temporary folder and runs from there; what it did shows once
# the folder is gone.
wine "$(unix_path "$install_dir\\Uninstall.exe")" /S >"$test_dir/uninstall.log" 2>&1 || fail "the uninstaller failed: $(cat "$test_dir/uninstall.log")"
wait_until 60 test ! -e "$(unix_path "$install_dir")" || fail "the program's folder is still there 60 s after the uninstall"
check_true "the uninstaller ended the running program" wait_until 30 quillmere_ended
check_equal "icons left in the tray" 0 "$(field icons "$(probe tray 0)")"
check_true "the Start-menu shortcut is gone" test ! -e "$shortcut"
check_true "the uninstall entry is gone" bash -c "! wine reg query '$uninstall_key' >/dev/null 2>&1"
check_true "the settings key is gone" bash -c "! wine reg query 'HKCU\\Software\\Quillmere' >/dev/null 2>&1"
[[ -n "$own_run_key" ]] && check_registry_absent "$own_run_key" "$run_value_name"
check_registry "$other_run_key" "$run_value_name" "$other_copy"
check_registry "$user_run_key" neighbour '"C:\Neighbour\neighbour.exe"'
check_registry 'HKCU\Software\QuillmereNeighbour' keep yes
check_true "the file beside the program's folder is still there" test -f "$neighbour_file"
finish
