#!/usr/bin/env bash
# Starts Lumidor.exe in viewing mode under Wine from build/run/, so its data
# folder build/run/Data survives rebuilds. On a display it simply runs. Without
# one it starts a virtual display, waits for the window, saves a screenshot to
# build/lumidor-screenshot.png and closes the program as Windows would.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
run_dir="$top/build/run"
exe="$top/build/windows/app/Lumidor.exe"
send="$top/build/windows/tools/lumidor-send.exe"
wine_run="$top/scripts/wine-run.sh"

export WINEPREFIX="${WINEPREFIX:-$top/build/wineprefix}"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"

mkdir -p "$run_dir"
cp "$exe" "$run_dir/Lumidor.exe"

if [ "${1:-}" != "--virtual-display" ]; then
  if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
    cd "$run_dir"
    exec "$wine_run" "$run_dir/Lumidor.exe"
  fi
  echo "No display: starting Lumidor in a virtual display for a screenshot."
  exec xvfb-run -a -s "-screen 0 1280x1024x24" bash "$0" --virtual-display
fi

bash "$top/scripts/prepare-wine-prefix.sh"
cd "$run_dir"
"$wine_run" "$run_dir/Lumidor.exe" &
program=$!
if "$wine_run" "$send" wait 60; then
  sleep 2
  # Just the window: lumidor-send prints its place on the screen as WxH+X+Y.
  geometry=$("$wine_run" "$send" geometry | tr -d '\r')
  import -window root -crop "$geometry" +repage "$top/build/lumidor-screenshot.png"
  echo "Screenshot: build/lumidor-screenshot.png"
  "$wine_run" "$send" close || true
else
  echo "Lumidor ended before its window appeared." >&2
fi
status=0
wait "$program" || status=$?
echo "Lumidor ended with exit code $status."
"$wine_run" wineserver -k >/dev/null 2>&1 || wineserver -k >/dev/null 2>&1 || true
exit "$status"
