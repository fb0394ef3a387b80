#!/usr/bin/env bash
# Builds Tarvex and starts the desktop editor on the bundled sample database.
# Extra arguments go to the program (for example --quit-after-ms 3000 for a smoke run).
# Without a display (no DISPLAY or WAYLAND_DISPLAY, QT_QPA_PLATFORM unset) the editor starts
# on Qt's offscreen platform and closes itself after a few seconds.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup-deps.sh
cmake --preset default >/dev/null
cmake --build --preset default -j 2 --target tarvex tarvex-cli
./build/tarvex-cli info resources/sample/sample.hpd
args=("$@")
if [[ -z "${QT_QPA_PLATFORM:-}" && -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" ]]; then
  echo "No display found: starting the editor offscreen for a short smoke run." >&2
  export QT_QPA_PLATFORM=offscreen
  [[ " ${args[*]-} " == *" --quit-after-ms "* ]] || args+=(--quit-after-ms 3000)
fi
exec ./build/tarvex resources/sample/sample.hpd "${args[@]}"
