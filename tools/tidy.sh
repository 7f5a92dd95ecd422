#!/usr/bin/env bash
# Runs clang-tidy (the checks in .clang-tidy) over the program's sources, portable and Win32, with
# the clang preset's compile commands; exits non-zero on any finding.
#   tools/tidy.sh [BUILD_DIR]      BUILD_DIR: a configured clang build (default build/clang)
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${1:-build/clang}
[[ -f "$build_dir/compile_commands.json" ]] || { echo "tidy: no $build_dir/compile_commands.json: cmake --preset clang first" >&2; exit 2; }
# MakeIcon.cpp is built for the build machine, outside the compile commands.
find src -name '*.cpp' ! -name MakeIcon.cpp -print0 | sort -z |
  xargs -0 -P2 -n4 clang-tidy -p "$build_dir" --quiet
echo "tidy: no findings"
