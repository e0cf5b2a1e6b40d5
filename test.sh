#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: the plain build, real
# fax calls through the software telephone line, the build under
# AddressSanitizer and UndefinedBehaviorSanitizer, the suites that use threads
# under ThreadSanitizer, and a short run of every fuzz target.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/packages.sh
vl_install_missing "${VL_PACKAGES[@]}"

jobs=$(nproc)

# Debug information is what the builds spend much of their time on: the
# optimised build has none (no test reads it), the others line tables only,
# enough for the sanitizers' reports.
echo "== build (release)"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O2 -DNDEBUG" >/dev/null
cmake --build build -j "$jobs"
ctest --test-dir build --output-on-failure -j "$jobs" -LE line

echo "== real calls through the software telephone line"
# Each call runs in real time and mostly waits, so several run side by side.
ctest --test-dir build --output-on-failure -j 6 -L line

echo "== build under AddressSanitizer and UndefinedBehaviorSanitizer"
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG=-g1 -DVL_BUILD_BENCH=OFF \
      -DVL_LINE_TESTS=OFF -DVL_SANITIZE=address,undefined >/dev/null
cmake --build build-asan -j "$jobs"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build-asan --output-on-failure -j "$jobs" -LE line

echo "== thread tests under ThreadSanitizer"
# gcc's ThreadSanitizer cannot place its shadow memory under the wider address
# randomisation of newer kernels ("unexpected memory mapping"); there the build
# (which runs the tests to list them) and the tests run with randomisation off,
# which every child process inherits.
tsan_run=()
probe=$(mktemp -d)
echo 'int main() { return 0; }' >"$probe/probe.cpp"
"${CXX:-c++}" -fsanitize=thread "$probe/probe.cpp" -o "$probe/probe"
if ! "$probe/probe" >/dev/null 2>&1; then
  echo "   (address randomisation off for ThreadSanitizer)"
  tsan_run=(setarch "$(uname -m)" -R)
fi
rm -rf "$probe"
cmake -S . -B build-tsan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG=-g1 -DVL_BUILD_BENCH=OFF \
      -DVL_LINE_TESTS=OFF -DVL_SANITIZE=thread >/dev/null
tsan_targets=(base_tests ui_tests)
for suite in serial_tests fax_tests; do
  if cmake --build build-tsan --target help | grep -q "^$suite:"; then
    tsan_targets+=("$suite")
  fi
done
"${tsan_run[@]}" cmake --build build-tsan -j "$jobs" --target "${tsan_targets[@]}"
TSAN_OPTIONS=halt_on_error=1 \
  "${tsan_run[@]}" ctest --test-dir build-tsan -L 'serial|threads|fax' --output-on-failure -j "$jobs"

echo "== fuzz targets (short runs)"
cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O2 -g1" \
      -DCMAKE_CXX_COMPILER=clang++ -DVL_FUZZ=ON -DVL_FUZZ_SECONDS="${VL_FUZZ_SECONDS:-10}" >/dev/null
cmake --build build-fuzz -j "$jobs"
ctest --test-dir build-fuzz --output-on-failure -j "$jobs"
