#!/usr/bin/env bash
# Installs what is missing, builds, and opens the editor on a demo plugin tree in build/demo:
# a tarnek/ folder for the generated sources and a stand-in compile.sh that only reports
# what the real plugin compiler would be given.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
scripts/install-deps.sh
scripts/build.sh build

demo="$root/build/demo"
mkdir -p "$demo/tarnek"
if [ ! -x "$demo/compile.sh" ]; then
  cat > "$demo/compile.sh" <<'SCRIPT'
#!/bin/sh
# Stand-in for the plugin compiler: lists the sources the editor generated.
mkdir -p compiled
{
  echo "$(date '+%Y-%m-%d %H:%M:%S') compile.sh started in $(pwd) with $# arguments"
  ls -l tarnek/base.h tarnek/skills.inl
} >> compiled/compile.log 2>&1
echo "compile.sh: see $(pwd)/compiled/compile.log"
SCRIPT
  chmod +x "$demo/compile.sh"
fi

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display to open the editor on. The demo plugin tree is ready:" >&2
  echo "  cd $demo && $root/build/app/tarnek-level-editor" >&2
  exit 1
fi
cd "$demo"
exec "$root/build/app/tarnek-level-editor"
