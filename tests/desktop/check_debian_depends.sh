#!/bin/sh
# check_debian_depends.sh OUT PROGRAM LIBRARY...
# Reads the Debian dependencies off PROGRAM with dpkg-shlibdeps, called as CPack calls it
# for the package's Depends field, in the fresh folder OUT, and checks that they name every
# LIBRARY package. Ends with 77 (skipped) without dpkg-shlibdeps.
set -u
command -v dpkg-shlibdeps >/dev/null 2>&1 || { echo "dpkg-shlibdeps is not installed"; exit 77; }
out=$1 program=$2
shift 2
rm -rf "$out"
mkdir -p "$out/debian"
: >"$out/debian/control"
depends=$(cd "$out" && dpkg-shlibdeps --ignore-missing-info -O "$program" 2>"$out/shlibdeps.log") ||
  { cat "$out/shlibdeps.log"; exit 1; }
failed=0
for library in "$@"; do
  printf '%s\n' "$depends" | grep -q "[=,] *$library " ||
    { echo "$(basename "$program") depends on no $library: $depends"; failed=1; }
done
exit $failed
