#!/usr/bin/env bash
# Runs two builds of the korvex tool on the same data files and compares everything they
# write: report, plot data and iteration monitor file, the summary and messages on the
# console, and the exit status. Both runs see the same folder names, so the file names the
# report prints agree; the clock is fixed.
#
#   tools/compare_outputs.sh [--variants] OLD_KORVEX NEW_KORVEX FILE.kx5d...
#
# With --variants every data file also gives variants whose runs stop on a fault in the data
# at every record, so that the messages and what was written before them are compared too:
# each first part of its lines (the file ends early), and each number replaced by 0 and by -1.
#
# Prints one line per file that differs and the counts; exits 1 when anything differs.
set -u
variants=0
if [ "${1:-}" = "--variants" ]; then
  variants=1
  shift
fi
if [ $# -lt 3 ]; then
  echo "usage: $0 [--variants] OLD_KORVEX NEW_KORVEX FILE.kx5d..." >&2
  exit 2
fi
old=$(realpath "$1")
new=$(realpath "$2")
shift 2

work=$(mktemp -d "${TMPDIR:-/tmp}/korvex-compare.XXXXXX")
trap 'rm -rf "$work"' EXIT
export KORVEX_FIXED_TIME="2026-03-09 08:05:07"

# Writes the variants of data file $1 into folder $2.
make_variants() {
  local file=$1 into=$2 lines n
  mkdir -p "$into"
  lines=$(wc -l <"$file")
  for ((n = 1; n < lines; n++)); do head -n "$n" "$file" >"$into/first$n.kx5d"; done
  awk -v into="$into" '
    { line[NR] = $0 }
    END {
      for (i = 1; i <= NR; i++) {
        count = split(line[i], token, " ")
        for (j = 1; j <= count; j++) {
          if (token[j] !~ /^[-+]?[0-9.]+([EeDd][-+]?[0-9]+)?$/) continue
          for (r = 0; r <= 1; r++) {
            out = sprintf("%s/line%d_item%d_%s.kx5d", into, i, j, r == 0 ? "zero" : "minus1")
            for (k = 1; k <= NR; k++) {
              if (k != i) { print line[k] > out; continue }
              text = ""
              for (m = 1; m <= count; m++) text = text (m > 1 ? " " : "") (m == j ? (r == 0 ? "0" : "-1") : token[m])
              print text > out
            }
            close(out)
          }
        }
      }
    }' "$file"
}

if [ "$variants" -eq 1 ]; then
  files=("$@")
  index=0
  for file in "${files[@]}"; do
    index=$((index + 1))
    make_variants "$file" "$work/variants/$index-$(basename "$file" .kx5d)"
  done
  set -- "${files[@]}" $(find "$work/variants" -name '*.kx5d' | sort)
fi

# Every data file gets a folder of its own, named by its position in the list, so that two
# files of the same name do not meet.
# The data file is copied into the case folder; what is compared is what the run left in
# out/ and on the console.
run_all() {
  local program=$1 into=$2 index=0
  shift 2
  for file in "$@"; do
    index=$((index + 1))
    local case="$work/case"
    rm -rf "$case" && mkdir -p "$case"
    cp "$file" "$case/"
    (cd "$case" && "$program" run "$(basename "$file")" --out out --summary json \
      >console.out 2>console.err; echo $? >exit.status)
    rm "$case/$(basename "$file")"
    mkdir -p "$into/$index"
    cp -r "$case/." "$into/$index/"
  done
}

run_all "$old" "$work/old" "$@"
run_all "$new" "$work/new" "$@"

files=0
identical=0
index=0
for file in "$@"; do
  index=$((index + 1))
  while IFS= read -r -d '' path; do
    relative=${path#"$work/old/$index/"}
    files=$((files + 1))
    if cmp -s "$path" "$work/new/$index/$relative"; then
      identical=$((identical + 1))
    else
      echo "DIFFERS: $file: $relative"
    fi
  done < <(find "$work/old/$index" -type f -print0)
  # A file only the new build wrote differs too.
  while IFS= read -r -d '' path; do
    relative=${path#"$work/new/$index/"}
    [ -e "$work/old/$index/$relative" ] || { files=$((files + 1)); echo "ONLY NEW: $file: $relative"; }
  done < <(find "$work/new/$index" -type f -print0)
done
echo "$identical of $files files identical ($index data files)"
[ "$identical" -eq "$files" ]
