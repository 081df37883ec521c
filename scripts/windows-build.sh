#!/usr/bin/env bash
# Cross-builds the engine, brindle-cli, Pickwell's command line and their tests for 64-bit Windows with
# Debian's mingw-w64, into build-windows/. The editor and Pickwell's windows are not part of it (there is
# no wxWidgets for mingw in Debian).
#
# zlib, libpng and GoogleTest are built for Windows once, from Debian's sources, into a cache outside the
# checkout (BRINDLE_WINDOWS_CACHE, default ~/.cache/brindle-windows) that later runs and other checkouts
# reuse; a new Debian version of a source package is built again. nlohmann-json and CLI11 are headers and
# are taken from the Debian packages as they are.
#
# Usage: scripts/windows-build.sh [extra cmake --build arguments, e.g. --target test_core_panel]
set -euo pipefail
shopt -s inherit_errexit

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
CACHE="${BRINDLE_WINDOWS_CACHE:-$HOME/.cache/brindle-windows}"
TRIPLE=x86_64-w64-mingw32
PREFIX="$CACHE/$TRIPLE"
BUILD="${BRINDLE_WINDOWS_BUILD:-$ROOT/build-windows}"
TOOLCHAIN="$ROOT/cmake/mingw-w64-x86_64.cmake"
JOBS="${BRINDLE_JOBS:-$(nproc)}"

SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"

PACKAGES=(
  cmake ninja-build dpkg-dev make
  gcc-mingw-w64-x86-64-posix g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 mingw-w64-x86-64-dev
  googletest nlohmann-json3-dev libcli11-dev
)
missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# `apt-get source` needs source lines; when the system has none, the binary lines of Debian's own
# archive are mirrored as source lines.
ensure_deb_src() {
  if grep -rqsE '^[[:space:]]*(deb-src|Types:.*deb-src)' /etc/apt/sources.list /etc/apt/sources.list.d/; then
    return
  fi
  local src=/etc/apt/sources.list.d/debian.sources
  if [ ! -f "$src" ]; then
    echo "windows-build: no deb-src lines and no $src to derive them from" >&2
    exit 1
  fi
  echo "Adding Debian source lines (/etc/apt/sources.list.d/debian-src.sources)"
  sed -E 's/^Types:[[:space:]]*deb$/Types: deb-src/' "$src" | $SUDO tee /etc/apt/sources.list.d/debian-src.sources >/dev/null
  $SUDO apt-get update -qq
}

# Unpacks a Debian source package (patches applied) into $CACHE/src and prints the version it got: the
# newest one the archive lists that can be fetched (a mirror may lack the security suite's sources), or
# one unpacked before.
fetch_source() {
  local pkg="$1" version dir
  for version in $(apt-cache showsrc "$pkg" 2>/dev/null | awk '/^Version:/ {print $2}' | sort -rV); do
    dir="$CACHE/src/$pkg-${version#*:}"
    if [ ! -d "$dir" ]; then
      rm -rf "$dir.tmp" && mkdir -p "$dir.tmp"
      if ! (cd "$dir.tmp" && apt-get source -qq "$pkg=$version" >&2); then
        echo "windows-build: $pkg $version can't be fetched, trying an older one" >&2
        rm -rf "$dir.tmp"
        continue
      fi
      mv "$(find "$dir.tmp" -mindepth 1 -maxdepth 1 -type d | head -n 1)" "$dir"
      rm -rf "$dir.tmp"
    fi
    echo "$version"
    return
  done
  echo "windows-build: no source of $pkg could be fetched" >&2
  return 1
}
source_dir() { echo "$CACHE/src/$1-${2#*:}"; }

stamp_ok() { [ -f "$PREFIX/stamps/$1" ] && [ "$(cat "$PREFIX/stamps/$1")" = "$2" ]; }
stamp_set() { mkdir -p "$PREFIX/stamps" && echo "$2" >"$PREFIX/stamps/$1"; }

build_zlib() {
  local version src b="$CACHE/build/zlib"
  version="$(fetch_source zlib)"
  stamp_ok zlib "$version" && return
  echo "== zlib $version for $TRIPLE"
  src="$(source_dir zlib "$version")"
  # Debian's zlib source has no win32/ makefiles; the configure script knows mingw from CHOST.
  rm -rf "$b" && mkdir -p "$b"
  (cd "$b" && CHOST="$TRIPLE" CFLAGS="-O2" "$src/configure" --static --prefix="$PREFIX")
  make -C "$b" -j"$JOBS" libz.a
  make -C "$b" install
  stamp_set zlib "$version"
}

# A CMake project built for Windows and installed into the prefix: cmake_install SOURCE BUILD [-D...].
cmake_install() {
  local src="$1" b="$2"
  shift 2
  rm -rf "$b"
  cmake -S "$src" -B "$b" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$TOOLCHAIN" -DBRINDLE_WINDOWS_PREFIX="$PREFIX" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$PREFIX" "$@"
  cmake --build "$b" -j"$JOBS"
  cmake --install "$b"
}

build_libpng() {
  local version src b="$CACHE/build/libpng"
  version="$(fetch_source libpng1.6)"
  stamp_ok libpng "$version" && return
  echo "== libpng $version for $TRIPLE"
  src="$(source_dir libpng1.6 "$version")"
  cmake_install "$src" "$b" \
    -DPNG_SHARED=OFF -DPNG_STATIC=ON -DPNG_TESTS=OFF -DPNG_EXECUTABLES=OFF \
    -DZLIB_INCLUDE_DIR="$PREFIX/include" -DZLIB_LIBRARY="$PREFIX/lib/libz.a"
  stamp_set libpng "$version"
}

build_expat() {
  local version src b="$CACHE/build/expat"
  version="$(fetch_source expat)"
  stamp_ok expat "$version" && return
  echo "== expat $version for $TRIPLE"
  src="$(source_dir expat "$version")"
  [ -f "$src/CMakeLists.txt" ] || src="$src/expat"
  # Debian builds expat with autotools, which define XML_DTD as 1; the security fixes it carries test
  # "XML_DTD == 1", which the CMake build's empty definition does not compile.
  sed -i -E 's/^#cmakedefine (XML_DTD|XML_NS)$/#cmakedefine \1 1/' "$src/expat_config.h.cmake"
  cmake_install "$src" "$b" -DEXPAT_SHARED_LIBS=OFF \
    -DEXPAT_BUILD_TOOLS=OFF -DEXPAT_BUILD_EXAMPLES=OFF -DEXPAT_BUILD_TESTS=OFF -DEXPAT_BUILD_DOCS=OFF \
    -DEXPAT_BUILD_PKGCONFIG=OFF
  stamp_set expat "$version"
}

# wxWidgets' MSW port from Debian's source of the same wxWidgets the Linux build uses. Debian's source
# leaves out the bundled zlib, libpng, libjpeg, libtiff and expat, so the first three that the editor
# needs come from their own source packages and JPEG and TIFF are not built; the libraries the
# programs do not use (web view, styled text, AUI, ribbon and the like) are left out to keep the build
# short.
build_wxmsw() {
  local version src b="$CACHE/build/wxwidgets"
  version="$(fetch_source wxwidgets3.2)"
  local stamp="$version zlib=$(cat "$PREFIX/stamps/zlib") png=$(cat "$PREFIX/stamps/libpng") expat=$(cat "$PREFIX/stamps/expat")"
  stamp_ok wxwidgets "$stamp" && return
  echo "== wxWidgets (MSW) $version for $TRIPLE"
  src="$(source_dir wxwidgets3.2 "$version")"
  cmake_install "$src" "$b" \
    -DwxBUILD_TOOLKIT=msw -DwxBUILD_SHARED=OFF -DwxBUILD_MONOLITHIC=OFF \
    -DwxBUILD_SAMPLES=OFF -DwxBUILD_TESTS=OFF -DwxBUILD_DEMOS=OFF -DwxBUILD_BENCHMARKS=OFF \
    -DwxUSE_ZLIB=sys -DwxUSE_LIBPNG=sys -DwxUSE_EXPAT=sys -DwxUSE_LIBJPEG=OFF -DwxUSE_LIBTIFF=OFF \
    -DwxUSE_REGEX=builtin -DwxUSE_NANOSVG=builtin -DwxUSE_LIBLZMA=OFF \
    -DwxUSE_WEBVIEW=OFF -DwxUSE_MEDIACTRL=OFF -DwxUSE_STC=OFF -DwxUSE_RICHTEXT=OFF -DwxUSE_PROPGRID=OFF \
    -DwxUSE_RIBBON=OFF -DwxUSE_AUI=OFF -DwxUSE_OPENGL=OFF -DwxUSE_XRC=OFF -DwxUSE_GLCANVAS=OFF \
    -DwxUSE_SOCKETS=OFF -DwxUSE_PROTOCOL=OFF -DwxUSE_URL=OFF -DwxUSE_FS_INET=OFF -DwxUSE_WEBREQUEST=OFF \
    -DwxUSE_SOUND=OFF -DwxUSE_QA=OFF
  stamp_set wxwidgets "$stamp"
}

build_gtest() {
  local version
  version="$(dpkg-query -W -f='${Version}' googletest)"
  stamp_ok gtest "$version" && return
  echo "== GoogleTest $version for $TRIPLE"
  local b="$CACHE/build/googletest"
  cmake_install /usr/src/googletest "$b" -DBUILD_GMOCK=ON -DBUILD_SHARED_LIBS=OFF
  stamp_set gtest "$version"
}

# Header-only: the Debian packages' headers and package files, copied so that the cross build's search
# stays inside the prefix.
install_headers() {
  local version
  version="$(dpkg-query -W -f='${Version}' nlohmann-json3-dev libcli11-dev | tr '\n' ' ')"
  stamp_ok headers "$version" && return
  mkdir -p "$PREFIX/include" "$PREFIX/share/cmake"
  rm -rf "$PREFIX/include/nlohmann" "$PREFIX/include/CLI" "$PREFIX/share/cmake/nlohmann_json" \
    "$PREFIX/share/cmake/CLI11"
  cp -r /usr/include/nlohmann /usr/include/CLI "$PREFIX/include/"
  cp -r /usr/share/cmake/nlohmann_json /usr/share/cmake/CLI11 "$PREFIX/share/cmake/"
  stamp_set headers "$version"
}

mkdir -p "$PREFIX"
ensure_deb_src
start=$SECONDS
build_zlib
build_libpng
build_expat
build_gtest
[ "${BRINDLE_WINDOWS_GUI:-ON}" = ON ] && build_wxmsw
install_headers
echo "windows-build: third-party libraries ready in $PREFIX ($((SECONDS - start)) s)"

start=$SECONDS
cmake -S "$ROOT" -B "$BUILD" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$TOOLCHAIN" -DBRINDLE_WINDOWS_PREFIX="$PREFIX" \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBRINDLE_GUI="${BRINDLE_WINDOWS_GUI:-ON}" -DBRINDLE_BENCH=OFF -DBRINDLE_SAMPLES=OFF \
  -DBRINDLE_FUZZ=OFF -DBRINDLE_SANITIZE=OFF -DBRINDLE_TESTS=ON -DBRINDLE_GUIDE_SHOTS=OFF
cmake --build "$BUILD" -j"$JOBS" "$@"
echo "windows-build: project built in $BUILD ($((SECONDS - start)) s)"
