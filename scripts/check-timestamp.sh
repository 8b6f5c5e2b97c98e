#!/usr/bin/env bash
# Fails when a Windows program carries a link time stamp or a debug
# directory: either would make two builds of the same source differ.
set -euo pipefail
exe=$1
headers=$(x86_64-w64-mingw32-objdump -p "$exe")
stamp=$(sed -n 's/^Time\/Date[[:space:]]*//p' <<< "$headers")
echo "time stamp: $stamp"
[[ "$stamp" == *"Jan  1 00:00:00 1970"* ]] || { echo "the link time stamp is set" >&2; exit 1; }
if grep -qE '^Entry 6 0*[1-9a-f]' <<< "$headers"; then
  echo "a debug directory is present" >&2
  exit 1
fi
