#!/usr/bin/env bash
# Makes the pictures in docs/screenshots/ from the real quillmere.exe under Wine in a virtual X
# server: the main window and the About window (after a click on "About") at 96, 144 and 192 DPI, and
# the progress window (after a click on "Optimize Now") at 96 DPI.
#   tools/screenshots.sh [BUILD_DIR]      BUILD_DIR: a mingw build (default build/mingw), built first
# shellcheck source-path=SCRIPTDIR/..
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build_dir=$(realpath "${1:-$root/build/mingw}")
out_dir=$root/docs/screenshots

cmake --build "$build_dir" -j2 --target quillmere probe
work=$(mktemp -d "${TMPDIR:-/tmp}/quillmere-screenshots.XXXXXX")
trap 'rm -rf "$work"' EXIT
e2e_arguments=("$build_dir/quillmere.exe" "$build_dir/probe.exe" "$work" "$out_dir")
bash "$root/tests/e2e/make-prefix.sh" "${e2e_arguments[@]}"


# Prints the program's first window that matches the probe's FILTER..., when it is visible.
visible_window() {  # FILTER...
  local state
  state=$(probe windows --pid "$quillmere_pid" "$@")
  [[ "$(field visible "$state")" == 1 ]] && printf '%s\n' "$state"
}

window_gone() {  # FILTER...
  [[ -z "$(field hwnd "$(probe windows --pid "$quillmere_pid" "$@")")" ]]
}

# Moves the pointer onto the spot X, Y (in twips) of WINDOW's Picture1 and clicks there, then moves
# the pointer off the window, so that a picture shows the window as the click leaves it.
click_twips() {  # WINDOW X Y DPI
  local x y
  read -r x y <<<"$(screen_point "$(field window_rect "$(probe control "$1" Picture1)")" "$2" "$3" "$4")"
  xdotool mousemove "$x" "$y"
  sleep 0.3
  xdotool click 1 mousemove 0 0
}

# One Wine session at DPI: its own prefix and display, the pictures, then everything ends.
shoot() {  # DPI
  local dpi=$1
  # shellcheck source=tests/e2e/lib.sh
  source "$root/tests/e2e/lib.sh" "${e2e_arguments[@]}"
  setup_test
  wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null
  wine reg add 'HKLM\System\CurrentControlSet\Hardware Profiles\Current\Software\Fonts' /v LogPixels \
    /t REG_DWORD /d "$dpi" /f >/dev/null
  # With no window manager on the display, Wine draws the title bars and frames itself.
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null
  stop_wine

  start_quillmere ""
  wait_until 60 main_window_visible || die "the main window was not shown"
  sleep 2  # a tick or two: the figures are the machine's own
  save_screenshot "main-${dpi}dpi.png" "$(field window_rect "$(main_window_state)")"

  # The buttons' centres: "About" at 3990, 7530 (1095 by 240), "Close" at 3075, 4035 (1080 by 240),
  # "Optimize Now" at 5655, 7530 (1515 by 240).
  local about progress
  click_twips "$main_window" $((3990 + 1095 / 2)) $((7530 + 240 / 2)) "$dpi"
  about=$(wait_until 30 visible_window --title About) || die "no About window after the click"
  sleep 1
  save_screenshot "about-${dpi}dpi.png" "$(field window_rect "$about")"
  click_twips "$(field hwnd "$about")" $((3075 + 1080 / 2)) $((4035 + 240 / 2)) "$dpi"
  wait_until 30 window_gone --title About || die "the About window stayed open after a click on Close"

  if ((dpi == 96)); then
    click_twips "$main_window" $((5655 + 1515 / 2)) $((7530 + 240 / 2)) "$dpi"
    progress=$(wait_until 30 visible_window --class QuillmereOptimize) || die "no progress window after a click on Optimize Now"
    sleep 1.5  # the run starts a second after the window comes up
    save_screenshot "progress-${dpi}dpi.png" "$(field window_rect "$progress")"
  fi
  stop_wine
}

# At 200 % the main window is about 1480 pixels wide: a screen such a display would have.
export QUILLMERE_SCREEN=2560x1600
for dpi in 96 144 192; do
  (shoot "$dpi")
done
echo "screenshots: written to $out_dir"
