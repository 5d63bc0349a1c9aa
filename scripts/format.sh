#!/usr/bin/env bash
# Lays out every C++ file of the tree as .clang-format says. With --check, changes nothing and
# fails, naming the files, when one differs.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
mapfile -t files < <(find model pluginsrc settingsdb session exchange widgets grid charts app skills cli tests bench \
  -type f \( -name '*.cpp' -o -name '*.h' -o -name '*.inl' \) 2>/dev/null | sort)
if [ "${1:-}" = "--check" ]; then
  clang-format --dry-run --Werror "${files[@]}"
else
  clang-format -i "${files[@]}"
fi
