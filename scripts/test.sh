#!/usr/bin/env bash
# Installs what is missing, builds, runs every test: the normal build, then the core
# again under AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
scripts/install-deps.sh
scripts/build.sh build
scripts/build.sh build-sanitize -DTARNEK_SANITIZE=ON -DTARNEK_BUILD_GUI=OFF
(cd build-sanitize && ctest --output-on-failure -j"$(nproc)")
cd build && ctest --output-on-failure -j"$(nproc)"
