#!/usr/bin/env bash
# Regenerates the pictures of the user guide (docs/screenshots/*.png) from the program itself:
# each main window is opened by `tarvex --screenshot WINDOW FILE.png` on the bundled sample
# database under a virtual X display, with throw-away settings and data folders.
#
#   scripts/screenshots.sh [BUILD_DIR]      (default: build; the program is built when missing)
#
# The master-database window shows Uniden's database when one is found in
# $TARVEX_SAMPLES_DIR/hpdb (default ../shared/samples/hpdb); it is only read, never copied.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
out=$root/docs/screenshots
samples=${TARVEX_SAMPLES_DIR:-$root/../shared/samples}

missing=()
command -v xvfb-run >/dev/null || missing+=(xvfb)
command -v xauth >/dev/null || missing+=(xauth)
fc-list 2>/dev/null | grep -qi dejavu || missing+=(fonts-dejavu-core)
if ((${#missing[@]})); then
  sudo_cmd=""
  [ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
  $sudo_cmd apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
[ -x "$build/tarvex" ] || cmake --build "$build" --target tarvex

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
mkdir -p "$scratch/settings" "$out"
# A memory card as the scanner lays it out, holding two favorites lists made of the sample.
card=$scratch/card/HomePatrol
mkdir -p "$card/favorites_lists"
printf 'Uniden\r\nHomePatrol info\r\nHomePatrol-1\tUS\t0012\t2.04.11\r\n' >"$card/HomePatrol.info"
printf 'TargetModel HomePatrol-1\r\nFormatVersion   2.00\r\n' >"$card/favorites_lists/favorites_lists.config"
n=1
for name in "Harbor County" "Weekend Trips"; do
  file=$(printf 'favorites_000%03d.hpd' "$n")
  cp "$root/resources/sample/sample.hpd" "$card/favorites_lists/$file"
  printf 'F-List\t%s\t%s\tOn\tOn\r\n' "$name" "$file" >>"$card/favorites_lists/favorites_lists.config"
  n=$((n + 1))
done
# The firmware warning is already seen, the card is found in its folder, and the master
# database is the sample one when present.
{
  echo "[General]"
  echo "showmsg1=1x"
  echo "[card]"
  echo "drive_folders=$scratch/cardx"
  if [ -f "$samples/hpdb/HPDB.config" ]; then
    echo "[masterdb]"
    echo "folder=$(cd "$samples/hpdb" && pwd)x"
  fi
} >"$scratch/settings/TARVEX.ini"
export TARVEX_SETTINGS_DIR=$scratch/settings TARVEX_DATA_HOME=$scratch/data
export QT_QPA_PLATFORM=xcb

for window in main card masterdb radioref virtual_control preferences; do
  xvfb-run -a -s "-screen 0 1600x1000x24" \
    "$build/tarvex" --screenshot "$window" "$out/$window.png" "$root/resources/sample/sample.hpd"
  echo "docs/screenshots/$window.png"
done
