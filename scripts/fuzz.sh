#!/usr/bin/env bash
# Builds the libFuzzer target of the project file loader with clang in its own
# build directory and runs it for 60 seconds over the seed corpus kept in
# fuzz/corpus/. New inputs go to build-fuzz/corpus/ (the kept seeds are only
# read); an input that crashes the loader is written to build-fuzz/crashes/
# and belongs in tests/project/regressions/ once mended.
set -euo pipefail
cd "$(dirname "$0")/.."

cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
      -DRUNGSMITH_FUZZ=ON -DRUNGSMITH_GUI=OFF -DRUNGSMITH_BENCH=OFF
cmake --build build-fuzz -j"$(nproc)" --target fuzz_project_loader

work=build-fuzz/corpus/project_loader
mkdir -p "$work" build-fuzz/crashes
build-fuzz/bin/fuzz_project_loader -max_total_time=60 -print_final_stats=1 \
    -artifact_prefix=build-fuzz/crashes/ "$work" fuzz/corpus/project_loader
