#!/usr/bin/env bash
# Installs what building and testing Quillmere needs on Debian 12, and only what is missing.
set -euo pipefail

packages=(
  cmake g++ make                                         # the native build
  googletest libgtest-dev libgmock-dev                   # unit tests
  libbenchmark-dev                                       # benchmarks
  locales                                                # a locale with a decimal comma, below
  g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64   # quillmere.exe
  clang lld clang-tidy                                   # the second compiler, and static checks
  nsis                                                   # the installer (makensis)
  wine wine64                                            # running it
  xvfb xdotool imagemagick x11-utils                     # a virtual display, clicks, screenshots
  fonts-liberation fonts-dejavu-core fonts-lato          # fonts for the program's texts
)
# The number tests check that formatting ignores the C library's locale, under one whose decimal
# separator is a comma.
comma_locale=de_DE

# sudo clears the environment, so the front-end setting goes on the command line.
as_root=(env DEBIAN_FRONTEND=noninteractive)
if [ "$(id -u)" -ne 0 ]; then
  as_root=(sudo "${as_root[@]}")
fi

missing=()
for package in "${packages[@]}"; do
  status=$(dpkg -s "$package" 2>/dev/null | sed -n 's/^Status: //p' || true)
  [ "$status" = "install ok installed" ] || missing+=("$package")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  "${as_root[@]}" apt-get update
  "${as_root[@]}" apt-get install -y "${missing[@]}"
fi

if ! locale -a | grep -x "$comma_locale.utf8" >/dev/null; then
  echo "setup: making the locale $comma_locale.UTF-8"
  "${as_root[@]}" localedef -i "$comma_locale" -f UTF-8 "$comma_locale.UTF-8"
fi

echo "setup: everything needed is installed"
