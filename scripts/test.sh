#!/bin/sh
# Builds everything (installing what is missing) and runs every test without a screen:
# the whole suite on a virtual X display, then the analysis library's tests again under
# AddressSanitizer and UndefinedBehaviorSanitizer, in a second build folder, and each fuzz
# target for a few seconds.
set -eu

ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD_DIR=${QUILLMARK_BUILD_DIR:-$ROOT/build}
SANITIZE_DIR=${QUILLMARK_SANITIZE_DIR:-$ROOT/build-sanitize}
JOBS=$(nproc)

"$ROOT/scripts/setup.sh"
# Without optimisation the tests build faster. The widget tests are listed when ctest runs,
# on the virtual display; the display is 24-bit so OpenGL gets a true-colour visual. By
# default Xvfb resets whenever its last client leaves and refuses connections meanwhile;
# tests start and end all the time, so it must not reset.
cmake -S "$ROOT" -B "$BUILD_DIR" -DCMAKE_BUILD_TYPE=Debug
cmake --build "$BUILD_DIR" -j"$JOBS"
xvfb-run -a -s "-screen 0 1920x1200x24 -noreset" \
    ctest --test-dir "$BUILD_DIR" --output-on-failure -j"$JOBS" --timeout 120

# Any sanitizer report fails its test: undefined behaviour aborts, leaks end the run non-zero.
cmake -S "$ROOT" -B "$SANITIZE_DIR" -DCMAKE_BUILD_TYPE=Debug -DQUILLMARK_CORE_ONLY=ON \
    -DQUILLMARK_SANITIZE=ON
cmake --build "$SANITIZE_DIR" -j"$JOBS" --target core_tests
LSAN_OPTIONS=suppressions=$ROOT/tests/lsan.supp ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    ctest --test-dir "$SANITIZE_DIR" --output-on-failure -j"$JOBS" --timeout 120

# The fuzz targets share the library's interfaces, so a short run of each keeps them building
# and catches what a few seconds of fuzzing finds; scripts/fuzz.sh with no argument runs 60 s.
"$ROOT/scripts/fuzz.sh" 5
