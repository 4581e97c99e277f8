#!/usr/bin/env bash
# Whole-process benchmarks of scenario-builder, against the cost of copying
# the files it writes.
#
#   bench/whole_run.sh [BUILD_DIR]      (default: build-bench)
#
# BUILD_DIR holds a Release build with -DSB_BENCH=ON (`make bench` makes
# one).  Two parts:
#  1. the bare run (`scenario-builder --dir DIR`) against `cp` of its own six
#     files into a fresh directory, in one hyperfine call;
#  2. a scale series: generated scenarios of 10, 100, 300 and 1000 km of line
#     compiled with `scenario-builder compile`, each against `cp` of its own
#     three files, with the peak resident memory of the compile
#     (/usr/bin/time).  Time and memory per extra kilometre show whether both
#     grow linearly with the length of the line;
#  3. the same scenarios decompiled (`scenario-builder decompile`) against
#     their compile, after a check that the texts decompiled compile back to
#     the same three files.
# Nothing is synced to the disk, by either side.  RUNS and WARMUP set the
# hyperfine runs (default 30 and 5); the machine's other load shows in the
# spread, so the medians and the CPU times (user + system) are printed too.
set -euo pipefail

build=${1:-build-bench}
runs=${RUNS:-30}
warmup=${WARMUP:-5}
builder=$(realpath "$build/scenario-builder")
generator=$(realpath "$build/bench/generate_scenario")
work=$(realpath "$build")/whole-run

for tool in hyperfine /usr/bin/time; do
  if ! command -v "$tool" > /dev/null; then
    echo "whole_run.sh: $tool is missing (scripts/install-deps hyperfine time)" >&2
    exit 2
  fi
done
for program in "$builder" "$generator"; do
  [ -x "$program" ] || { echo "whole_run.sh: $program is missing: build it first" >&2; exit 2; }
done

rm -rf "$work"
mkdir -p "$work"

# hyperfine COMMAND_DIR COPY_DIR CSV COMMAND COPY: times COMMAND, run in a
# fresh COMMAND_DIR each time, against COPY into a fresh COPY_DIR.
compare() {
  local command_dir=$1 copy_dir=$2 csv=$3 command=$4 copy=$5
  hyperfine --shell=none --warmup "$warmup" --runs "$runs" --style basic --export-csv "$csv" \
    --prepare "sh -c 'rm -rf $command_dir && mkdir $command_dir'" \
    --prepare "sh -c 'rm -rf $copy_dir && mkdir $copy_dir'" \
    "$command" "$copy" > "$csv.log" 2>&1
}

# Field of hyperfine's CSV (1 the command's row, 2 the copy's row), in ms.
# Fields: command,mean,stddev,median,user,system,min,max.
field_ms() {
  awk -F, -v row="$(($2 + 1))" -v col="$3" 'NR == row { printf "%.1f", $col * 1000 }' "$1"
}

cpu_ms() {
  awk -F, -v row="$(($2 + 1))" 'NR == row { printf "%.1f", ($5 + $6) * 1000 }' "$1"
}

ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }

# The files of a directory, as cp arguments.
files_of() { find "$1" -maxdepth 1 -type f | sort | tr '\n' ' '; }

bytes_of() { find "$1" -maxdepth 1 -type f -printf '%s\n' | awk '{ s += $1 } END { print s }'; }

# peak_rss_kb DIR COMMAND...: the largest peak resident memory of three runs
# of COMMAND, each in a fresh DIR, in KB.
peak_rss_kb() {
  local dir=$1 max=0 kb
  shift
  for _ in 1 2 3; do
    rm -rf "$dir" && mkdir "$dir"
    kb=$( /usr/bin/time -f '%M' "$@" 2>&1 > /dev/null | tail -1 )
    [ "$kb" -gt "$max" ] && max=$kb
  done
  echo "$max"
}

mb() { awk -v k="$1" 'BEGIN { printf "%.1f", k / 1024 }'; }

echo "== The bare run against cp of its six files ($runs runs, $warmup warm-up)"
mkdir "$work/bare-ref"
"$builder" --dir "$work/bare-ref" 2> /dev/null
bare_csv=$work/bare.csv
compare "$work/bare" "$work/bare-copy" "$bare_csv" \
  "$builder --dir $work/bare" "cp $(files_of "$work/bare-ref") $work/bare-copy/"
bare_median=$(field_ms "$bare_csv" 1 4)
copy_median=$(field_ms "$bare_csv" 2 4)
bare_kb=$(peak_rss_kb "$work/bare-rss" "$builder" --dir "$work/bare-rss")
echo
echo "| | median ms | mean ms | min ms | CPU ms (user + system) | peak RSS MB |"
echo "|---|---|---|---|---|---|"
echo "| bare run, $(bytes_of "$work/bare-ref") bytes | $bare_median | $(field_ms "$bare_csv" 1 2) | $(field_ms "$bare_csv" 1 7) | $(cpu_ms "$bare_csv" 1) | $(mb "$bare_kb") |"
echo "| cp of its six files | $copy_median | $(field_ms "$bare_csv" 2 2) | $(field_ms "$bare_csv" 2 7) | $(cpu_ms "$bare_csv" 2) | |"
echo "| ratio | $(ratio "$bare_median" "$copy_median") | $(ratio "$(field_ms "$bare_csv" 1 2)" "$(field_ms "$bare_csv" 2 2)") | $(ratio "$(field_ms "$bare_csv" 1 7)" "$(field_ms "$bare_csv" 2 7)") | $(ratio "$(cpu_ms "$bare_csv" 1)" "$(cpu_ms "$bare_csv" 2)") | |"

echo
echo "== Scale series: compile of generated scenarios against cp of their three files"
echo
echo "| line km | output bytes | compile median ms | cp median ms | ratio | CPU ratio | peak RSS MB | ms per extra km | KB per extra km |"
echo "|---|---|---|---|---|---|---|---|---|"
first_km="" first_ms="" first_kb=""
for km in 10 100 300 1000; do
  dir=$work/scale-$km
  mkdir -p "$dir/texts" "$dir/ref"
  "$generator" "$((km * 1000))" "$dir/texts"
  line=$dir/texts/Generato_linea.txt
  train=$dir/texts/Generato_12345-.txt
  if ! "$builder" compile "$line" "$train" -o "$dir/ref"; then
    echo "whole_run.sh: the generated $km km scenario does not compile clean" >&2
    exit 1
  fi
  csv=$dir/times.csv
  compare "$dir/out" "$dir/copy" "$csv" \
    "$builder compile $line $train -o $dir/out" "cp $(files_of "$dir/ref") $dir/copy/"
  ms=$(field_ms "$csv" 1 4)
  copy_ms=$(field_ms "$csv" 2 4)
  kb=$(peak_rss_kb "$dir/rss" "$builder" compile "$line" "$train" -o "$dir/rss")
  if [ -z "$first_km" ]; then
    first_km=$km first_ms=$ms first_kb=$kb
    per_km_ms="-" per_km_kb="-"
  else
    per_km_ms=$(awk -v t="$ms" -v t0="$first_ms" -v l="$km" -v l0="$first_km" \
      'BEGIN { printf "%.3f", (t - t0) / (l - l0) }')
    per_km_kb=$(awk -v m="$kb" -v m0="$first_kb" -v l="$km" -v l0="$first_km" \
      'BEGIN { printf "%.1f", (m - m0) / (l - l0) }')
  fi
  echo "| $km | $(bytes_of "$dir/ref") | $ms | $copy_ms | $(ratio "$ms" "$copy_ms") | $(ratio "$(cpu_ms "$csv" 1)" "$(cpu_ms "$csv" 2)") | $(mb "$kb") | $per_km_ms | $per_km_kb |"
done
echo
echo "(per extra km: the growth over the 10 km scenario; hyperfine's own reports are in $work)"

echo
echo "== Decompile of the scale series against their compile"
echo
echo "| line km | decompile median ms | compile median ms | ratio | CPU ratio | decompile peak RSS MB |"
echo "|---|---|---|---|---|---|"
for km in 10 100 300 1000; do
  dir=$work/scale-$km
  line=$dir/texts/Generato_linea.txt
  train=$dir/texts/Generato_12345-.txt
  mkdir -p "$dir/decompiled" "$dir/again"
  "$builder" decompile "$dir/ref" -o "$dir/decompiled"
  "$builder" compile "$dir/decompiled/Generato_linea.txt" "$dir/decompiled/Generato_12345-.txt" \
    -o "$dir/again"
  for file in Generato_linea.dat Generato_12345.sim Generato_12345.dat; do
    if ! cmp -s "$dir/ref/$file" "$dir/again/$file"; then
      echo "whole_run.sh: the decompiled $km km scenario compiles to another $file" >&2
      exit 1
    fi
  done
  csv=$dir/decompile.csv
  compare "$dir/dout" "$dir/cout" "$csv" \
    "$builder decompile $dir/ref -o $dir/dout" "$builder compile $line $train -o $dir/cout"
  ms=$(field_ms "$csv" 1 4)
  compile_ms=$(field_ms "$csv" 2 4)
  kb=$(peak_rss_kb "$dir/drss" "$builder" decompile "$dir/ref" -o "$dir/drss")
  echo "| $km | $ms | $compile_ms | $(ratio "$ms" "$compile_ms") | $(ratio "$(cpu_ms "$csv" 1)" "$(cpu_ms "$csv" 2)") | $(mb "$kb") |"
done
