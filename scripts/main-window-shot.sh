#!/usr/bin/env bash
# Renders docs/main-window.png from the real main window, on a fresh demo plugin tree,
# without a display (Qt's offscreen platform).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
scripts/build.sh build
tree=$(mktemp -d)
trap 'rm -rf "$tree"' EXIT
mkdir -p "$tree/tarnek" docs
(cd "$tree" && QT_QPA_PLATFORM=offscreen "$root/build/app/tarnek-main-window-shot" "$root/docs/main-window.png")
echo "docs/main-window.png written"
