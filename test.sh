#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test.
set -euo pipefail
cd "$(dirname "$0")"
source tools/setup.sh
install_missing_packages
configure_and_build build
ctest --test-dir build --output-on-failure -j2 --timeout 300
