#!/usr/bin/env bash
# Installs what building and testing Lumidor needs on a Debian machine. Quick
# when everything is there: it only asks dpkg.
set -euo pipefail
packages=(
  make cmake g++ pkg-config
  libpng-dev zlib1g-dev libfreetype-dev fonts-liberation2
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  clang libclang-rt-14-dev
  g++-mingw-w64-x86-64-posix mingw-w64-x86-64-dev libz-mingw-w64-dev binutils-mingw-w64-x86-64
  wine wine64 fonts-wine xvfb xauth imagemagick x11-utils
  dpkg-dev
)
missing=()
for package in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
  [ "$status" = "install ok installed" ] || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=
if [ "$(id -u)" -ne 0 ]; then
  sudo=sudo
fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
