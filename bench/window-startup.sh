#!/usr/bin/env bash
# Times the editor from launch to its main window on the screen, side by side with a bare
# Qt Widgets window (minimal_qt_window), on a virtual 1280x800 screen (Xvfb), with
# hyperfine: once to the window mapped (the first expose) and once to its first painted
# frame. Both programs end right there (TARNEK_EXIT_WHEN_SHOWN). The editor opens a
# scratch plugin tree whose database the warm-up runs create, as a user's later starts
# find it. Usage: window-startup.sh [BUILD_DIR [RUNS]]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
runs=${2:-20}
for program in bench/minimal_qt_window app/tarnek-level-editor; do
  [ -x "$build/$program" ] || { echo "$build/$program is not built" >&2; exit 1; }
done

scratch=$(mktemp -d)
xvfb=
trap '[ -z "$xvfb" ] || kill "$xvfb"; rm -rf "$scratch"' EXIT
mkdir -p "$scratch/tree/tarnek" "$scratch/home"
cd "$scratch/tree"
export HOME="$scratch/home"

# A screen of our own for the whole measurement.
. "$root/scripts/own-xvfb.sh"
start_own_xvfb "$scratch"

# Wall time suffers most from other programs on a shared machine; the processor time each
# start took (user and system) says more there.
ratios() {
  awk -F'[:,]' -v stage="$1" '
    /"command"/ { name = $2; gsub(/[" ]/, "", name) }
    /"mean"/    { mean[name] = $2 }
    /"median"/  { median[name] = $2 }
    /"user"/    { user[name] = $2 }
    /"system"/  { cpu[name] = user[name] + $2 }
    END {
      printf "%s: editor / minimal  wall mean %.2f, wall median %.2f, CPU %.2f (%.1f ms / %.1f ms)\n", stage,
             mean["editor"] / mean["minimal"], median["editor"] / median["minimal"],
             cpu["editor"] / cpu["minimal"], cpu["editor"] * 1000, cpu["minimal"] * 1000
    }' "$2"
}

for stage in mapped painted; do
  TARNEK_EXIT_WHEN_SHOWN=$stage \
    hyperfine -N --warmup 3 --runs "$runs" --export-json "$scratch/$stage.json" \
      -n minimal "$build/bench/minimal_qt_window" \
      -n editor "$build/app/tarnek-level-editor"
done
ratios "window mapped" "$scratch/mapped.json"
ratios "first frame  " "$scratch/painted.json"
echo "load average: $(cut -d' ' -f1-3 /proc/loadavg)"
