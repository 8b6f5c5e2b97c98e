#!/usr/bin/env bash
# Lists the DLLs that a Windows program imports and fails on any that is not
# part of Windows itself.
set -euo pipefail
exe=$1
# DLL names are not case-sensitive on Windows.
shopt -s nocasematch
allowed='^(KERNEL32|USER32|GDI32|COMCTL32|SHELL32|OLE32|OLEAUT32|ADVAPI32|COMDLG32|UXTHEME|msvcrt)\.dll$'
dlls=$(x86_64-w64-mingw32-objdump -p "$exe" | sed -n 's/^[[:space:]]*DLL Name: //p')
[ -n "$dlls" ] || { echo "no import table found in $exe" >&2; exit 1; }
status=0
while read -r dll; do
  if [[ "$dll" =~ $allowed ]]; then
    echo "ok      $dll"
  else
    echo "foreign $dll" >&2
    status=1
  fi
done <<< "$dlls"
exit $status
