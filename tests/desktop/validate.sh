#!/bin/sh
# validate.sh TOOL ARGS...: runs a validator; its warnings fail the test as its errors do.
# Ends with 77 (skipped) when the tool is not installed.
command -v "$1" >/dev/null 2>&1 || { echo "$1 is not installed"; exit 77; }
out=$("$@" 2>&1)
rc=$?
printf '%s\n' "$out"
[ $rc -eq 0 ] || exit 1
if printf '%s\n' "$out" | grep -Eq '^(E|W): |error: |warning: '; then exit 1; fi
