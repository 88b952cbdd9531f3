#!/bin/sh
# Generates the very large inputs the command-line tool must survive and measures it on each
# (wall time and peak resident memory, from GNU time): a 20 MB file that is one single line, a
# 200 MB screenplay (copies of the generated one), and 10,000 and 100,000 distinct speakers.
# Not a test: the figures depend on the machine.
#
#   bench/large_inputs.sh BUILD_DIR WORK_DIR [--image]
#
# BUILD_DIR is a (Release) build with bench/generate_screenplay and cli/quillmark-cli;
# WORK_DIR receives the inputs, the outputs and the measurements (measurements.txt). The
# settings are those of examples/. With --image the tool also draws FILE.png (needs a display
# or xvfb-run). QUILLMARK_BENCH_LIMIT bounds each run (seconds, default 1800).
set -eu

ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD=$(cd "$1" && pwd)
WORK=$2
IMAGE=${3:-}
mkdir -p "$WORK"
WORK=$(cd "$WORK" && pwd)
CLI=$BUILD/cli/quillmark-cli
LIMIT=${QUILLMARK_BENCH_LIMIT:-1800} # seconds per run; exit 124 when it is reached

# One line of about 20 MB: action words, names and headings, never a line end.
if [ ! -f "$WORK/single-line.txt" ]; then
    yes 'ANNA walks to the sea. INT. ' | tr -d '\n' | head -c 20000000 > "$WORK/single-line.txt"
fi

# About 200 MB: the generated screenplay (about 203 kB, 7,000 lines) a thousand times over.
if [ ! -f "$WORK/screenplay-200mb.txt" ]; then
    "$BUILD/bench/generate_screenplay" "$WORK/generated" 1 > /dev/null
    awk -v copies=1000 '{ line[NR] = $0 } END { for (c = 0; c < copies; ++c) \
        for (i = 1; i <= NR; ++i) print line[i] }' "$WORK/generated/screenplay.txt" \
        > "$WORK/screenplay-200mb.txt"
fi

# N distinct speakers, each with one cue and one line of dialogue, and a scene heading every
# 1,000 cues. The names are upper-case letters only, as cue discovery expects.
speakers() {
    awk -v n="$1" 'function name(k,   s) { s = ""; do { s = sprintf("%c", 65 + k % 26) s; \
                       k = int(k / 26) } while (k > 0); return "SPEAKER " s }
        BEGIN { for (k = 0; k < n; ++k) {
                    if (k % 1000 == 0) printf "INT. ROOM %d - DAY\n\n", k / 1000
                    printf "                    %s\n          Hello, I am number %d.\n\n", name(k), k
                } }'
}
for n in 10000 100000; do
    [ -f "$WORK/speakers-$n.txt" ] || speakers "$n" > "$WORK/speakers-$n.txt"
done

measure() {
    label=$1
    shift
    /usr/bin/time -f "%e %M" -o "$WORK/time.out" timeout "$LIMIT" "$@" > "$WORK/stdout.out" 2> "$WORK/stderr.out" \
        && status=0 || status=$?
    read -r seconds kilobytes < "$WORK/time.out"
    printf '%-28s %8s s %8d MB  exit %d  %s\n' "$label" "$seconds" $((kilobytes / 1024)) \
        "$status" "$(head -c 150 "$WORK/stderr.out" | tr '\n' ' ')" | tee -a "$WORK/measurements.txt"
}

: > "$WORK/measurements.txt"
for input in single-line screenplay-200mb speakers-10000 speakers-100000; do
    file=$WORK/$input.txt
    measure "$input" "$CLI" --workdir "$ROOT/examples" --json "$file"
    if [ "$IMAGE" = "--image" ]; then
        measure "$input --image" "$CLI" --workdir "$ROOT/examples" --image "$file"
    fi
done
