#!/usr/bin/env bash
# What quillmere.exe costs while it sits there, set against the barest program that shows the same
# figures: both run side by side under Wine on one virtual X server, in a Wine prefix of their own;
# after they have settled, the CPU time each uses over a fixed span and its resident memory are read
# from /proc. Prints a table and the two ratios, and writes them to build/mingw/idle-cost.txt.
#
#   bash bench/idle/measure.sh [QUILLMERE_EXE [REFERENCE_EXE]]
#
# Exits 0 whenever both programs ran (the figures are for people to read, not a verdict), non-zero when
# a program could not be started or ended before the measurement did.
set -euo pipefail

repo_dir=$(cd "$(dirname "$0")/../.." && pwd)
measured_exe=$(realpath "${1:-$repo_dir/build/mingw/quillmere.exe}")
reference_exe=$(realpath "${2:-$repo_dir/build/mingw/idle-reference.exe}")
report=$repo_dir/build/mingw/idle-cost.txt
settle_seconds=5
measure_seconds=${IDLE_MEASURE_SECONDS:-30}

die() {
  printf 'measure.sh: %s\n' "$*" >&2
  exit 1
}

for exe in "$measured_exe" "$reference_exe"; do
  [[ -f "$exe" ]] || die "no program at $exe"
done

work_dir=$(mktemp -d "${TMPDIR:-/tmp}/idle-cost.XXXXXX")
xvfb_pid=

cleanup() {
  if [[ -d "${WINEPREFIX:-}" ]]; then
    wineserver -k 2>/dev/null || true
    timeout 30 wineserver -w 2>/dev/null || true
  fi
  if [[ -n "$xvfb_pid" ]]; then
    kill "$xvfb_pid" 2>/dev/null || true
    wait "$xvfb_pid" 2>/dev/null || true
  fi
  rm -rf "$work_dir"
}
trap cleanup EXIT

# Wide enough for both windows next to each other, so that neither hides the other's drawing.
Xvfb -displayfd 3 -screen 0 1600x900x24 -nolisten tcp 3>"$work_dir/display" >"$work_dir/xvfb.log" 2>&1 &
xvfb_pid=$!
for ((tries = 0; tries < 100; tries++)); do
  [[ -s "$work_dir/display" ]] && break
  kill -0 "$xvfb_pid" 2>/dev/null || break
  sleep 0.1
done
[[ -s "$work_dir/display" ]] || die "Xvfb did not start: $(cat "$work_dir/xvfb.log")"
export DISPLAY=":$(tr -d '[:space:]' <"$work_dir/display")"

export WINEPREFIX=$work_dir/prefix WINEDEBUG=-all
# No Mono or Gecko: neither program needs them, and their installers would wait for a person.
WINEDLLOVERRIDES='mscoree,mshtml=' wine wineboot -i >"$work_dir/wineboot.log" 2>&1 ||
  die "wine wineboot -i failed: $(cat "$work_dir/wineboot.log")"
timeout 60 wineserver -w || true

# Each program gets a folder of its own in the prefix, so that its Windows path tells its process
# apart even when both arguments name the same file.
declare -A windows_path linux_pid
roles=(measured reference)
install() {  # ROLE EXE
  mkdir -p "$WINEPREFIX/drive_c/idle/$1"
  cp "$2" "$WINEPREFIX/drive_c/idle/$1/"
  windows_path[$1]="C:\\idle\\$1\\$(basename "$2")"
}
install measured "$measured_exe"
install reference "$reference_exe"

declare -A launcher_pid
for role in "${roles[@]}"; do
  wine "${windows_path[$role]}" >"$work_dir/$role.log" 2>&1 &
  launcher_pid[$role]=$!
done

# The Linux process that runs an exe carries the exe's Windows path as its command line.
find_process() {  # ROLE
  local pattern=${windows_path[$1]//\\/\\\\}
  pattern=${pattern//./\\.}
  local pids
  pids=$(pgrep -f "$pattern") || return 1
  (($(wc -w <<<"$pids") == 1)) || return 1
  linux_pid[$1]=$pids
}

has_visible_window() {  # ROLE
  [[ -n "$(xdotool search --onlyvisible --pid "${linux_pid[$1]}" 2>/dev/null)" ]]
}

for role in "${roles[@]}"; do
  deadline=$((SECONDS + 60))
  until find_process "$role" && has_visible_window "$role"; do
    kill -0 "${launcher_pid[$role]}" 2>/dev/null && ((SECONDS < deadline)) ||
      die "${windows_path[$role]} did not start or showed no window: $(cat "$work_dir/$role.log")"
    sleep 0.5
  done
done

# Side by side on the screen, as a person would arrange them.
declare -A left=([measured]=0 [reference]=800)
for role in "${roles[@]}"; do
  for window in $(xdotool search --onlyvisible --pid "${linux_pid[$role]}"); do
    xdotool windowmove "$window" "${left[$role]}" 0
  done
done
sleep "$settle_seconds"

# utime + stime of all the process's threads, in clock ticks. The command name in field 2 may hold
# spaces, so the fields are counted after its closing parenthesis.
cpu_ticks() {  # PID
  local stat
  stat=$(<"/proc/$1/stat")
  stat=${stat##*) }
  awk '{ print $12 + $13 }' <<<"$stat"
}

# Time on the CPU of the process's live threads, in nanoseconds: a finer clock than the ticks.
cpu_nanoseconds() {  # PID
  cat "/proc/$1"/task/*/schedstat 2>/dev/null | awk '{ total += $1 } END { printf "%d\n", total }'
}

memory_kb() {  # PID FIELD
  awk -v field="$2:" '$1 == field { print $2 }' "/proc/$1/status"
}

declare -A ticks_before nanoseconds_before
for role in "${roles[@]}"; do
  ticks_before[$role]=$(cpu_ticks "${linux_pid[$role]}")
  nanoseconds_before[$role]=$(cpu_nanoseconds "${linux_pid[$role]}")
done
sleep "$measure_seconds"

ticks_per_second=$(getconf CLK_TCK)
declare -A cpu_ms on_cpu_ms rss_kb hwm_kb
for role in "${roles[@]}"; do
  pid=${linux_pid[$role]}
  [[ -d /proc/$pid ]] || die "${windows_path[$role]} ended during the measurement"
  cpu_ms[$role]=$((($(cpu_ticks "$pid") - ${ticks_before[$role]}) * 1000 / ticks_per_second))
  on_cpu_ms[$role]=$(awk -v a="${nanoseconds_before[$role]}" -v b="$(cpu_nanoseconds "$pid")" \
    'BEGIN { printf "%.1f", (b - a) / 1e6 }')
  rss_kb[$role]=$(memory_kb "$pid" VmRSS)
  hwm_kb[$role]=$(memory_kb "$pid" VmHWM)
done

ratio() {  # MEASURED REFERENCE
  awk -v m="$1" -v r="$2" 'BEGIN { if (r > 0) printf "%.2f", m / r; else print "n/a" }'
}

{
  printf 'Idle cost under %s, %d s after %d s of settling, side by side on one X server\n' \
    "$(wine --version 2>/dev/null)" "$measure_seconds" "$settle_seconds"
  printf '%-36s %8s %12s %10s %10s\n' program "CPU ms" "on-CPU ms" "VmRSS KB" "VmHWM KB"
  for role in "${roles[@]}"; do
    printf '%-36s %8d %12s %10d %10d\n' "$role $(basename "${windows_path[$role]//\\//}")" \
      "${cpu_ms[$role]}" "${on_cpu_ms[$role]}" "${rss_kb[$role]}" "${hwm_kb[$role]}"
  done
  printf 'CPU ms: utime + stime from /proc/PID/stat (%d ms ticks); on-CPU ms: the threads'"'"' schedstat\n' \
    $((1000 / ticks_per_second))
  printf 'ratio measured/reference: CPU time %s (target <= 1.5), on-CPU time %s, resident memory %s (target <= 1.6), peak %s\n' \
    "$(ratio "${cpu_ms[measured]}" "${cpu_ms[reference]}")" \
    "$(ratio "${on_cpu_ms[measured]}" "${on_cpu_ms[reference]}")" \
    "$(ratio "${rss_kb[measured]}" "${rss_kb[reference]}")" \
    "$(ratio "${hwm_kb[measured]}" "${hwm_kb[reference]}")"
} | tee "$work_dir/report"
mkdir -p "$(dirname "$report")"
cp "$work_dir/report" "$report"
