#!/usr/bin/env bash
# Plays alert tones through the program's player into a private PulseAudio server with a null
# sink, records the sink's monitor, and checks that each tone arrives as its pattern: the number
# of beeps, their length and their pitch. Exit 77 (skipped) where no sound server can be had.
set -uo pipefail
probe=$1
here=$(cd "$(dirname "$0")" && pwd)
if ! command -v pulseaudio >/dev/null || ! command -v parec >/dev/null; then
  if [ "$(id -u)" -eq 0 ] && command -v apt-get >/dev/null; then
    (apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq \
      --no-install-recommends pulseaudio pulseaudio-utils) >/dev/null 2>&1
  fi
fi
if ! command -v pulseaudio >/dev/null || ! command -v parec >/dev/null; then
  echo "pulseaudio/parec not available: skipped"
  exit 77
fi

run=$(mktemp -d)
export XDG_RUNTIME_DIR=$run PULSE_RUNTIME_PATH=$run/pulse HOME=$run
unset PULSE_SERVER
pulseaudio -n --daemonize=no --exit-idle-time=-1 --disallow-exit --log-target=stderr \
  -L "module-null-sink sink_name=tarvex_probe rate=48000" -L module-native-protocol-unix \
  >"$run/pa.log" 2>&1 &
pa=$!
cleanup() {
  kill "$pa" 2>/dev/null
  wait "$pa" 2>/dev/null
  rm -rf "$run"
}
trap cleanup EXIT
for _ in $(seq 50); do pactl info >/dev/null 2>&1 && break; sleep 0.1; done
if ! pactl info >/dev/null 2>&1; then
  echo "the sound server did not start: skipped"
  sed -n 1,20p "$run/pa.log"
  exit 77
fi

# One recording for the whole run: a recorder started per tone may come up after the beeps on
# a busy machine. Each tone is looked for between the recording's length before and after it.
parec -d tarvex_probe.monitor --format=s16le --channels=1 --rate=48000 --raw >"$run/all.raw" 2>/dev/null &
rec=$!
sleep 1
# A freshly started null sink may drop the start of its first stream: one tone unheard first.
QT_QPA_PLATFORM=offscreen "$probe" 1 >/dev/null 2>&1

status=0
# tone  beeps  beep-ms  pitch-Hz (of the first beep)
while read -r tone beeps ms hz; do
  from=$(stat -c %s "$run/all.raw")
  QT_QPA_PLATFORM=offscreen "$probe" "$tone"
  code=$?
  sleep 0.5
  to=$(stat -c %s "$run/all.raw")
  if [ $code -eq 77 ]; then echo "Qt found no audio output: skipped"; exit 77; fi
  if [ $code -ne 0 ]; then echo "tone $tone: player failed ($code)"; status=1; continue; fi
  python3 "$here/alert_tone_check.py" "$run/all.raw" "$from" "$to" 48000 "$beeps" "$ms" "$hz" ||
    { echo "tone $tone: not heard as played"; status=1; }
done <<'TONES'
3 3 100 1000
4 1 500 1500
9 5 60 2000
TONES
kill "$rec" 2>/dev/null
exit $status
