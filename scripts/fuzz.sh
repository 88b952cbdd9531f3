#!/usr/bin/env bash
# Builds the libFuzzer targets (every fuzz/fuzz_*.cpp) with clang, AddressSanitizer and
# UndefinedBehaviorSanitizer, and runs each for SECONDS (default 60), one after the other.
# Usage: scripts/fuzz.sh [SECONDS] [TARGET...]   (TARGET without the fuzz_ prefix)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-60}
shift || true
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
    for source in "$root"/fuzz/fuzz_*.cpp; do
        name=$(basename "$source" .cpp)
        targets+=("${name#fuzz_}")
    done
fi

if ! command -v clang++ >/dev/null || ! ls /usr/lib/llvm-*/lib/clang/*/lib/linux/libclang_rt.fuzzer-x86_64.a >/dev/null 2>&1; then
    apt-get install -y clang libclang-rt-14-dev cmake qt6-base-dev libtinyxml2-dev libpoppler-qt6-dev pkg-config
fi

build="$root/build-fuzz"
# QUILLMARK_FUZZ instruments every object with the fuzzer's coverage and both sanitizers.
CC=clang CXX=clang++ cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DQUILLMARK_CORE_ONLY=ON -DQUILLMARK_FUZZ=ON >/dev/null
cmake --build "$build" -j"$(nproc)" --target $(printf 'fuzz_%s ' "${targets[@]}")

# The analysis library itself must call into both sanitizers (aborting on undefined behaviour)
# and the coverage hooks, and every target must carry their runtimes.
library=$(nm -u "$build/core/libquillmark_core.a" 2>/dev/null)
for hook in __asan_report_load __ubsan_handle_.*_abort __sanitizer_cov_trace; do
    if ! grep -q "$hook" <<<"$library"; then
        echo "quillmark_core is not instrumented ($hook missing)" >&2
        exit 1
    fi
done
for target in "${targets[@]}"; do
    symbols=$(nm "$build/fuzz/fuzz_$target")
    for runtime in LLVMFuzzerTestOneInput __asan_init __ubsan_handle; do
        if ! grep -q "$runtime" <<<"$symbols"; then
            echo "fuzz_$target lacks $runtime" >&2
            exit 1
        fi
    done
done

seeds() {
    case "$1" in
        screenplay_reader) ls "$root"/examples/*.txt "$root"/examples/*.html ;;
        config_file) ls "$root"/examples/config.txt ;;
        character_list) ls "$root"/examples/characters.txt ;;
        palette_file) ls "$root"/examples/colors.txt ;;
        break_strings) ls "$root"/examples/breakStrings.txt ;;
        timed_csv) ls "$root"/examples/*.csv ;;
        xml_walk) ls "$root"/fuzz/seeds/xml_walk/* "$root"/examples/*.html ;;
        fountain) ls "$root"/examples/*.fountain ;;
        final_draft) ls "$root"/examples/*.fdx ;;
        pdf) ls "$root"/examples/*.pdf "$root"/fuzz/seeds/pdf/* ;;
        worker_channel) ls "$root"/fuzz/seeds/worker_channel/* ;;
    esac 2>/dev/null || true
}

status=0
for target in "${targets[@]}"; do
    corpus="$build/corpus/$target"
    mkdir -p "$corpus"
    for seed in $(seeds "$target"); do
        cp -f "$seed" "$corpus/"
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
