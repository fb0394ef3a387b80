#!/usr/bin/env bash
# Builds Tarvex and runs every test (core GoogleTest suites and offscreen Qt window tests).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup-deps.sh
cmake --preset default >/dev/null
cmake --build --preset default -j 2
export QT_QPA_PLATFORM=offscreen
ctest --preset default
