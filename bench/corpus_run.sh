#!/bin/sh
# Times a corpus run of quillmark-cli with every output (CSV, markup, JSON, corpus table,
# presence matrix, network) over COUNT generated screenplays, with -j 1 and -j 2, and checks
# that both runs wrote the same bytes.
#   bench/corpus_run.sh BUILD_DIR [COUNT]     (a Release build is what the figures mean)
set -eu
build=$(cd "$1" && pwd)
count=${2:-1000}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

"$build/bench/generate_corpus" "$work/settings" "$count"
for jobs in 1 2; do
    rm -rf "$work/run$jobs"
    cp -r "$work/settings" "$work/run$jobs"
    cd "$work/run$jobs"
    start=$(date +%s.%N)
    /usr/bin/time -f "%M" -o "$work/rss$jobs" "$build/cli/quillmark-cli" -j "$jobs" --json \
        --matrix --network --summary summary.csv corpus > corpus.jsonl 2> messages.txt
    end=$(date +%s.%N)
    seconds=$(echo "$end - $start" | bc -l)
    rate=$(echo "$count / $seconds" | bc -l)
    printf -- '-j %s: %.2f s, %.1f screenplays/s, peak RSS of the largest process %s kB\n' \
        "$jobs" "$seconds" "$rate" "$(cat "$work/rss$jobs")"
done
if diff -r "$work/run1" "$work/run2" > /dev/null; then
    echo "outputs of -j 1 and -j 2: identical"
else
    echo "outputs of -j 1 and -j 2 differ" >&2
    exit 1
fi
