#!/usr/bin/env bash
# Builds everything and runs all tests: the unit tests natively and under AddressSanitizer and UBSan,
# a short smoke run of the benchmarks, the end-to-end suite (quillmere.exe, its installer and its zip
# under Wine and Xvfb), the release exe's PE check for both Windows compilers (mingw-w64 gcc and
# clang), the end-to-end smoke test of the clang exe, and clang-tidy over the sources.
# Every step runs even when an earlier one failed, unless it needs what that step should have built.
# Exits non-zero when any step fails.
set -uo pipefail
cd "$(dirname "$0")/.."

logs=build/test-logs
mkdir -p "$logs"
summary=()
any_failed=0
tests_passed=0
tests_failed=0
tests_skipped=0

record() {  # record STATUS STEP [DETAIL]
  summary+=("$(printf '%-4s  %-22s %s' "$1" "$2" "${3:-}")")
  [ "$1" = FAIL ] && any_failed=1
  return 0
}

# Runs one step, printing its output and keeping it in $step_log ($logs/NAME.log, blanks as dashes).
run_step() {  # run_step NAME COMMAND...
  step_log="$logs/${1// /-}.log"
  shift
  echo
  echo "=== $*"
  "$@" 2>&1 | tee "$step_log"
}

step() {  # step NAME COMMAND...: records PASS or FAIL, returns the command's status
  if run_step "$@"; then record PASS "$1"; else record FAIL "$1"; return 1; fi
}

# Runs a CTest suite and adds its counts to the totals: CTest's closing line gives the failed and the
# total, and CTest counts a skipped test as passed there but lists it as "(Skipped)".
test_suite() {  # test_suite NAME CTEST-ARGUMENTS...
  local name=$1 status=0 line total failed skipped
  run_step "$@" || status=$?
  line=$(grep -E '^[0-9]+% tests passed, [0-9]+ tests? failed out of [0-9]+' "$step_log" | tail -n 1)
  if [ -n "$line" ]; then
    failed=$(sed -E 's/.*, ([0-9]+) tests? failed out of.*/\1/' <<<"$line")
    total=$(sed -E 's/.*out of ([0-9]+).*/\1/' <<<"$line")
    skipped=$(grep -c -E '^\s+[0-9]+ - .* \(Skipped\)$' "$step_log" || true)
    tests_passed=$((tests_passed + total - failed - skipped))
    tests_failed=$((tests_failed + failed))
    tests_skipped=$((tests_skipped + skipped))
    line="$((total - failed - skipped)) passed, $failed failed, $skipped skipped"
  elif grep -q 'No tests were found' "$step_log"; then
    line="no tests"
  fi
  if [ "$status" -eq 0 ]; then record PASS "$name" "$line"; else record FAIL "$name" "$line"; fi
}

started=$SECONDS

if ! step setup tools/setup.sh; then
  printf '%s\n' "${summary[@]}"
  exit 1
fi

built=()
for preset in native native-asan mingw clang; do
  step "configure $preset" cmake --preset "$preset" &&
    step "build $preset" cmake --build --preset "$preset" -j2 &&
    built+=("$preset")
done
was_built() { [[ " ${built[*]} " == *" $1 "* ]]; }

if was_built native; then
  test_suite "unit tests" ctest --preset native -j2 --timeout 120
  # Benchmark 1.7.1 takes the minimum time as plain seconds.
  step "benchmark smoke run" build/native/quillmere_bench --benchmark_min_time=0.01
else
  record SKIP "unit tests" "native did not build"
  record SKIP "benchmark smoke run" "native did not build"
fi
if was_built native-asan; then
  test_suite "unit tests asan+ubsan" ctest --preset native-asan -j2 --timeout 300
else
  record SKIP "unit tests asan+ubsan" "native-asan did not build"
fi
if was_built mingw; then
  test_suite "end-to-end" ctest --test-dir build/mingw --output-on-failure --timeout 900
else
  record SKIP "end-to-end" "mingw did not build"
fi
if was_built clang; then
  test_suite "clang exe: PE, smoke" ctest --test-dir build/clang --output-on-failure --timeout 600 \
    -R '^(pe\.release_exe|e2e\.(wine_prefix|first_start))$'
  step "clang-tidy" tools/tidy.sh build/clang
else
  record SKIP "clang exe: PE, smoke" "clang did not build"
  record SKIP "clang-tidy" "clang did not build"
fi

echo
echo "=== Summary ($(( (SECONDS - started) / 60 )) min $(( (SECONDS - started) % 60 )) s; logs in $logs/)"
printf '%s\n' "${summary[@]}"
echo "tests: $tests_passed passed, $tests_failed failed, $tests_skipped skipped"
exit "$any_failed"
