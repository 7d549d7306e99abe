#!/usr/bin/env bash
# Shared by run.sh and test.sh: install what is missing, then configure
# and build into build/ (or another folder of the repository).
set -euo pipefail

ORVANEL_PACKAGES=(
  g++ cmake ninja-build pkg-config
  qt6-base-dev libgl-dev
  libcurl4-openssl-dev libjpeg62-turbo-dev libtiff-dev
  libgtest-dev libgmock-dev libbenchmark-dev liberfa-dev libcpp-httplib-dev
  fonts-dejavu-core
  libqt6svg6 librsvg2-bin desktop-file-utils appstream
  clang libclang-rt-dev llvm
)
# clang, libclang-rt-dev (libFuzzer and clang's sanitizer runtimes) and llvm (the
# symbolizer that names the lines of a sanitizer report) are for the fuzz targets.

orvanel_install_packages() {
  local missing=()
  for p in "${ORVANEL_PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing missing packages: ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# orvanel_build [FOLDER [CMAKE_OPTION...]]: FOLDER is build by default.
orvanel_build() {
  local root
  root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
  local data="${ORVANEL_DATA_DIR:-$root/data}"
  local folder="$root/${1:-build}"
  shift || true
  cmake -S "$root" -B "$folder" -G Ninja -DORVANEL_DATA_DIR="$data" "$@"
  cmake --build "$folder" --parallel "$(nproc)"
}
