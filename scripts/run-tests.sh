#!/usr/bin/env bash
# Sets up, builds and runs the whole test suite. Widget tests run offscreen;
# only the end-to-end test starts its own Xvfb.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${MORVA_BUILD_DIR:-$root/build}
"$root/scripts/setup.sh"
"$root/scripts/build.sh"
cd "$build"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure --parallel "$(nproc)" --timeout 600
