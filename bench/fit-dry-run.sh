#!/usr/bin/env bash
# Times "tarnek-levels fit --dry-run" on a 100-level configuration, whole process, side by
# side with the floor of any program that reads the same database: the sqlite3 shell
# opening it and reading the XP table. Usage: fit-dry-run.sh [BUILD_DIR [RUNS]]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
runs=${2:-100}
tool="$build/cli/tarnek-levels"
[ -x "$tool" ] || { echo "$tool is not built" >&2; exit 1; }
command -v sqlite3 >/dev/null || { echo "sqlite3 is not installed" >&2; exit 1; }

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
mkdir -p "$scratch/tarnek"
"$tool" -C "$scratch" levels 100 --yes
database="$scratch/TarnekChangeLevelDatabase/TarnekChangeLevel.mdb"

# hyperfine's summary gives the ratio of the means; each run's user and system time beside it.
hyperfine -N --warmup 10 --runs "$runs" \
  -n sqlite3 "sqlite3 -readonly $database 'SELECT * FROM \"XP за убийство\"'" \
  -n fit "$tool -C $scratch fit saved --hours 800 --kills-per-hour 60 --dry-run"
echo "load average: $(cut -d' ' -f1-3 /proc/loadavg)"
