#!/usr/bin/env bash
# Regenerates the pictures of the four draw modes in docs/ with the command-line tool.
# Usage: scripts/screenshots.sh [BUILD_DIR]   (the build must include the GUI parts)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
cli="$build/cli/quillmark-cli"
screenplay=cyber_bob_ep1.txt
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$root/examples/$screenplay" "$root/examples/breakStrings.txt" "$root/examples/config.txt" "$work/"
names=(force-directed color-weaving convergence-graph increasing-graph)
run() { if [ -n "${DISPLAY:-}" ]; then "$@"; else xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" "$@"; fi; }
for mode in 0 1 2 3; do
    run "$cli" --workdir "$work" --image --mode "$mode" --frames 40 --size 800x600 "$work/$screenplay"
    mv "$work/$screenplay.png" "$root/docs/mode-$mode-${names[$mode]}.png"
done
ls -l "$root"/docs/mode-*.png
