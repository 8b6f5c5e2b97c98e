#!/usr/bin/env bash
# Brings the project's Wine prefix up to date: Wine's own services, the fonts
# that come with Wine, and window frames that Wine draws itself for Lumidor.exe.
#  - Debian installs Wine's fonts (Tahoma, MS Sans Serif, Marlett for the
#    caption buttons) to /usr/share/wine/fonts, where this Wine does not look;
#    the prefix's Fonts folder is read.
#  - Without a window manager (Xvfb) nobody else draws title bars, and a
#    screenshot would lack them.
set -euo pipefail
: "${WINEPREFIX:?WINEPREFIX must name the prefix}"
mkdir -p "$WINEPREFIX"
wineboot -u >/dev/null 2>&1 </dev/null || true

fonts="$WINEPREFIX/drive_c/windows/Fonts"
if [ -d /usr/share/wine/fonts ] && [ -d "$fonts" ]; then
  cp -u /usr/share/wine/fonts/* "$fonts/"
fi

key='HKCU\Software\Wine\AppDefaults\Lumidor.exe\X11 Driver'
if ! grep -qF 'AppDefaults\\Lumidor.exe\\X11 Driver' "$WINEPREFIX/user.reg" 2>/dev/null; then
  wine reg add "$key" /v Decorated /d N /f >/dev/null 2>&1 </dev/null || true
fi
