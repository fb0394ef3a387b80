#!/usr/bin/env bash
# Builds the Debian package from a build folder, unpacks it into a scratch root and checks it as
# a user's machine would see it: both programs answer --version without a display, and the
# desktop file, AppStream metadata and man page pass their validators.
# usage: scripts/test-package.sh BUILD_DIR
set -euo pipefail
build=${1:?usage: test-package.sh BUILD_DIR}
need=()
command -v desktop-file-validate >/dev/null || need+=(desktop-file-utils)
command -v appstreamcli >/dev/null || need+=(appstream)
command -v dpkg-shlibdeps >/dev/null || need+=(dpkg-dev)
if ((${#need[@]})); then
  if [ "$(id -u)" -eq 0 ]; then
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${need[@]}" \
      >/dev/null || { apt-get update -qq && DEBIAN_FRONTEND=noninteractive \
      apt-get install -y -qq --no-install-recommends "${need[@]}" >/dev/null; }
  else
    echo "SKIP: missing ${need[*]} (run as root to install them)"
    exit 0
  fi
fi

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
(cd "$build" && cpack -G DEB -B "$scratch/out" >"$scratch/cpack.log" 2>&1) ||
  { cat "$scratch/cpack.log"; exit 1; }
deb=$(ls "$scratch"/out/*.deb)
echo "package: $(basename "$deb")"
dpkg-deb --info "$deb" | grep -E '^ (Package|Version|Depends):'
dpkg-deb -x "$deb" "$scratch/root"
root=$scratch/root

fail=0
check() { # description, command...
  local what=$1; shift
  if "$@" >"$scratch/out.txt" 2>&1; then echo "ok: $what"
  else echo "FAILED: $what"; cat "$scratch/out.txt"; fail=1; fi
}
for f in usr/bin/tarvex usr/bin/tarvex-cli usr/share/applications/tarvex.desktop \
  usr/share/icons/hicolor/scalable/apps/tarvex.svg usr/share/metainfo/com.norvane.tarvex.metainfo.xml \
  usr/share/mime/packages/tarvex.xml usr/share/man/man1/tarvex-cli.1 \
  "usr/share/tarvex/hpd files/gmrs.hpd" usr/share/tarvex/sample/sample.hpd; do
  check "installs $f" test -s "$root/$f"
done
version=$(sed -n 's/^project(Tarvex VERSION \([0-9.]*\).*/\1/p' "$(dirname "$0")/../CMakeLists.txt")
# No display: neither program may need one to say its version or its usage.
check "tarvex-cli --version" bash -c "env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM '$root/usr/bin/tarvex-cli' --version | grep -qx 'tarvex-cli $version'"
check "tarvex --version" bash -c "env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM '$root/usr/bin/tarvex' --version | grep -qx 'Tarvex $version'"
check "tarvex --help" bash -c "env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM '$root/usr/bin/tarvex' --help | grep -q 'FILE.hpd'"
check "tarvex-cli info on the installed sample" \
  "$root/usr/bin/tarvex-cli" info "$root/usr/share/tarvex/sample/sample.hpd"
check "desktop-file-validate" desktop-file-validate "$root/usr/share/applications/tarvex.desktop"
check "appstreamcli validate" appstreamcli validate --no-net \
  "$root/usr/share/metainfo/com.norvane.tarvex.metainfo.xml"
command -v man >/dev/null && check "man page renders" bash -c "MANWIDTH=80 man -l '$root/usr/share/man/man1/tarvex-cli.1' 2>&1 | grep -q 'tarvex-cli - command line'"
exit $fail
