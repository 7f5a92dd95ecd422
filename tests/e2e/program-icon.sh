# The installed program file carries its icon for Explorer: 16, 32, 48 and 256 pixels, each with an
# alpha channel, each loading as an icon.
source "$(dirname "$0")/lib.sh"
setup_test

installed=$(probe icons "$installed_exe_windows") || die "no icon in $installed_exe_windows: $installed"
check_equal "images of the program's icon" 4 "$(field icons "$installed")"
check_equal "the icon's images" "16x16 32-bit loads,32x32 32-bit loads,48x48 32-bit loads,256x256 32-bit loads" \
  "$(sed -n 's/^icon=//p' <<<"$installed" | paste -sd,)"
finish
