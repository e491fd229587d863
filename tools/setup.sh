#!/usr/bin/env bash
# Shared by ./run and ./test: install the Debian packages that are missing,
# then configure and build in build/. Quick when nothing needs installing.
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD_DIR="${VARNOK_BUILD_DIR:-$ROOT/build}"

PACKAGES=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev libgl-dev libqscintilla2-qt6-dev
  libsqlite3-dev libxlsxwriter-dev libpugixml-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  libqt6svg6 breeze-icon-theme fonts-liberation2
)

missing=()
for p in "${PACKAGES[@]}"; do
  dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
if ((${#missing[@]})); then
  echo "Installing missing packages: ${missing[*]}"
  SUDO=""
  [ "$(id -u)" -eq 0 ] || SUDO="sudo"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

JOBS="${VARNOK_JOBS:-$(nproc)}"
if [ ! -f "$BUILD_DIR/build.ninja" ]; then
  cmake -S "$ROOT" -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
fi
cmake --build "$BUILD_DIR" -j "$JOBS"
