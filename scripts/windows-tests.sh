#!/usr/bin/env bash
# Runs the Windows build's tests under Wine inside a virtual X display, with one
# Wine server kept alive for the whole run (every process start is then cheap).
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
export WINEPREFIX="$top/build/wineprefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
run_tests() {
  mkdir -p "$WINEPREFIX"
  # The server and Wine's own services start here, detached from ctest's
  # output pipes: a service that inherited them would keep ctest waiting.
  wineserver -p >/dev/null 2>&1 </dev/null || true
  bash "$top/scripts/prepare-wine-prefix.sh"
  status=0
  ctest --preset windows "$@" || status=$?
  wineserver -k || true
  return $status
}
if [ "${1:-}" = "--inside-display" ]; then
  shift
  run_tests "$@"
else
  exec xvfb-run -a -s "-screen 0 1280x1024x24" bash "$0" --inside-display "$@"
fi
