#!/usr/bin/env bash
# Cross-builds a static libpng for the Windows build from Debian's own source
# package, into build/deps/mingw. Debian has no MinGW build of libpng. The
# source entry is derived from this machine's apt sources at run time and kept
# in a private apt folder, so the system's configuration stays untouched.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
deps="$top/build/deps"
prefix="$deps/mingw"
[ -f "$prefix/lib/libpng16.a" ] && exit 0

work="$deps/libpng-work"
apt_dir="$work/apt"
rm -rf "$work"
mkdir -p "$apt_dir/lists/partial" "$apt_dir/sources.list.d" "$apt_dir/cache/archives/partial"

# Every "deb" entry of the machine becomes a "deb-src" entry.
: > "$apt_dir/sources.list"
for f in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
  [ -f "$f" ] || continue
  sed -n -E 's/^[[:space:]]*deb[[:space:]]+/deb-src /p' "$f" >> "$apt_dir/sources.list"
done
for f in /etc/apt/sources.list.d/*.sources; do
  [ -f "$f" ] || continue
  sed -E 's/^Types:.*$/Types: deb-src/' "$f" > "$apt_dir/sources.list.d/$(basename "$f")"
done

apt_opts=(-o "Dir::Etc::SourceList=$apt_dir/sources.list"
          -o "Dir::Etc::SourceParts=$apt_dir/sources.list.d"
          -o "Dir::State::Lists=$apt_dir/lists"
          -o "Dir::Cache=$apt_dir/cache"
          -o "Debug::NoLocking=1")
apt-get "${apt_opts[@]}" update -qq 2>&1 | grep -v -E '^(W|N): ' || true
# A mirror may list a version it no longer serves: try each one, newest first.
versions=$(apt-cache "${apt_opts[@]}" showsrc libpng1.6 2>/dev/null | sed -n 's/^Version: //p' | sort -rV | uniq)
fetched=
for version in $versions; do
  if (cd "$work" && apt-get "${apt_opts[@]}" source --download-only -qq "libpng1.6=$version" >/dev/null 2>&1); then
    fetched=$version
    break
  fi
  rm -f "$work"/libpng1.6_*
done
[ -n "$fetched" ] || { echo "no source of libpng1.6 could be fetched" >&2; exit 1; }
dsc=$(ls "$work"/libpng1.6_*.dsc | head -n 1)
(cd "$work" && dpkg-source --no-check -x "$dsc" src >/dev/null)

toolchain="$top/cmake/mingw-w64.cmake"
cmake -S "$work/src" -B "$work/build" -G "Unix Makefiles" \
  -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_CROSSCOMPILING_EMULATOR= \
  -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" \
  -DPNG_SHARED=OFF -DPNG_STATIC=ON -DPNG_TESTS=OFF -DPNG_EXECUTABLES=OFF \
  -DSKIP_INSTALL_PROGRAMS=ON -DSKIP_INSTALL_EXECUTABLES=ON -DSKIP_INSTALL_FILES=ON \
  -DZLIB_LIBRARY=/usr/x86_64-w64-mingw32/lib/libz.a \
  -DZLIB_INCLUDE_DIR=/usr/x86_64-w64-mingw32/include >/dev/null
cmake --build "$work/build" -j "$(nproc)" >/dev/null
cmake --install "$work/build" >/dev/null
rm -rf "$work"
[ -f "$prefix/lib/libpng16.a" ] || { echo "libpng cross-build failed" >&2; exit 1; }
