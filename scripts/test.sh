#!/usr/bin/env bash
# Installs what is missing, builds everything twice (plain and with ASan+UBSan) and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
jobs=$(nproc)
export QT_QPA_PLATFORM=offscreen

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTINTARO_BUILD_TESTS=ON -DTINTARO_SANITIZE=OFF >/dev/null
cmake --build build -j"$jobs"
ctest --test-dir build --no-tests=error --output-on-failure -j"$jobs"

cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DTINTARO_BUILD_TESTS=ON -DTINTARO_SANITIZE=ON >/dev/null
cmake --build build-asan -j"$jobs"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir build-asan --no-tests=error --output-on-failure -j"$jobs" -LE "vm|fuzz"
