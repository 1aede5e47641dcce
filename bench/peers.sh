#!/bin/sh
# Whole-process runs of the 20,000-line mix (bench/gen_lines.py mix, the same lines written in
# each tool's syntax) through tobrisk-cli against bc -l, python (eval per line) and apcalc's
# calc -p when installed, the two commands of each pair in turn; the ratio is peer/tobrisk
# time (how many times slower the peer is). First each tool runs once and the number of lines
# it wrote is printed, one per input line (bc is left out: it splits long results over lines).
# bench/differential.sh is what proves tobrisk-cli's own results unchanged.
#   bench/peers.sh [BUILD_DIR] [RUNS] [SEED] [COUNT]
set -eu
build=$(cd "${1:-build}" && pwd)
runs=${2:-5} seed=${3:-1} count=${4:-20000}
here=$(cd "$(dirname "$0")" && pwd)
timer=$build/bench/start/start_time
cli=$build/cli/tobrisk-cli
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
mkdir "$dir/data"
for d in tobrisk bc python calc; do
    python3 "$here/gen_lines.py" mix --seed "$seed" --count "$count" --dialect "$d" >"$dir/$d.txt"
done
python=$(python3 -c "import sys; print(sys.executable)")  # past any wrapper
lines() { wc -l <"$1" | tr -d ' '; }
"$cli" --data-dir "$dir/data" <"$dir/tobrisk.txt" >"$dir/tobrisk.out"
"$python" "$here/peer_python_eval.py" <"$dir/python.txt" >"$dir/python.out"
echo "output lines: tobrisk-cli $(lines "$dir/tobrisk.out") (the first for :radians), python $(lines "$dir/python.out")"

echo "== tobrisk-cli against bc -l"
"$timer" -n "$runs" -i "$dir/bc.txt" -j "$dir/tobrisk.txt" "$(command -v bc)" -l \
    --vs "$cli" --data-dir "$dir/data"
echo "== tobrisk-cli against python"
"$timer" -n "$runs" -i "$dir/python.txt" -j "$dir/tobrisk.txt" "$python" "$here/peer_python_eval.py" \
    --vs "$cli" --data-dir "$dir/data"
if command -v calc >/dev/null; then
    calc -p <"$dir/calc.txt" >"$dir/calc.out"
    echo "output lines: calc $(lines "$dir/calc.out")"
    echo "== tobrisk-cli against apcalc calc -p"
    "$timer" -n "$runs" -i "$dir/calc.txt" -j "$dir/tobrisk.txt" "$(command -v calc)" -p \
        --vs "$cli" --data-dir "$dir/data"
else
    echo "apcalc's calc is not installed: left out"
fi
