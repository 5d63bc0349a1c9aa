#!/usr/bin/env bash
# Installs what is missing, builds, and opens the editor on a demo plugin tree in build/demo:
# a tarnek/ folder for the generated sources and a stand-in compile.sh (scripts/demo-compile.sh)
# that checks them as the plugin compiler would and reports in its format.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
scripts/install-deps.sh
scripts/build.sh build

demo="$root/build/demo"
mkdir -p "$demo/tarnek"
# The stand-in compiler is refreshed unless someone put a compiler of their own there.
if [ ! -e "$demo/compile.sh" ] || grep -q "Stand-in" "$demo/compile.sh"; then
  cp scripts/demo-compile.sh "$demo/compile.sh"
  chmod +x "$demo/compile.sh"
fi

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display to open the editor on. The demo plugin tree is ready:" >&2
  echo "  cd $demo && $root/build/app/tarnek-level-editor" >&2
  exit 1
fi
cd "$demo"
exec "$root/build/app/tarnek-level-editor"
