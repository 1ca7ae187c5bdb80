#!/bin/sh
# tarvex-budget on the first 100,000 setups of the batch benchmark (cli_batch_bench --write-batch), output
# to /dev/null: without --coverage, with --coverage (exact) and, on the first 1,000, --coverage=montecarlo.
# Prints the median wall time of three runs of each. Run from the build directory, e.g.
#   cd build/dev && sh ../../bench/coverage_batch.sh
set -eu
rows=100000
batch=$(mktemp /tmp/tarvex-coverage-batch-XXXXXX)
small=$(mktemp /tmp/tarvex-coverage-small-XXXXXX)
trap 'rm -f "$batch" "$small"' EXIT
bench/cli_batch_bench --write-batch | head -n $((rows + 1)) >"$batch"
head -n 1001 "$batch" >"$small"

median() { # three wall times in seconds of: tarvex-budget ARGS
    for run in 1 2 3; do
        /usr/bin/time -f %e cli/tarvex-budget "$@" 2>&1 >/dev/null | tail -n 1
    done | sort -n | sed -n 2p
}

echo "rows $rows"
echo "without --coverage        $(median --batch "$batch") s"
echo "--coverage                $(median --batch "$batch" --coverage) s"
echo "--coverage=montecarlo     $(median --batch "$small" --coverage=montecarlo) s for 1000 rows"
