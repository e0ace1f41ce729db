#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test.
set -euo pipefail
cd "$(dirname "$0")"
source tools/setup.sh
install_missing_packages
install_comma_locale
configure_and_build build
ctest --test-dir build --output-on-failure -j2 --timeout 300

# The same tests once more under AddressSanitizer and UndefinedBehaviorSanitizer.
configure_and_build build-sanitize -DKORVEX_SANITIZE=ON -DKORVEX_BUILD_BENCHMARKS=OFF
ctest --test-dir build-sanitize --output-on-failure -j2 --timeout 600
