#!/usr/bin/env bash
# Runs the repaint benchmark under Wine on a virtual display, in a fresh prefix of its own made the
# way the end-to-end suite makes one (its fonts included), at DPI (default 96).
#   bench/repaint/measure.sh [BUILD_DIR [DPI [TICKS]]]     BUILD_DIR: a mingw build, default build/mingw
# shellcheck source-path=SCRIPTDIR/../..
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build_dir=$(realpath "${1:-$root/build/mingw}")
dpi=${2:-96}
ticks=${3:-500}

cmake --build "$build_dir" -j2 --target quillmere probe repaint-bench
work=$(mktemp -d "${TMPDIR:-/tmp}/quillmere-repaint.XXXXXX")
trap 'rm -rf "$work"' EXIT
arguments=("$build_dir/quillmere.exe" "$build_dir/probe.exe" "$work" "$work/artifacts")
bash "$root/tests/e2e/make-prefix.sh" "${arguments[@]}" >/dev/null

(
  # shellcheck source=tests/e2e/lib.sh
  source "$root/tests/e2e/lib.sh" "${arguments[@]}"
  setup_test >/dev/null
  wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null
  wine reg add 'HKLM\System\CurrentControlSet\Hardware Profiles\Current\Software\Fonts' /v LogPixels \
    /t REG_DWORD /d "$dpi" /f >/dev/null
  stop_wine
  echo "repaint benchmark at $dpi DPI under $(wine --version 2>/dev/null)"
  # The benchmark's output through a file: a pipe from a Wine program can stay open after it ends.
  wine "$build_dir/repaint-bench.exe" "$ticks" >"$work/output.txt" 2>&1
  tr -d '\r' <"$work/output.txt"
)
