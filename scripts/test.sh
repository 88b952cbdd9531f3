#!/bin/sh
# Builds everything (installing what is missing) and runs every test without a screen.
# The build runs on the virtual X display too, because listing the widget tests starts
# their program.
set -eu

ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD_DIR=${QUILLMARK_BUILD_DIR:-$ROOT/build}
JOBS=$(nproc)

"$ROOT/scripts/setup.sh"
# Without optimisation the tests build faster.
xvfb-run -a -s "-screen 0 1920x1200x24" sh -ec "
    cmake -S '$ROOT' -B '$BUILD_DIR' -DCMAKE_BUILD_TYPE=Debug
    cmake --build '$BUILD_DIR' -j$JOBS
    ctest --test-dir '$BUILD_DIR' --output-on-failure -j$JOBS --timeout 120
"
