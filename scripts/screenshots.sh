#!/usr/bin/env bash
# Regenerates the README's pictures of the main window in docs/: examples/cyber_bob_ep1.txt
# opened with the examples' settings, one picture per draw mode and one of the storyline.
# Usage: scripts/screenshots.sh [BUILD_DIR]   (the build must include the GUI parts)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
mkdir -p "$root/docs"
cmake --build "$build" --target window_pictures >/dev/null
screenplay=cyber_bob_ep1.txt
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$root/examples"
cp "$screenplay" breakStrings.txt config.txt colors.txt characters.txt "$work/"
run() { if [ -n "${DISPLAY:-}" ]; then "$@"; else xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" "$@"; fi; }
run "$build/bench/window_pictures" "$work/$screenplay" "$root/docs" | grep 'docs/'
