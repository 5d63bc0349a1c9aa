#!/usr/bin/env bash
# Installs what is missing, checks the layout of the C++ files, builds, runs every test:
# the normal build, then the core again under AddressSanitizer and UndefinedBehaviorSanitizer,
# then the whole program built for Windows under wine, with its installer and zip (left out
# when TARNEK_SKIP_WINDOWS=1).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
scripts/install-deps.sh
scripts/format.sh --check
scripts/build.sh build
scripts/build.sh build-sanitize -DTARNEK_SANITIZE=ON -DTARNEK_BUILD_GUI=OFF
(cd build-sanitize && ctest --output-on-failure -j"$(nproc)")
(cd build && ctest --output-on-failure -j"$(nproc)")
echo "Linux part: $SECONDS s"
if [ "${TARNEK_SKIP_WINDOWS:-0}" != 1 ]; then
  scripts/test-windows.sh
fi
