#!/usr/bin/env bash
# The map pages opened in a real headless browser: the one-point page and the page of every
# site and group of the sample database. The page's script must run without an error and build
# its map in "map-canvas" with its markers (and range circles). Map tiles cannot load without a
# network; the page does not need them to run.
#
#   map_page_in_browser.sh TARVEX-CLI SAMPLE.hpd
#
# Exit 77 (skipped) when no chromium can be found or installed.
set -u
cli=$1
sample=$2

browser=$(command -v chromium || command -v chromium-browser || true)
if [ -z "$browser" ] && [ "$(id -u)" -eq 0 ] && command -v apt-get >/dev/null; then
  echo "installing chromium for the map page test"
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends chromium \
    >/dev/null 2>&1 || true
  browser=$(command -v chromium || true)
fi
if [ -z "$browser" ]; then
  echo "SKIP: no chromium here and it could not be installed; the map pages were not opened"
  exit 77
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail=0

# Prints the DOM after the page's scripts ran; the browser's console goes to log.
open_page() {
  local page=$1 log=$2
  timeout 120 "$browser" --headless --no-sandbox --disable-gpu --disable-background-networking \
    --no-first-run --disable-component-update --disable-sync \
    --user-data-dir="$work/profile-$RANDOM" --enable-logging=stderr --v=0 \
    --virtual-time-budget=5000 --dump-dom "file://$page" 2>"$log"
}

check() {
  local what=$1 dom=$2 log=$3 markers=$4 circles=$5
  if grep -q "Uncaught" "$log"; then
    echo "FAIL $what: the page's script raised an error:"; grep "Uncaught" "$log"; fail=1
  fi
  if ! grep -q 'id="map-canvas" class="[^"]*leaflet-container' "$dom"; then
    echo "FAIL $what: no map was built in map-canvas"; fail=1
  fi
  local found
  found=$(grep -o 'leaflet-marker-icon' "$dom" | wc -l)
  if [ "$found" -ne "$markers" ]; then
    echo "FAIL $what: $found markers, expected $markers"; fail=1
  fi
  found=$(grep -o '<path class="leaflet-interactive"' "$dom" | wc -l)
  if [ "$found" -lt "$circles" ]; then
    echo "FAIL $what: $found range circles, expected at least $circles"; fail=1
  fi
  [ $fail -eq 0 ] && echo "ok $what: map, $markers marker(s), script without errors"
}

mkdir -p "$work/one"
"$cli" map 40.2096 -74.01 -o "$work/one/map.html" >/dev/null || exit 1
open_page "$work/one/map.html" "$work/one.log" >"$work/one.dom"
grep -q 'title="Hello World!"' "$work/one.dom" || { echo "FAIL one point: marker title"; fail=1; }
check "one point" "$work/one.dom" "$work/one.log" 1 0

mkdir -p "$work/all"
"$cli" map --all "$sample" -o "$work/all/map_all.html" >/dev/null || exit 1
points=$(grep -c "^  \['" "$work/all/map_all.html")
open_page "$work/all/map_all.html" "$work/all.log" >"$work/all.dom"
check "all locations ($points points)" "$work/all.dom" "$work/all.log" "$points" 1

exit $fail
