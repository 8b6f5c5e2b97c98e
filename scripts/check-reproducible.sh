#!/usr/bin/env bash
# Builds Lumidor.exe a second time in another folder and compares it byte for
# byte with the one of build/windows: the release must not depend on when or
# where it was built.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
second="$top/build/reproduce"
rm -rf "$second"
cmake --preset windows -B "$second" -DLUMIDOR_TESTS=OFF >/dev/null
cmake --build "$second" --target Lumidor
if cmp "$top/build/windows/app/Lumidor.exe" "$second/app/Lumidor.exe"; then
  echo "Lumidor.exe is the same in both builds: $(sha256sum < "$second/app/Lumidor.exe" | cut -c1-64)"
else
  echo "the two builds of Lumidor.exe differ" >&2
  exit 1
fi
