#!/bin/sh
# check_not_loaded.sh LIBRARY PROGRAM...
# Checks that the dynamic loader maps LIBRARY (a file name such as libcurl.so.4) for none
# of the PROGRAMs before their main, neither as their own dependency nor as one of their
# libraries': they open it themselves when they first need it. Ends with 77 (skipped)
# without ldd.
set -u
command -v ldd >/dev/null 2>&1 || { echo "ldd is not installed"; exit 77; }
library=$1
shift
failed=0
for program in "$@"; do
  loaded=$(ldd "$program") || { echo "ldd cannot read $program"; exit 1; }
  printf '%s\n' "$loaded" | grep -q "^[[:space:]]*$library " &&
    { echo "$(basename "$program") loads $library at start"; failed=1; }
done
exit $failed
