#!/usr/bin/env bash
# Installs what building and testing Quillmere needs on Debian 12, and only what is missing.
set -euo pipefail

packages=(
  cmake g++ make                                         # the native build
  googletest libgtest-dev libgmock-dev                   # unit tests
  libbenchmark-dev                                       # benchmarks
  g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64   # quillmere.exe
  wine wine64                                            # running it
  xvfb xdotool imagemagick x11-utils                     # a virtual display, clicks, screenshots
  fonts-liberation fonts-dejavu-core                     # fonts for the program's texts
)

missing=()
for package in "${packages[@]}"; do
  status=$(dpkg -s "$package" 2>/dev/null | sed -n 's/^Status: //p' || true)
  [ "$status" = "install ok installed" ] || missing+=("$package")
done

if [ ${#missing[@]} -eq 0 ]; then
  echo "setup: everything needed is installed"
  exit 0
fi

# sudo clears the environment, so the front-end setting goes on the command line.
install=(env DEBIAN_FRONTEND=noninteractive)
if [ "$(id -u)" -ne 0 ]; then
  command -v sudo >/dev/null || { echo "setup: installing needs root or sudo: ${missing[*]}" >&2; exit 1; }
  install=(sudo "${install[@]}")
fi

echo "setup: installing ${missing[*]}"
"${install[@]}" apt-get update
"${install[@]}" apt-get install -y "${missing[@]}"
