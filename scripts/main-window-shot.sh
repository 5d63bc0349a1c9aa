#!/usr/bin/env bash
# Renders docs/main-window.png from the real main window, on a fresh demo plugin tree, on a
# virtual 1280x800 screen (Xvfb), the smallest screen the window is laid out for. Without
# Xvfb it falls back to Qt's offscreen platform.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
scripts/build.sh build
tree=$(mktemp -d)
trap 'rm -rf "$tree"' EXIT
mkdir -p "$tree/tarnek" docs
shot=("$root/build/app/tarnek-main-window-shot" "$root/docs/main-window.png")
if command -v xvfb-run >/dev/null; then
  (cd "$tree" && HOME="$tree" xvfb-run -a -s "-screen 0 1280x800x24" "${shot[@]}")
else
  (cd "$tree" && HOME="$tree" QT_QPA_PLATFORM=offscreen "${shot[@]}")
fi
echo "docs/main-window.png written"
