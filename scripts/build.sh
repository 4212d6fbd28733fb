#!/usr/bin/env bash
# Configures and builds into build/ (or $MORVA_BUILD_DIR).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${MORVA_BUILD_DIR:-$root/build}
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE="${MORVA_BUILD_TYPE:-RelWithDebInfo}" \
  -DMORVA_WARNINGS_AS_ERRORS=ON "$@"
cmake --build "$build" --parallel
