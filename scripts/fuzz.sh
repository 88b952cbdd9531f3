#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for SECONDS (default 60).
# Usage: scripts/fuzz.sh [SECONDS] [TARGET...]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-60}
shift || true
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
    targets=(screenplay_reader config_file character_list palette_file break_strings timed_csv
             fountain final_draft pdf)
fi

if ! command -v clang++ >/dev/null || ! ls /usr/lib/llvm-*/lib/clang/*/lib/linux/libclang_rt.fuzzer-x86_64.a >/dev/null 2>&1; then
    apt-get install -y clang libclang-rt-14-dev cmake qtbase5-dev libtinyxml2-dev libpoppler-qt5-dev pkg-config
fi

build="$root/build-fuzz"
CC=clang CXX=clang++ cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DQUILLMARK_CORE_ONLY=ON -DQUILLMARK_FUZZ=ON >/dev/null
cmake --build "$build" -j"$(nproc)" --target $(printf 'fuzz_%s ' "${targets[@]}")

seeds() {
    case "$1" in
        screenplay_reader) ls "$root"/examples/*.txt "$root"/examples/*.html "$root"/tests/data/*.txt \
                               "$root"/tests/data/*.html 2>/dev/null ;;
        config_file) ls "$root"/examples/config.txt 2>/dev/null ;;
        character_list) ls "$root"/examples/characters.txt 2>/dev/null ;;
        palette_file) ls "$root"/examples/colors.txt 2>/dev/null ;;
        break_strings) ls "$root"/examples/breakStrings.txt 2>/dev/null ;;
        timed_csv) ls "$root"/examples/*.csv "$root"/tests/data/*.csv 2>/dev/null ;;
        fountain) ls "$root"/examples/*.fountain 2>/dev/null ;;
        final_draft) ls "$root"/examples/*.fdx 2>/dev/null ;;
        pdf) ls "$root"/examples/*.pdf 2>/dev/null ;;
    esac
}

status=0
for target in "${targets[@]}"; do
    corpus="$build/corpus/$target"
    mkdir -p "$corpus"
    for seed in $(seeds "$target"); do
        cp -f "$seed" "$corpus/" 2>/dev/null || true
    done
    # Whole PDFs of the examples are about 100 kB.
    max_len=65536
    [ "$target" = pdf ] && max_len=262144
    echo "== fuzz_$target for ${seconds}s"
    if ! (cd "$build" && "./fuzz/fuzz_$target" -max_total_time="$seconds" -timeout=10 \
            -rss_limit_mb=2048 -max_len="$max_len" -print_final_stats=1 "$corpus" 2>"$build/fuzz_$target.log"); then
        echo "fuzz_$target FAILED; see $build/fuzz_$target.log"
        tail -40 "$build/fuzz_$target.log"
        status=1
    else
        grep -E "stat::number_of_executed_units|Done" "$build/fuzz_$target.log" | tail -2
    fi
done
exit $status
