#!/bin/sh
# Builds Quillmark (installing what is missing) and starts it in examples/, where the
# sample settings files and screenplays are.
set -eu

ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD_DIR=${QUILLMARK_BUILD_DIR:-$ROOT/build}

"$ROOT/scripts/setup.sh"
cmake -S "$ROOT" -B "$BUILD_DIR" -DCMAKE_BUILD_TYPE=Release
cmake --build "$BUILD_DIR" -j"$(nproc)" --target quillmark
cd "$ROOT/examples"
exec "$BUILD_DIR/window/quillmark"
