#!/usr/bin/env bash
# Installs the Debian packages the build, the program and the tests need.
# Only missing packages are installed, so a prepared machine needs no network.
set -euo pipefail

packages=(
  build-essential cmake pkg-config
  qt6-base-dev libhidapi-dev libudev-dev
  libbenchmark-dev clang libclang-rt-14-dev
  fonts-liberation2 xvfb xauth imagemagick
  qemu-system-x86 busybox-static cpio
)
if [ "${1:-}" = "--runtime-only" ]; then
  packages=(build-essential cmake pkg-config qt6-base-dev libhidapi-dev libudev-dev fonts-liberation2)
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

as_root=()
[ "$(id -u)" -eq 0 ] || as_root=(sudo)
echo "Installing: ${missing[*]}"
"${as_root[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
