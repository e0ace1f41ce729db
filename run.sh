#!/usr/bin/env bash
# Installs what is missing and builds, then starts the desktop program on a bundled example
# when a display is available; without one, analyses a tied-back wall with the korvex tool.
#
#   ./run.sh                  the desktop program on examples/sample_wall.kx5d (or the headless run)
#   ./run.sh gui [FILE]       always the desktop program, on FILE or the sample wall
#   ./run.sh bench [options]  the engine's benchmarks
set -euo pipefail
cd "$(dirname "$0")"
source tools/setup.sh
install_missing_packages
configure build

case "${1:-}" in
  bench)
    shift
    cmake --build build -j2 --target engine_bench
    exec ./build/bin/engine_bench "$@"
    ;;
  gui)
    cmake --build build -j2 --target Korvex2015
    exec ./build/bin/Korvex2015 "${2:-examples/sample_wall.kx5d}"
    ;;
esac

if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  cmake --build build -j2 --target Korvex2015
  exec ./build/bin/Korvex2015 examples/sample_wall.kx5d
fi

echo "No display: analysing a tied-back wall with the korvex tool instead (./run.sh gui starts the desktop program)."
cmake --build build -j2 --target korvex Korvex2015_DLL
./build/bin/korvex run examples/tied_back_wall_in_soft_clay.kx5d --out build/example-output
