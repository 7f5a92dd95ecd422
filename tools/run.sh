#!/usr/bin/env bash
# Builds quillmere.exe and runs it under Wine on your display. Arguments go to the program ("auto"
# starts it hidden in the tray).
set -euo pipefail
cd "$(dirname "$0")/.."

tools/setup.sh
cmake --preset mingw
cmake --build --preset mingw -j"$(nproc)"

export WINEDEBUG="${WINEDEBUG:--all}"
# No prompts to download Wine's .NET and HTML engines when Wine makes its prefix on the first run.
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"

if [ -z "${DISPLAY:-}" ]; then
  # Xvfb picks a free display number and writes it to the descriptor given with -displayfd.
  display_file=$(mktemp)
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$display_file" &
  xvfb_pid=$!
  # Wine's own helper processes keep the display open for a moment after the program ends.
  trap 'wineserver -w; kill "$xvfb_pid"; rm -f "$display_file"' EXIT
  for _ in $(seq 100); do
    [ -s "$display_file" ] && break
    kill -0 "$xvfb_pid" 2>/dev/null || { echo "run: Xvfb did not start" >&2; exit 1; }
    sleep 0.1
  done
  [ -s "$display_file" ] || { echo "run: Xvfb did not start" >&2; exit 1; }
  DISPLAY=":$(head -n 1 "$display_file")"
  export DISPLAY
  echo "run: DISPLAY is empty, so Quillmere runs on a virtual X server (Xvfb) at $DISPLAY."
  echo "run: to see it: DISPLAY=$DISPLAY import -window root quillmere.png"
fi

# The program's faces, mapped onto free families with the same proportions where they are missing
# (again on every run: importing the same values changes nothing).
wine reg import tools/wine-fonts.reg >/dev/null 2>&1

echo "run: wine build/mingw/quillmere.exe $*"
wine build/mingw/quillmere.exe "$@"
