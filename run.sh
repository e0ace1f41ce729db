#!/usr/bin/env bash
# Installs what is missing, builds, and analyses the bundled sample wall with the korvex tool.
# `./run.sh bench [benchmark options]` runs the engine's benchmarks instead.
set -euo pipefail
cd "$(dirname "$0")"
source tools/setup.sh
install_missing_packages
configure_and_build build

if [ "${1:-}" = "bench" ]; then
  shift
  exec ./build/bin/engine_bench "$@"
fi

example=examples/sample_wall.kx5d
out=build/example-output
./build/bin/korvex run "$example" --out "$out"
echo "Plot data: $out/sample_wall.kx5p"
echo "Iteration monitor: $out/sample_wall.kx5r"
