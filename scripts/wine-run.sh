#!/usr/bin/env bash
# Runs a Windows program under Wine with the project's own prefix in build/.
# Used by ctest as the cross-compiling emulator and by make run.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
export WINEPREFIX="${WINEPREFIX:-$top/build/wineprefix}"
export WINEDEBUG="${WINEDEBUG:--all}"
# No Mono or Gecko installer dialogs: the program needs neither.
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
# Wine creates the prefix itself on first use.
mkdir -p "$WINEPREFIX"
exec wine "$@"
