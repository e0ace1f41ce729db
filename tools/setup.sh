#!/usr/bin/env bash
# Shared by run.sh and test.sh: installs the Debian packages the build needs when any is
# missing, then configures and builds the project in ./build with two parallel jobs.
set -euo pipefail

KORVEX_PACKAGES=(cmake ninja-build g++ libgtest-dev libgmock-dev libbenchmark-dev)

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

configure_and_build() {
  local build_dir=$1
  shift
  if [ ! -f "$build_dir/CMakeCache.txt" ]; then
    cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@"
  fi
  cmake --build "$build_dir" -j2
}
