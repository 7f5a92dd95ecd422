# High contrast, read from the screen: turned on while the program runs, the windows drop their
# artwork and draw in the system's colours (window, window text, hot-light for a button under the
# pointer, highlight for a bar's fill); turned off, the artwork and the designed colours come back.
# Wine's system always reports high contrast as off, so this test runs quillmere-contrast.exe, the
# program built to read the setting from where the system stores it for the user; the probe stores it
# there and tells every window, as the system does. A running Wine program does not see system
# colours changed by another, so the black high-contrast theme's colours are the prefix's from the
# start; only the setting changes while the program runs.
# shellcheck disable=SC2317  # the functions below run through wait_until
source "$(dirname "$0")/lib.sh"
setup_test
contrast_exe=$(dirname "$quillmere_exe")/quillmere-contrast.exe
[[ -f "$contrast_exe" ]] || die "no $contrast_exe beside the program"
cp "$contrast_exe" "$WINEPREFIX/drive_c/Program Files/Quillmere/quillmere.exe"

# The colour of the pixel at X, Y of the picture box at RECT, as "RED GREEN BLUE".
pixel() {  # RECT X Y
  local left top
  IFS=, read -r left top _ _ <<<"$1"
  import -window root -crop "1x1+$((left + $2))+$((top + $3))" +repage png:- |
    convert png:- -format '%[fx:int(255*r+0.5)] %[fx:int(255*g+0.5)] %[fx:int(255*b+0.5)]\n' info:
}

# Pixels of AREA (ImageMagick's WIDTHxHEIGHT+X+Y) that pass the per-pixel test FX.
count_pixels() {  # AREA FX
  import -window root -crop "$1" +repage png:- |
    convert png:- -fx "$2 ? 1 : 0" -format '%[fx:int(mean * w * h + 0.5)]\n' info:
}

dark_blue() {  # "RED GREEN BLUE": the artwork's title band or navy strip
  local red green blue
  read -r red green blue <<<"$1"
  ((blue > red + 40 && red < 100))
}

# The black theme's window, window text, hot-light and highlight colours.
window_colour='0 0 0'
white='r > 0.9 && g > 0.9 && b > 0.9'
hot_light='r > 0.8 && g > 0.8 && b < 0.3'
highlight='26 235 255'

colors='HKCU\Control Panel\Colors'
for entry in "Window=0 0 0" "WindowText=255 255 255" "HotTrackingColor=255 255 0" "Hilight=26 235 255" \
  "HilightText=0 0 0" "GrayText=63 242 63" "ButtonFace=0 0 0" "ButtonText=255 255 255"; do
  set_registry "$colors" "${entry%%=*}" "${entry#*=}"
done
start_quillmere ""
wait_until 60 main_window_visible || die "the main window was not shown within 60 s"
main=$(field window_rect "$(control Picture1)")
IFS=, read -r main_left main_top _ _ <<<"$main"
# Design pixels of Picture1: the title band left of the icon, the navy strip left of "Help", the
# start of the physical memory bar's fill; the area of "Optimize Now".
title_band=(20 35)
navy_strip=(30 510)
bar_fill=(432 156)
optimize_now="101x16+$((main_left + 5655 / 15))+$((main_top + 7530 / 15))"
point_off_window() { xdotool mousemove 5 1015; }
point_off_window
sleep 2

check_designed_look() {  # WHEN
  check_true "$1: the title band is the artwork's dark blue ($(pixel "$main" "${title_band[@]}"))" \
    dark_blue "$(pixel "$main" "${title_band[@]}")"
  check_true "$1: the button strip is the artwork's navy ($(pixel "$main" "${navy_strip[@]}"))" \
    dark_blue "$(pixel "$main" "${navy_strip[@]}")"
  check_equal "$1: the bar's fill is its dark red" "128 0 0" "$(pixel "$main" "${bar_fill[@]}")"
  check_true "$1: \"Optimize Now\" is white text" \
    test "$(count_pixels "$optimize_now" "$white")" -ge 20
}
check_designed_look "before high contrast"
save_screenshot high-contrast-off.png "$(field window_rect "$(main_window_state)")"

turned=$(probe high-contrast on) || die "the probe could not turn high contrast on: $turned"
note "high contrast on, set by $(field set_by "$turned")"
title_is_window_colour() { [[ "$(pixel "$main" "${title_band[@]}")" == "$window_colour" ]]; }
wait_until 10 title_is_window_colour || true
check_equal "high contrast: the title band shows the window colour" "$window_colour" \
  "$(pixel "$main" "${title_band[@]}")"
check_equal "high contrast: the button strip shows the window colour" "$window_colour" \
  "$(pixel "$main" "${navy_strip[@]}")"
check_equal "high contrast: the bar's fill is the highlight colour" "$highlight" "$(pixel "$main" "${bar_fill[@]}")"
check_true "high contrast: \"Optimize Now\" is window text" test "$(count_pixels "$optimize_now" "$white")" -ge 20
check_equal "high contrast: \"Optimize Now\" has no hot-light pixel while the pointer is off it" 0 \
  "$(count_pixels "$optimize_now" "$hot_light")"
read -r x y <<<"$(screen_point "$main" $((5655 + 1515 / 2)) $((7530 + 120)))"
xdotool mousemove "$x" "$y"
sleep 1
check_true "high contrast: \"Optimize Now\" under the pointer is hot-light text" \
  test "$(count_pixels "$optimize_now" "$hot_light")" -ge 20
save_screenshot high-contrast-main.png "$(field window_rect "$(main_window_state)")"

# The About window opened in high contrast: no artwork either.
read -r x y <<<"$(screen_point "$main" $((3990 + 1095 / 2)) $((7530 + 120)))"
click_at "$x" "$y"
wait_until 15 about_shown || die "no About window 15 s after the click on About"
about_window=$(field hwnd "$(about_state)")
about=$(field window_rect "$(probe control "$about_window" Picture1)")
sleep 1
# Picture1 lies 16 pixels left of the window; its title band starts 20 pixels in, left of the at-sign.
check_equal "high contrast: the About window's title band shows the window colour" "$window_colour" \
  "$(pixel "$about" 30 40)"
save_screenshot high-contrast-about.png "$(field window_rect "$(about_state)")"
probe close "$about_window" >/dev/null
wait_until 15 about_gone || die "the About window did not close"

point_off_window
turned=$(probe high-contrast off) || die "the probe could not turn high contrast off: $turned"
title_is_artwork() { dark_blue "$(pixel "$main" "${title_band[@]}")"; }
wait_until 10 title_is_artwork || true
check_designed_look "high contrast off again"
save_screenshot high-contrast-off-again.png "$(field window_rect "$(main_window_state)")"
finish
