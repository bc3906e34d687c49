#!/usr/bin/env bash
# Builds the libraries a cross-built game links, static, from Debian's own
# source packages of the versions this machine's -dev packages come from
# (the ones the Linux build uses), for one target: windows (MinGW-w64) or
# web (Emscripten). Everything stays under one folder per target (default
# build-<target>/deps): apt lists and sources in apt/ and src/, builds in
# build/, the result in prefix/. A stamp per library means a second run
# rebuilds nothing. Each library's Debian copyright file, which holds its
# licence texts, goes to licences/<name>.txt.
#   scripts/deps.sh windows|web [folder]
set -euo pipefail
cd "$(dirname "$0")/.."
target=${1:-}
case "$target" in
  windows)
    toolchain=$PWD/cmake/mingw-w64-x86_64.cmake
    cross_options=() ;;
  web)
    toolchain=/usr/share/emscripten/cmake/Modules/Platform/Emscripten.cmake
    # Emscripten's own test runner breaks every try_run; node runs them.
    # Its sysroot holds stand-ins for SDL and others that would link its
    # ports: only our prefix is searched.
    export NODE_PATH=/usr/share/nodejs
    # Debian's Emscripten runs with Debian's own python3 (another one
    # first on the PATH only makes each of the many compiler checks slower).
    export PATH=/usr/bin:$PATH
    cross_options=("-DCMAKE_CROSSCOMPILING_EMULATOR=/usr/bin/node;--no-experimental-fetch") ;;
  *)
    echo "usage: scripts/deps.sh windows|web [folder]" >&2
    exit 2 ;;
esac
deps=$(realpath -m "${2:-build-$target/deps}")
jobs=${JOBS:-$(nproc)}
prefix=$deps/prefix
apt_dir=$deps/apt
mkdir -p "$deps/src" "$deps/build" "$deps/stamps" "$prefix" \
  "$apt_dir/sources.list.d" "$apt_dir/lists/partial" "$apt_dir/cache/archives/partial"

# apt-get source needs deb-src entries. They are the machine's own Debian
# entries with the type changed, kept in our folder so the system's apt
# configuration is not touched.
codename=$(. /etc/os-release && echo "$VERSION_CODENAME")
write_source_entries() {
  : >"$apt_dir/sources.list"
  if [ -f /etc/apt/sources.list ]; then
    awk -v c="$codename" '$1 == "deb" && $0 ~ (" " c "([ -]|$)") { $1 = "deb-src"; print }' \
      /etc/apt/sources.list >"$apt_dir/sources.list"
  fi
  rm -f "$apt_dir"/sources.list.d/*
  for f in /etc/apt/sources.list.d/*.sources; do
    [ -f "$f" ] || continue
    awk -v c="$codename" 'BEGIN { RS = ""; ORS = "\n\n" }
      /(^|\n)Types:[^\n]*deb/ && $0 ~ ("Suites:[^\n]*" c) && !/Enabled: *no/ {
        sub(/(^|\n)Types:[^\n]*/, "\nTypes: deb-src"); sub(/^\n/, ""); print }' \
      "$f" >"$apt_dir/sources.list.d/$(basename "$f")"
  done
}
apt_options=(
  -o Dir::Etc::SourceList="$apt_dir/sources.list"
  -o Dir::Etc::SourceParts="$apt_dir/sources.list.d"
  -o Dir::State::Lists="$apt_dir/lists"
  -o Dir::Cache="$apt_dir/cache"
  -o APT::Sandbox::User="$(id -un)"
)

# The source package and version a -dev package was built from.
source_of() { dpkg-query -W -f='${source:Package}=${source:Version}' "$1"; }

# Unpacks (once) the Debian source of the given -dev package's library
# with Debian's patches applied; prints the source folder. The version
# installed here comes first; if the archive no longer serves it, the
# others it lists for this release are tried, newest first.
fetch() {
  local wanted name dir version
  wanted=$(source_of "$1")
  name=${wanted%%=*}
  dir=$(find "$deps/src" -mindepth 1 -maxdepth 1 -type d -name "$name-[0-9]*" | head -n1)
  if [ -z "$dir" ]; then
    if [ ! -f "$apt_dir/lists/updated" ]; then
      write_source_entries
      apt-get "${apt_options[@]}" update -qq >&2
      touch "$apt_dir/lists/updated"
    fi
    for version in "${wanted#*=}" $(apt-cache "${apt_options[@]}" showsrc "$name" |
        awk '/^Version:/ { print $2 }' | sort -Vr); do
      (cd "$deps/src" && apt-get "${apt_options[@]}" source -qq "$name=$version" >&2 2>/dev/null) && break
    done
    dir=$(find "$deps/src" -mindepth 1 -maxdepth 1 -type d -name "$name-[0-9]*" | head -n1)
  fi
  if [ -z "$dir" ]; then
    echo "deps: could not fetch the source of $name" >&2
    exit 1
  fi
  echo "$dir"
}

# Configures, builds and installs a CMake project into the prefix.
cmake_build() {
  local name=$1 src=$2
  shift 2
  cmake -S "$src" -B "$deps/build/$name" -G "Unix Makefiles" \
    -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX="$prefix" -DCMAKE_PREFIX_PATH="$prefix" \
    -DCMAKE_FIND_ROOT_PATH="$prefix" -DBUILD_SHARED_LIBS=OFF -Wno-dev -Wno-deprecated \
    "${cross_options[@]}" "$@" >/dev/null
  cmake --build "$deps/build/$name" -j"$jobs" >/dev/null
  cmake --install "$deps/build/$name" >/dev/null
}

# Runs a library's build once: its stamp records the source it came from.
build() {
  local name=$1 dev=$2 src
  src=$(fetch "$dev") || exit 1
  if [ "$(cat "$deps/stamps/$name" 2>/dev/null)" = "$src" ]; then return; fi
  echo "Building $name for $target from $(basename "$src")"
  # A library built differently per target has a build_<name>_<target>.
  if declare -F "build_${name}_$target" >/dev/null; then
    "build_${name}_$target" "$src"
  else
    "build_$name" "$src"
  fi
  install -D -m644 "$src/debian/copyright" "$deps/licences/$name.txt"
  echo "$src" >"$deps/stamps/$name"
}

# zlib's own build always makes a DLL too: only its static target is built.
build_zlib_windows() {
  local out=$deps/build/zlib
  cmake -S "$1" -B "$out" -G "Unix Makefiles" -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DCMAKE_BUILD_TYPE=Release -Wno-dev -Wno-deprecated >/dev/null
  cmake --build "$out" -j"$jobs" --target zlibstatic >/dev/null
  install -D -m644 -t "$prefix/include" "$1/zlib.h" "$out/zconf.h"
  install -D -m644 "$out/libzlibstatic.a" "$prefix/lib/libz.a"
}
# Debian's zlib tarball lacks a file its CMake build needs for Emscripten:
# its own configure script makes the static library, in a copy of the source.
build_zlib_web() {
  local out=$deps/build/zlib
  rm -rf "$out" && cp -r "$1" "$out"
  (cd "$out" && emconfigure ./configure --static --prefix="$prefix" >/dev/null &&
    emmake make -j"$jobs" libz.a >/dev/null && emmake make install >/dev/null)
}
build_png() {
  cmake_build png "$1" -DPNG_SHARED=OFF -DPNG_STATIC=ON -DPNG_TESTS=OFF \
    -DPNG_EXECUTABLES=OFF -DSKIP_INSTALL_PROGRAMS=ON -DPNG_HARDWARE_OPTIMIZATIONS=OFF
}
build_jpeg() {
  cmake_build jpeg "$1" -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_SIMD=OFF \
    -DWITH_TURBOJPEG=OFF -DWITH_JAVA=OFF
}
build_ogg() { cmake_build ogg "$1" -DINSTALL_DOCS=OFF -DBUILD_TESTING=OFF; }
build_vorbis() { cmake_build vorbis "$1" -DBUILD_TESTING=OFF; }
# FreeType without bzip2, PNG glyphs and shaping; its gzip support uses our
# zlib (its own copy would clash with it at link time).
build_freetype() {
  cmake_build freetype "$1" -DFT_REQUIRE_ZLIB=ON -DFT_DISABLE_BZIP2=ON \
    -DFT_DISABLE_PNG=ON -DFT_DISABLE_HARFBUZZ=ON -DFT_DISABLE_BROTLI=ON
}
# SDL without the parts the game does not use: its 2D renderer, Vulkan,
# GLES, sensors, power, locale and URL opening.
build_sdl_windows() {
  cmake_build sdl "$1" -DSDL_SHARED=OFF -DSDL_STATIC=ON -DSDL_TEST=OFF \
    -DSDL_RENDER=OFF -DSDL_VULKAN=OFF -DSDL_OPENGLES=OFF -DSDL_SENSOR=OFF \
    -DSDL_POWER=OFF -DSDL_LOCALE=OFF -DSDL_MISC=OFF -DSDL_RENDER_D3D=OFF
}

# In the browser SDL draws through WebGL (its GLES path), plays through Web
# Audio on the page's own thread, and has no threads (they would need a
# page served with cross-origin isolation).
build_sdl_web() {
  cmake_build sdl "$1" -DSDL_SHARED=OFF -DSDL_STATIC=ON -DSDL_TEST=OFF \
    -DSDL_RENDER=OFF -DSDL_VULKAN=OFF -DSDL_SENSOR=OFF -DSDL_POWER=OFF \
    -DSDL_LOCALE=OFF -DSDL_MISC=OFF -DSDL_THREADS=OFF -DSDL_PTHREADS=OFF
}

build zlib zlib1g-dev
build png libpng-dev
build jpeg libjpeg62-turbo-dev
build ogg libogg-dev
build vorbis libvorbis-dev
build freetype libfreetype-dev
build sdl libsdl2-dev
