#!/bin/sh
# Compares the output of two tobrisk-cli builds byte for byte on generated lines, each run
# starting from a new data folder: the expression mode (bench/gen_lines.py diff), and with
# FIN=1 the financial mode too (gen_lines.py fin, a tenth as many solves). Two ways of solving
# the rate may differ in the 18th digit of absurd rates (beyond 1e15 %), which the fields
# show with two decimals.
#   [FIN=1] bench/differential.sh OLD_CLI NEW_CLI [SEEDS] [LINES_PER_SEED]
set -eu
old=$1 new=$2 seeds=${3:-5} count=${4:-10000}
here=$(dirname "$0")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
status=0
seed=1
compare() {  # MODE-OPTION GENERATOR-KIND SEED COUNT
    python3 "$here/gen_lines.py" "$2" --seed "$3" --count "$4" >"$work/in.txt"
    for side in old new; do
        eval cli=\$$side
        rm -rf "$work/$side" && mkdir "$work/$side"
        "$cli" $1 --data-dir "$work/$side" <"$work/in.txt" >"$work/$side.out" 2>&1 || true
        # the record too, past its header (the program folder differs between builds)
        tail -c +189 "$work/$side/Tbdata.dat" >>"$work/$side.out"
    done
    if cmp -s "$work/old.out" "$work/new.out"; then
        echo "$2 seed $3: $(wc -l <"$work/in.txt") lines, $(wc -c <"$work/new.out") bytes, same"
    else
        echo "$2 seed $3: DIFFERENT"
        diff "$work/old.out" "$work/new.out" | head -20
        status=1
    fi
}
while [ "$seed" -le "$seeds" ]; do
    compare "" diff "$seed" "$count"
    if [ "${FIN:-0}" = 1 ]; then compare --fin fin "$seed" $((count / 10)); fi
    seed=$((seed + 1))
done
exit $status
