#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test through CTest:
# the full build, then the plain C++ layers again under AddressSanitizer and
# UndefinedBehaviorSanitizer, then the fuzz targets for a bounded time.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
jobs="$(nproc)"

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j"$jobs"
ctest --test-dir build --output-on-failure -j"$jobs"

cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DRUNGSMITH_SANITIZE=ON \
      -DRUNGSMITH_GUI=OFF -DRUNGSMITH_BENCH=OFF
cmake --build build-asan -j"$jobs"
ctest --test-dir build-asan --output-on-failure -j"$jobs"

if [ -x scripts/fuzz.sh ]; then scripts/fuzz.sh; fi
