#!/bin/sh
# Compares the expression-mode output of two tobrisk-cli builds byte for byte on generated
# lines (bench/gen_lines.py diff), each run starting from a new data folder.
#   bench/differential.sh OLD_CLI NEW_CLI [SEEDS] [LINES_PER_SEED]
set -eu
old=$1 new=$2 seeds=${3:-5} count=${4:-10000}
here=$(dirname "$0")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
status=0
seed=1
while [ "$seed" -le "$seeds" ]; do
    python3 "$here/gen_lines.py" diff --seed "$seed" --count "$count" >"$work/in.txt"
    for side in old new; do
        eval cli=\$$side
        rm -rf "$work/$side" && mkdir "$work/$side"
        "$cli" --data-dir "$work/$side" <"$work/in.txt" >"$work/$side.out" 2>&1 || true
        # the record too, past its header (the program folder differs between builds)
        tail -c +189 "$work/$side/Tbdata.dat" >>"$work/$side.out"
    done
    if cmp -s "$work/old.out" "$work/new.out"; then
        echo "seed $seed: $(wc -l <"$work/in.txt") lines, $(wc -c <"$work/new.out") bytes, same"
    else
        echo "seed $seed: DIFFERENT"
        diff "$work/old.out" "$work/new.out" | head -20
        status=1
    fi
    seed=$((seed + 1))
done
exit $status
