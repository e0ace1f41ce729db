#!/usr/bin/env bash
# Installs what is missing, builds the engine and the korvex tool, and analyses a bundled
# example: a sheet-pile wall with one level of tie rods in soft clay.
# `./run.sh bench [benchmark options]` builds and runs the engine's benchmarks instead.
set -euo pipefail
cd "$(dirname "$0")"
source tools/setup.sh
install_missing_packages
configure build

if [ "${1:-}" = "bench" ]; then
  shift
  cmake --build build -j2 --target engine_bench
  exec ./build/bin/engine_bench "$@"
fi

cmake --build build -j2 --target korvex Korvex2015_DLL
example=examples/tied_back_wall_in_soft_clay.kx5d
out=build/example-output
./build/bin/korvex run "$example" --out "$out"
