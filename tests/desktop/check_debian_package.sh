#!/bin/sh
# check_debian_package.sh CPACK BUILD OUT APP_ID PACKAGE...
# Makes the Debian package of the build with CPack, unpacks it into the fresh folder OUT
# and checks that it installs the programs, their manual pages, desktop entry, icon,
# AppStream data and Debian's own files under /usr, that CPack is set to read its
# dependencies off the programs, and that it depends on every PACKAGE, with a version,
# beyond those (what the programs open at run time). dpkg-shlibdeps, which reads them,
# takes seconds: here CPack skips it; the build reads them off each program with
# read_debian_depends.sh, and check_debian_depends.sh checks them.
# Ends with 77 (skipped) without dpkg-deb.
set -u
command -v dpkg-deb >/dev/null 2>&1 || { echo "dpkg-deb is not installed"; exit 77; }
cpack=$1 build=$2 out=$3 id=$4
shift 4
grep -qx 'set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS "ON")' "$build/CPackConfig.cmake" ||
  { echo "CPack does not read the package's dependencies off the programs"; exit 1; }
rm -rf "$out"
mkdir -p "$out"
"$cpack" -G DEB --config "$build/CPackConfig.cmake" -B "$out" -D CPACK_DEBIAN_PACKAGE_SHLIBDEPS=OFF \
  >"$out/cpack.log" 2>&1 || { cat "$out/cpack.log"; exit 1; }
deb=$(ls "$out"/orvanel_*.deb)
[ -f "$deb" ] || { echo "no orvanel_*.deb made"; exit 1; }
dpkg-deb -x "$deb" "$out/root" || exit 1

failed=0
fail() { echo "$1"; failed=1; }
for file in usr/bin/orvanel usr/bin/orvanel-cli usr/share/applications/$id.desktop \
            usr/share/metainfo/$id.metainfo.xml usr/share/icons/hicolor/scalable/apps/$id.svg \
            usr/share/doc/orvanel/copyright usr/share/doc/orvanel/changelog.gz \
            usr/share/man/man1/orvanel.1.gz usr/share/man/man1/orvanel-cli.1.gz; do
  [ -s "$out/root/$file" ] || fail "not in the package: /$file"
done
[ -z "$(ls "$out/root" | grep -vx usr)" ] || fail "the package installs outside /usr: $(ls "$out/root")"
[ "$(dpkg-deb -f "$deb" Package)" = orvanel ] || fail "the package is not named orvanel"
depends=$(dpkg-deb -f "$deb" Depends)
for package in "$@"; do
  printf '%s\n' "$depends" | grep -q "\(^\|,\) *$package (" || fail "the package depends on no $package: $depends"
done
exit $failed
