#!/bin/sh
# read_debian_depends.sh OUT PROGRAM
# Reads the Debian dependencies off PROGRAM with dpkg-shlibdeps, called as CPack calls it
# for the package's Depends field, into the file OUT: the Depends line, or "failed:" and
# dpkg-shlibdeps's messages, or "skipped:" without dpkg-shlibdeps. The build runs it
# whenever PROGRAM is linked (it takes seconds, most of them reading the libraries'
# symbol files); check_debian_depends.sh then checks what it read. It always succeeds,
# so that a failure shows as that test's, not as the build's.
set -u
out=$1 program=$2
work="$out.d"
rm -rf "$work"
mkdir -p "$work/debian"
if ! command -v dpkg-shlibdeps >/dev/null 2>&1; then
  echo "skipped: dpkg-shlibdeps is not installed" >"$out"
elif depends=$(cd "$work" && : >debian/control && dpkg-shlibdeps --ignore-missing-info -O "$program" 2>shlibdeps.log); then
  printf '%s\n' "$depends" >"$out"
else
  { echo "failed:"; cat "$work/shlibdeps.log"; } >"$out"
fi
rm -rf "$work"
