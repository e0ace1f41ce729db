#!/usr/bin/env bash
# Builds a libFuzzer target with AddressSanitizer and UndefinedBehaviorSanitizer and fuzzes it
# for a given time.
#
#   tools/fuzz.sh TARGET SECONDS [extra libFuzzer options...]
#
# TARGET is data_reader or engine_run (the engine's input reader and a whole analysis run), or
# project_reader (the desktop program's project files: opening every kind, saving, reopening);
# the harness is tests/fuzz/fuzz_TARGET.cpp. Everything is built in build-fuzz/: objects, the
# fuzzer, the growing corpus (build-fuzz/corpus/TARGET, seeded from examples/*.kx5d and
# tests/fuzz/seeds/) and the inputs that failed (build-fuzz/artifacts/TARGET). SECONDS = 0 only
# builds. Reproduce a failure with:
#   build-fuzz/fuzz_TARGET build-fuzz/artifacts/TARGET/crash-...
#
# Environment: KORVEX_FUZZ_JOBS (parallel compile jobs, default 1), KORVEX_FUZZ_CXX
# (default clang++).
set -euo pipefail
cd "$(dirname "$0")/.."

usage() {
  echo "usage: tools/fuzz.sh data_reader|engine_run|project_reader SECONDS [libFuzzer options...]" >&2
  exit 2
}
[ $# -ge 2 ] || usage
target=${1#fuzz_}
seconds=$2
shift 2
# The sources each target fuzzes, the dictionary of its file format and its time limit per
# input in seconds. A project input is opened up to twelve times (four kinds, saved and
# reopened), and a count of thousands of curves makes thousands of tables each time, so it gets
# a longer time limit.
case "$target" in
  data_reader | engine_run) source_folders=(engine) dictionary=tests/fuzz/kx5d.dict timeout=5 ;;
  project_reader) source_folders=(entry tables app) dictionary=tests/fuzz/project.dict timeout=30 ;;
  *) usage ;;
esac
[[ "$seconds" =~ ^[0-9]+$ ]] || usage

source tools/setup.sh
install_missing_packages clang libclang-rt-14-dev

cxx=${KORVEX_FUZZ_CXX:-clang++}
jobs=${KORVEX_FUZZ_JOBS:-1}
out=build-fuzz
# -O1 keeps the sanitizers' reports readable; undefined behaviour stops the run like a crash.
# Station-table indices are checked as in the sanitizer build.
common_flags=(-std=c++20 -O1 -g -fno-omit-frame-pointer -Wall -Wextra
  -fsanitize=address,undefined -fno-sanitize-recover=undefined -DKORVEX_CHECKED_STATIONS -Iengine -I.)
mkdir -p "$out/obj" "$out/corpus/$target" "$out/artifacts/$target"

# An object is rebuilt when it is missing or older than its source or any header it includes
# (the dependency file written by -MMD), or when the flags changed.
flags_file=$out/obj/flags
flags_now="$cxx ${common_flags[*]} -fsanitize=fuzzer-no-link"
if [ ! -f "$flags_file" ] || [ "$(cat "$flags_file")" != "$flags_now" ]; then
  rm -f "$out"/obj/*.o "$out"/obj/*.d
  echo "$flags_now" >"$flags_file"
fi

needs_build() {
  local source=$1 object=$2 depfile=${2%.o}.d
  [ -f "$object" ] && [ -f "$depfile" ] || return 0
  local dep
  for dep in $(sed -e 's/\\$//' -e 's/^[^:]*://' "$depfile"); do
    [ "$dep" -nt "$object" ] && return 0
  done
  return 1
}

objects=()
stale=()
# The whole of the libraries under test (the engine with its C entry point, which needs no
# dynamic loading; the project model with the tables and the numeric entry it rests on).
while IFS= read -r source; do
  object=$out/obj/$(echo "${source%.cpp}" | tr '/' '_').o
  objects+=("$object")
  if needs_build "$source" "$object"; then stale+=("$source:$object"); fi
done < <(find "${source_folders[@]}" -name '*.cpp' | sort)

if [ ${#stale[@]} -gt 0 ]; then
  echo "Compiling ${#stale[@]} source(s) of ${source_folders[*]} with $cxx"
  printf '%s\n' "${stale[@]}" | xargs -P "$jobs" -I{} bash -c '
    pair={}; source=${pair%%:*}; object=${pair#*:}
    '"$cxx ${common_flags[*]}"' -fsanitize=fuzzer-no-link -MMD -c "$source" -o "$object"'
fi

fuzzer=$out/fuzz_$target
"$cxx" "${common_flags[@]}" -fsanitize=fuzzer -Itests "tests/fuzz/fuzz_$target.cpp" "${objects[@]}" -o "$fuzzer"
echo "Built $fuzzer"
[ "$seconds" -gt 0 ] || exit 0

# New inputs go to the first folder; the examples and the hand-made seeds of tests/fuzz/seeds
# (capacities, stages, many layers, the older kinds of project file) seed the corpus without
# being copied.
exec "$fuzzer" "$out/corpus/$target" examples tests/fuzz/seeds \
  -dict="$dictionary" \
  -max_len=4096 -timeout="$timeout" -rss_limit_mb=2048 -max_total_time="$seconds" \
  -artifact_prefix="$out/artifacts/$target/" -print_final_stats=1 "$@"
