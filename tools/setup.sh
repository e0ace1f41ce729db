#!/usr/bin/env bash
# Shared by run.sh and test.sh: installs the Debian packages the build needs when any is
# missing (and, for the tests, a decimal-comma locale), then configures and builds the project
# in ./build with two parallel jobs.
set -euo pipefail

# libxlsxwriter-dev writes the spreadsheet workbooks; libminizip-dev (the zip library libxlsxwriter
# itself uses) lets the tests read them back. libqt6opengl6-dev is Qt's OpenGL module of the 3D
# view; xvfb (with xauth) and Mesa's software renderer (libgl1-mesa-dri) give its tests, and
# `korvex plot --views` without a display, an X server with OpenGL.
KORVEX_PACKAGES=(cmake ninja-build g++ libgtest-dev libgmock-dev libbenchmark-dev nlohmann-json3-dev
  qt6-base-dev qt6-svg-dev qt6-qpa-plugins libgl-dev libqt6opengl6-dev libgl1-mesa-dri xvfb xauth
  xdg-utils libxlsxwriter-dev libminizip-dev pkgconf)

# Installs the given Debian packages, or the build's own when none are given, where missing.
install_missing_packages() {
  local wanted=("$@")
  [ ${#wanted[@]} -gt 0 ] || wanted=("${KORVEX_PACKAGES[@]}")
  local missing=()
  for package in "${wanted[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' || missing+=("$package")
  done
  if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    local sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
  fi
}

# The tests run the desktop program's number entry and data-file writer under a locale that
# writes a decimal comma, as a user's own locale may; this generates de_DE.UTF-8 where missing.
KORVEX_COMMA_LOCALE=de_DE.UTF-8

install_comma_locale() {
  # grep reads the whole list (no -q), so that `locale` never dies of a broken pipe.
  if locale -a 2>/dev/null | grep -ix 'de_DE\.utf-\?8' >/dev/null; then return 0; fi
  install_missing_packages locales
  echo "Generating locale: $KORVEX_COMMA_LOCALE"
  local sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  if grep -q "^# *$KORVEX_COMMA_LOCALE UTF-8" /etc/locale.gen; then
    $sudo sed -i "s/^# *$KORVEX_COMMA_LOCALE UTF-8/$KORVEX_COMMA_LOCALE UTF-8/" /etc/locale.gen
  elif ! grep -q "^$KORVEX_COMMA_LOCALE UTF-8" /etc/locale.gen 2>/dev/null; then
    echo "$KORVEX_COMMA_LOCALE UTF-8" | $sudo tee -a /etc/locale.gen >/dev/null
  fi
  $sudo locale-gen >/dev/null
}

# Configures a build folder once, with any extra CMake arguments.
configure() {
  local build_dir=$1
  shift
  if [ ! -f "$build_dir/CMakeCache.txt" ]; then
    cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@"
  fi
}

# Configures a build folder and builds everything in it.
configure_and_build() {
  configure "$@"
  cmake --build "$1" -j2
}
