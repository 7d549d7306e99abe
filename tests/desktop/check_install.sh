#!/bin/sh
# check_install.sh CMAKE BUILD PREFIX BINDIR DATADIR APP_ID VERSION [PNG_SIZE...]
# Installs the build into a fresh PREFIX and checks that the programs, desktop entry, icons and
# AppStream data land where desktops look for them and name each other consistently.
set -u
cmake=$1 build=$2 prefix=$3 bindir=$4 datadir=$5 id=$6 version=$7
shift 7
rm -rf "$prefix"
"$cmake" --install "$build" --prefix "$prefix" >/dev/null || exit 1

failed=0
fail() { echo "$1"; failed=1; }
need() { [ -s "$prefix/$1" ] || fail "not installed: $1"; }

desktop=$datadir/applications/$id.desktop
metainfo=$datadir/metainfo/$id.metainfo.xml
need "$desktop"
need "$metainfo"
need "$datadir/icons/hicolor/scalable/apps/$id.svg"
for size in "$@"; do need "$datadir/icons/hicolor/${size}x${size}/apps/$id.png"; done
[ $failed -eq 0 ] || exit 1

program=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$prefix/$desktop")
[ -n "$program" ] && [ -x "$prefix/$bindir/$program" ] || fail "Exec=$program is not an installed program"
grep -qx "Icon=$id" "$prefix/$desktop" || fail "the desktop entry's Icon is not $id"
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$prefix/$metainfo" ||
  fail "the AppStream launchable is not $id.desktop"
grep -q "<release version=\"$version\"" "$prefix/$metainfo" || fail "no AppStream release for $version"
binaries=$(sed -n 's:.*<binary>\(.*\)</binary>.*:\1:p' "$prefix/$metainfo")
[ -n "$binaries" ] || fail "the AppStream data provides no binary"
for binary in $binaries; do
  [ -x "$prefix/$bindir/$binary" ] || fail "provided binary $binary is not installed"
done
# The installed tool must run on its own, without the build or source tree beside it.
"$prefix/$bindir/orvanel-cli" help >/dev/null || fail "the installed orvanel-cli does not run"
exit $failed
