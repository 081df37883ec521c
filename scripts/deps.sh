#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the editor need; does nothing when all are there.
set -euo pipefail
PACKAGES=(
  build-essential cmake ninja-build pkg-config ccache clang libclang-rt-dev
  libwxgtk3.2-dev libgtest-dev libgmock-dev libbenchmark-dev nlohmann-json3-dev libcli11-dev libpng-dev
  xvfb xauth x11-utils xdotool openbox imagemagick adwaita-icon-theme
  gcc-mingw-w64-i686 binutils-mingw-w64-i686
)
missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"
echo "Installing: ${missing[*]}"
$SUDO apt-get update -qq
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
