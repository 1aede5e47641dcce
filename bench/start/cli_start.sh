#!/bin/sh
# tobrisk-cli's start with one line, whole process, against an empty C++ program; then a line
# whose result changes the saved record (the save then flushes the data file to the disk), and
# 20,000 arithmetic lines. Usage: bench/start/cli_start.sh [BUILD_DIR] [RUNS]
set -eu
build=${1:-build}
runs=${2:-31}
timer=$build/bench/start/start_time
cli=$build/cli/tobrisk-cli
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
echo '2+2' >"$dir/one"
echo 'r+1' >"$dir/changing"
awk 'BEGIN { srand(17); for (i = 0; i < 20000; i++)
  printf "%.3f*%.2f+%.4f/%.1f-%d\n", rand()*1000, rand()*100, rand()*10, rand()*50+1, i }' \
  >"$dir/lines"
mkdir "$dir/data"
echo "== one line, record unchanged (nothing to write)"
"$timer" -n "$runs" -i "$dir/one" "$cli" --data-dir "$dir/data" --vs "$build/bench/start/empty_program"
echo "== one line whose result is saved (the data file is written and flushed)"
"$timer" -n "$runs" -i "$dir/changing" "$cli" --data-dir "$dir/data" --vs "$build/bench/start/empty_program"
echo "== 20,000 lines"
"$timer" -n 5 -i "$dir/lines" "$cli" --data-dir "$dir/data"
