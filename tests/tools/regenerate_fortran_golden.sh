#!/usr/bin/env bash
# Rebuilds tests/data/fortran_format_golden.txt from tests/data/fortran_format_cases.txt with
# gfortran, so that the fixed-format writer is checked against a real Fortran compiler.
# With --check, compares what gfortran prints now with the committed golden file instead.
# Review the diff before committing a new golden file.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
data="$here/../data"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
gfortran -ffree-line-length-none "$here/fortran_reference.f90" -o "$work/fortran_reference"
"$work/fortran_reference" < "$data/fortran_format_cases.txt" > "$work/golden.txt"
if [ "${1:-}" = "--check" ]; then
  diff -u "$data/fortran_format_golden.txt" "$work/golden.txt"
  echo "golden file agrees with gfortran"
else
  cp "$work/golden.txt" "$data/fortran_format_golden.txt"
  echo "wrote $data/fortran_format_golden.txt"
fi
