# The portable zip unpacks to a folder holding the exe and its text; from a folder whose name has
# spaces and a letter outside ASCII, like a USB stick's, the exe starts, shows its window and puts
# its own place into its Run value.
source "$(dirname "$0")/lib.sh"
require_package "${QUILLMERE_PORTABLE_ZIP:-}"
setup_test

stick_windows='C:\Clé USB\Mes outils'
stick=$(unix_path "$stick_windows")
mkdir -p "$stick"
(cd "$stick" && cmake -E tar xf "$QUILLMERE_PORTABLE_ZIP") || die "could not unpack $QUILLMERE_PORTABLE_ZIP"
folder=$(basename "$QUILLMERE_PORTABLE_ZIP" .zip)
check_equal "the zip's files, in one folder" "$folder/README.txt $folder/quillmere.exe" \
  "$(cd "$stick" && find . -type f | sed 's|^\./||' | sort | tr '\n' ' ' | sed 's/ $//')"
check_true "the zip's exe is the built one" cmp -s "$quillmere_exe" "$stick/$folder/quillmere.exe"
check_true "the text says it needs no installation and how to remove the settings" \
  grep -q 'needs no installation' "$stick/$folder/README.txt"

installed_exe_windows="$stick_windows\\$folder\\quillmere.exe"
start_quillmere ""
wait_until 60 main_window_visible || fail "the unpacked program showed no window within 60 s"
check_equal "main window title" "$main_title" "$(field title "$(main_window_state)")"
# Under one of the two Run keys, by the rule for the folder it runs from. "reg query" writes in a
# code page of its own; an export is UTF-16, so the letter outside ASCII is read as it is stored.
exported_value() {  # KEY NAME
  local file=$test_dir/export.reg
  wine reg export "$1" "$file" /y >/dev/null 2>&1 || return 1
  iconv -f UTF-16 -t UTF-8 "$file" | tr -d '\r' | sed -n "s/^\"$2\"=\"\(.*\)\"$/\1/p" | sed 's/\\"/"/g; s/\\\\/\\/g' | grep .
}
run_data=$(exported_value "$run_key" "$run_value_name" ||
  exported_value 'HKCU\SOFTWARE\Microsoft\Windows\CurrentVersion\Run' "$run_value_name" || true)
check_equal "the Run value starts the unpacked exe" "\"$installed_exe_windows\" auto" "$run_data"
finish
