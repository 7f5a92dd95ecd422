# Hover, read from the screen. A label button's text turns bold under the pointer and back to regular
# only when the pointer moves over the background; moving onto another control or out of the window
# leaves it bold. In the About window the links turn red and "Close" bold in the same way, and a window
# opened again starts with every link blue.
# shellcheck disable=SC2317  # the functions below run through wait_until
source "$(dirname "$0")/lib.sh"
setup_test

# --- reading the screen -------------------------------------------------------------------------

# The screen area, as ImageMagick's WIDTHxHEIGHT+X+Y, of the rectangle LEFT, TOP, WIDTH, HEIGHT
# (twips) inside the picture box whose screen rectangle is RECT (96 DPI).
area_of() {  # RECT LEFT TOP WIDTH HEIGHT
  local left top
  IFS=, read -r left top _ _ <<<"$1"
  printf '%dx%d+%d+%d\n' $(($4 / 15)) $(($5 / 15)) $((left + $2 / 15)) $((top + $3 / 15))
}

# Pixels of AREA brighter than mid-grey: the white text of a button on the navy strip.
light_pixels() {  # AREA
  import -window root -crop "$1" +repage png:- |
    convert png:- -colorspace Gray -threshold 50% -format '%[fx:int(mean * w * h + 0.5)]\n' info:
}

# Pixels of AREA that are clearly red: a link under the pointer (its idle blue has no such pixel).
red_pixels() {  # AREA
  import -window root -crop "$1" +repage png:- |
    convert png:- -fx 'r > 0.75 && g < 0.3 && b < 0.3 ? 1 : 0' -format '%[fx:int(mean * w * h + 0.5)]\n' info:
}

# The weight of a text, from its light pixels against those it has when regular: the same count is
# regular, a quarter more or above is bold; anything else is reported as it is.
declare -A area regular_light
weight() {  # NAME
  local light
  light=$(light_pixels "${area[$1]}")
  if ((light == ${regular_light[$1]})); then
    echo regular
  elif ((light * 4 >= ${regular_light[$1]} * 5)); then
    echo bold
  else
    echo "neither ($light light pixels, $((regular_light[$1])) when regular)"
  fi
}

colour() {  # NAME
  if (($(red_pixels "${area[$1]}") > 10)); then echo red; else echo blue; fi
}

# The state of NAME: its colour for a link, its weight otherwise.
state_of() {  # NAME
  if [[ "$1" == Label4* ]]; then colour "$1"; else weight "$1"; fi
}

# EXPECTED is a list of NAME=STATE. The screen is read until every NAME shows its STATE or 5 s have
# passed, then each is checked; a moment's wait first lets a wrong change show.
states_match() {
  local pair
  for pair in "$@"; do
    [[ "$(state_of "${pair%%=*}")" == "${pair#*=}" ]] || return 1
  done
}
expect_states() {  # WHEN NAME=STATE...
  local when=$1 pair
  shift
  sleep 1
  wait_until 5 states_match "$@" || true
  for pair in "$@"; do
    check_equal "$when: ${pair%%=*}" "${pair#*=}" "$(state_of "${pair%%=*}")"
  done
}

# Moves the pointer onto X, Y twips in the picture box at RECT, in one step, as a quick hand does.
point_at() {  # RECT X Y
  local x y
  read -r x y <<<"$(screen_point "$@")"
  xdotool mousemove "$x" "$y"
}

# --- the main window's buttons ------------------------------------------------------------------

start_quillmere ""
wait_until 60 main_window_visible || die "the main window was not shown within 60 s"
main=$(field window_rect "$(control Picture1)")

buttons=(
  "lblhelp|2370|7530|1095|240"
  "lblAbout|3990|7530|1095|240"
  "lblOptimizeNow|5655|7530|1515|240"
  "lblHide|7680|7530|1095|240"
  "lblExit|9375|7530|1080|240"
)
declare -A centre_x centre_y
for entry in "${buttons[@]}"; do
  IFS='|' read -r name left top width height <<<"$entry"
  area[$name]=$(area_of "$main" "$left" "$top" "$width" "$height")
  centre_x[$name]=$((left + width / 2))
  centre_y[$name]=$((top + height / 2))
done
point_at_button() { point_at "$main" "${centre_x[$1]}" "${centre_y[$1]}"; }
button_states() {  # BOLD_NAME...: those bold, the other buttons regular
  local entry name states=()
  for entry in "${buttons[@]}"; do
    name=${entry%%|*}
    if [[ " $* " == *" $name "* ]]; then states+=("$name=bold"); else states+=("$name=regular"); fi
  done
  printf '%s\n' "${states[@]}"
}

# The navy strip between the Help and the About outlines is background; there every button is regular.
point_at "$main" 3700 7650
sleep 1
for entry in "${buttons[@]}"; do
  name=${entry%%|*}
  regular_light[$name]=$(light_pixels "${area[$name]}")
  note "$name, regular: ${regular_light[$name]} light pixels in ${area[$name]}"
  ((regular_light[$name] >= 20)) || die "$name: its text is not on the screen"
done

point_at_button lblOptimizeNow
mapfile -t expected < <(button_states lblOptimizeNow)
expect_states "pointer on Optimize Now" "${expected[@]}"

# Inside the button's outline, above the label: the outline takes no mouse events.
point_at "$main" 6412 7500
mapfile -t expected < <(button_states)
expect_states "pointer inside Optimize Now's outline" "${expected[@]}"

point_at_button lblOptimizeNow
mapfile -t expected < <(button_states lblOptimizeNow)
expect_states "pointer back on Optimize Now" "${expected[@]}"

# Onto other controls without crossing the background: the time label, a progress bar, another button.
point_at "$main" $((5145 + 300)) $((7995 + 105))
expect_states "pointer on from Optimize Now to the time" "${expected[@]}"
point_at "$main" $((6390 + 3975 / 2)) $((2190 + 300 / 2))
expect_states "pointer on to the physical memory bar" "${expected[@]}"
point_at_button lblHide
mapfile -t expected < <(button_states lblOptimizeNow lblHide)
expect_states "pointer on to Hide" "${expected[@]}"
save_screenshot hover-main.png "$(field window_rect "$(main_window_state)")"

# Straight out of the window, then onto the white body of the window.
xdotool mousemove 5 1015
expect_states "pointer out of the window" "${expected[@]}"
point_at "$main" 400 1600
mapfile -t expected < <(button_states)
expect_states "pointer on the window's background" "${expected[@]}"

# --- the About window ---------------------------------------------------------------------------

open_about() {
  point_at_button lblAbout
  sleep 0.3
  xdotool click 1
  wait_until 15 about_shown || die "no About window 15 s after the click on About"
  about_window=$(field hwnd "$(about_state)")
  local fields
  fields=$(probe control "$about_window" Picture1) || die "the About window has no Picture1"
  about=$(field window_rect "$fields")
  # Each link's area: the start of its text, a hundred pixels wide.
  area[Label4_2]=$(area_of "$about" 3030 2565 1500 210)
  area[Label4_3]=$(area_of "$about" 3030 3030 1500 210)
  area[Label4_4]=$(area_of "$about" 1860 3495 1500 210)
  area[lblClose]=$(area_of "$about" 3075 4035 1080 240)
}

open_about
about_background() { point_at "$about" 600 2000; }
about_background
sleep 1
regular_light[lblClose]=$(light_pixels "${area[lblClose]}")
note "lblClose, regular: ${regular_light[lblClose]} light pixels in ${area[lblClose]}"
((regular_light[lblClose] >= 20)) || die "lblClose: its text is not on the screen"
expect_states "About, pointer on the background" Label4_2=blue Label4_3=blue Label4_4=blue

point_at "$about" $((3030 + 300)) $((3030 + 105))
expect_states "About, pointer on the home page" Label4_2=blue Label4_3=red Label4_4=blue
# Its caption "Website:" changes nothing.
point_at "$about" $((1830 + 300)) $((3030 + 105))
expect_states "About, pointer on to \"Website:\"" Label4_2=blue Label4_3=red Label4_4=blue
point_at "$about" $((3030 + 300)) $((2565 + 105))
expect_states "About, pointer on to the support address" Label4_2=red Label4_3=red Label4_4=blue
point_at "$about" $((3075 + 540)) $((4035 + 120))
expect_states "About, pointer on to Close" Label4_2=red Label4_3=red Label4_4=blue lblClose=bold
save_screenshot hover-about.png "$(field window_rect "$(about_state)")"
about_background
expect_states "About, pointer on the background again" Label4_2=blue Label4_3=blue Label4_4=blue lblClose=regular

# Closed with a link red and "Close" bold, the window comes back with both as designed.
point_at "$about" $((1860 + 300)) $((3495 + 105))
expect_states "About, pointer on the contact link" Label4_4=red
point_at "$about" $((3075 + 540)) $((4035 + 120))
expect_states "About, pointer on to Close" Label4_4=red lblClose=bold
xdotool click 1
wait_until 15 about_gone || die "the About window was still there 15 s after the click on Close"
# The pointer stays where it clicked About, on the main window, which takes no mouse events now.
open_about
expect_states "About opened again" Label4_2=blue Label4_3=blue Label4_4=blue lblClose=regular
finish
