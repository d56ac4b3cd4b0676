#!/usr/bin/env bash
# The Debian package made from this build installs like any Debian program: unpacked into a
# temporary root (dpkg -x), each program answers --version, and the desktop entry, icon, help,
# man pages and the server's systemd unit are where the system looks for them.
# Usage: check_package.sh BUILD_DIR
set -euo pipefail
build=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cpack --config "$build/CPackConfig.cmake" -G DEB -B "$work/out" >"$work/cpack.log" 2>&1 || {
    cat "$work/cpack.log"
    exit 1
}
deb=$(find "$work/out" -maxdepth 1 -name 'kestova_*.deb' | head -n 1)
[ -n "$deb" ] || { echo "no package was made"; cat "$work/cpack.log"; exit 1; }
dpkg-deb -x "$deb" "$work/root"

status=0
fail() { echo "FAIL $1"; status=1; }
version=$(sed -n 's/^project(Kestova VERSION \([0-9.]*\).*/\1/p' "$(dirname "$0")/../../CMakeLists.txt")
for program in kestova zarnevo-server kestova-wire kestova-audit; do
    out=$("$work/root/usr/bin/$program" --version 2>&1) || fail "$program --version exits $?"
    [ "$out" = "$program $version" ] || fail "$program --version says '$out'"
done
for file in usr/share/applications/kestova.desktop usr/share/icons/hicolor/128x128/apps/kestova.png \
            usr/share/kestova/Zarnevo.html usr/share/man/man8/zarnevo-server.8.gz \
            usr/share/man/man1/kestova-wire.1.gz usr/share/man/man1/kestova-audit.1.gz lib/systemd/system/zarnevo-server.service \
            etc/default/zarnevo-server; do
    [ -s "$work/root/$file" ] || fail "missing $file"
done
grep -q -- '--listen 127.0.0.1' "$work/root/lib/systemd/system/zarnevo-server.service" ||
    fail "the server's unit does not keep it on loopback"
dpkg-deb -f "$deb" Depends | grep -q 'libqt6widgets6' || fail "the package does not depend on Qt"
[ "$status" = 0 ] && echo "package $(basename "$deb") installs and runs"
exit "$status"
