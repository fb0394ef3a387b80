#!/usr/bin/env bash
# Builds Tarvex and shows the bundled sample database.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup-deps.sh
cmake --preset default >/dev/null
cmake --build --preset default -j 2 --target tarvex-cli
./build/tarvex-cli info resources/sample/sample.hpd
./build/tarvex-cli dump resources/sample/sample.hpd
