#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: the plain build, the
# build under AddressSanitizer and UndefinedBehaviorSanitizer, and a short run
# of every fuzz target.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/packages.sh
vl_install_missing "${VL_PACKAGES[@]}"

jobs=$(nproc)

echo "== build (release with debug info)"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$jobs"
ctest --test-dir build --output-on-failure -j "$jobs"

echo "== build under AddressSanitizer and UndefinedBehaviorSanitizer"
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVL_BUILD_BENCH=OFF \
      -DVL_SANITIZE=address,undefined >/dev/null
cmake --build build-asan -j "$jobs"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build-asan --output-on-failure -j "$jobs"

echo "== fuzz targets (short runs)"
cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DCMAKE_CXX_COMPILER=clang++ -DVL_FUZZ=ON -DVL_FUZZ_SECONDS="${VL_FUZZ_SECONDS:-15}" >/dev/null
cmake --build build-fuzz -j "$jobs"
ctest --test-dir build-fuzz --output-on-failure -j "$jobs"
