#!/bin/sh
# check_debian_depends.sh DEPENDS PROGRAM LIBRARY...
# Checks that the Debian dependencies read_debian_depends.sh read off PROGRAM into the file
# DEPENDS name every LIBRARY package. Ends with 77 (skipped) where dpkg-shlibdeps was not
# there to read them.
set -u
file=$1 program=$(basename "$2")
shift 2
[ -s "$file" ] || { echo "no dependencies read off $program: $file is missing"; exit 1; }
case $(head -n 1 "$file") in
  skipped:*) cat "$file"; exit 77 ;;
  failed:*) echo "dpkg-shlibdeps cannot read $program:"; cat "$file"; exit 1 ;;
esac
depends=$(cat "$file")
failed=0
for library in "$@"; do
  printf '%s\n' "$depends" | grep -q "[=,] *$library " ||
    { echo "$program depends on no $library: $depends"; failed=1; }
done
exit $failed
