#!/usr/bin/env bash
# A real window driven at a person's speed: builds nothing, takes the tarvex binary to run.
#   tools/walk/walk.sh build/tarvex [screenshot.png]
#     types into a group's grid and saves; exit 0 when the saved file holds exactly what was typed
#   tools/walk/walk.sh build/tarvex --windows SHOT_FOLDER
#     the preferences, the master-database import window (on a one-state database made of the
#     bundled sample, then on ../shared/samples/hpdb when it is there) and Find in Database;
#     a screenshot per step into SHOT_FOLDER; exit 0 when every step did what was meant.
#   tools/walk/walk.sh --rr-search build/tarvex [screenshot.png]
#     searches a frequency in the RadioReference search window against the stand-in service
#     (tools/rr_standin.py); exit 0 when results appear
# Needs Xvfb, dbus, at-spi2-core, python3-pyatspi, xdotool and imagemagick (installed when
# missing and run as root).
set -uo pipefail
mode=grid
if [ "${1:-}" = "--rr-search" ]; then
  mode=rr
  shift
fi
tarvex=$(realpath "$1")
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
need=()
for p in xvfb dbus at-spi2-core python3-pyatspi xdotool imagemagick; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || need+=("$p")
done
if ((${#need[@]})); then
  apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq \
    --no-install-recommends "${need[@]}" >/dev/null
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$root/resources/sample/sample.hpd" "$work/work.hpd"
script=walk_grid_typing.py
if [ "${2:-}" = --windows ]; then
  mode=windows
  script=walk_windows.py
  mkdir -p "${3:?a folder for the screenshots}"
  export WALK_SHOTS=$(realpath "$3") WALK_SAMPLE_DB=$work/sample_db WALK_REAL_DB=
  # The bundled sample as a master database of one state.
  mkdir -p "$WALK_SAMPLE_DB"
  printf 'TargetModel\tHomePatrol-1\r\nFormatVersion\t2.04\r\nStateInfo\tStateId=6\tCountryId=1\tCalifornia\tCA\r\n' \
    >"$WALK_SAMPLE_DB/HPDB.config"
  cp "$root/resources/sample/sample.hpd" "$WALK_SAMPLE_DB/s_000006.hpd"
  real=$root/../shared/samples/hpdb
  if [ -f "$real/HPDB.config" ]; then
    WALK_REAL_DB=$(realpath "$real")
  else
    echo "no real master database beside the project: its steps are skipped"
  fi
  set -- "$1" ""
fi
export XDG_CONFIG_HOME=$work/config XDG_RUNTIME_DIR=$work/run WALK_SHOT=${2:-}
mkdir -m 700 "$work/run"
standin=
if [ "$mode" = rr ]; then
  script=walk_rr_search.py
  export WALK_RESULT=$work/result TARVEX_NO_KEYCHAIN=1
  # The stand-in on a free loopback port; it stops when this script's pipe to it closes.
  coproc STANDIN { exec python3 "$root/tools/rr_standin.py" --port 0 \
    --fixtures "$root/tests/fixtures/rr" --drip 2 --drip-all --exit-with-stdin; }
  standin=$STANDIN_PID
  read -r _ port <&"${STANDIN[0]}"
  mkdir -p "$work/config/Norvane"
  # The import settings keep every text with an "x" after it (an empty text is "x").
  printf '[settings]\nrr_base_url=http://127.0.0.1:%s/soap2/x\nuser=userx\npass=passx\nrr_src_state_text=Iowax\n' \
    "$port" >"$work/config/Norvane/RRfetch.ini"
fi
display=:$((50 + RANDOM % 40))
Xvfb "$display" -screen 0 1600x1000x24 >/dev/null 2>&1 &
xvfb=$!
sleep 1
export DISPLAY=$display
cd "$work"
timeout 180 dbus-run-session -- bash -c "
  /usr/libexec/at-spi-bus-launcher --launch-immediately &
  sleep 1
  QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 '$tarvex' work.hpd >/dev/null 2>&1 &
  app=\$!
  /usr/bin/python3 -u '$here/$script'
  echo \$? >'$work/walked'
  kill \$app" 2>/dev/null | grep -v Registry
kill "$xvfb"
if [ "$mode" = windows ]; then
  walked=$(cat "$work/walked" 2>/dev/null || echo 1)
  exit "$walked"
fi
if [ "$mode" = rr ]; then
  [ -n "$standin" ] && kill "$standin" 2>/dev/null
  if [ -s "$work/result" ]; then
    echo "search window: results shown"
    exit 0
  fi
  echo "search window: no results"
  exit 1
fi
expected=$(tr -d '\r' <"$root/resources/sample/sample.hpd" |
  sed -e '16,18s/\t15[0-9]*\t/\t146610000\t/' -e '19s/Fire Paging/Typed Tag/')
if [ "$expected" = "$(tr -d '\r' <"$work/work.hpd")" ]; then
  echo "saved file: exactly what was typed"
else
  echo "saved file differs:"
  diff <(echo "$expected") <(tr -d '\r' <"$work/work.hpd")
  exit 1
fi
