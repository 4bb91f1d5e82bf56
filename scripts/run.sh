#!/usr/bin/env bash
# Installs what is missing, builds the program and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ "${QT_QPA_PLATFORM:-}" != "offscreen" ]; then
  echo "tintaro: no display found (neither DISPLAY nor WAYLAND_DISPLAY is set); start it inside a desktop session." >&2
  exit 1
fi
scripts/install-deps.sh --runtime-only
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --target tintaro -j"$(nproc)"
exec build/app/tintaro "$@"
