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
# The suites mostly wait on scripted modems and timers, so they run several
# to a core.
test_jobs=$((jobs * 4))

# Each stage's time, printed at the end.
stage_names=()
stage_secs=()
stage_start=$SECONDS
stage_name=""
record_stage() {
  stage_names+=("$1")
  stage_secs+=("$2")
}
stage() {
  [ -n "$stage_name" ] && record_stage "$stage_name" $((SECONDS - stage_start))
  stage_name=$1
  stage_start=$SECONDS
  [ -n "$1" ] && echo "== $1"
  return 0
}
print_stage_times() {
  stage ""
  # A stage that runs beside others is not waited for when the script fails.
  jobs -p | xargs -r kill 2>/dev/null || true
  echo "== stage times"
  local i
  for i in "${!stage_names[@]}"; do
    printf '%6d s  %s\n' "${stage_secs[$i]}" "${stage_names[$i]}"
  done
  printf '%6d s  total\n' "$SECONDS"
}
trap print_stage_times EXIT

# Debug information is what the builds spend much of their time on: the
# optimised build has none (no test reads it), the others line tables only,
# enough for the sanitizers' reports. A compiler cache is used when one is
# installed.
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)

stage "build (release)"
cmake -S . -B build -G Ninja "${launcher[@]}" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O2 -DNDEBUG" >/dev/null
cmake --build build -j "$jobs"

stage "tests (release)"
ctest --test-dir build --output-on-failure -j "$test_jobs" -LE 'line|deb'

# The real calls run in real time and mostly wait, so several run side by
# side, and the next build runs beside them at the lowest priority: it takes
# only the processor time the calls leave. The Debian package test, mostly
# downloads and disk, follows the calls (not beside them, which must keep time).
stage ""
calls_name="real calls through the software telephone line (beside the next build)"
deb_name="Debian package in a clean Debian 12 root (after the calls)"
echo "== $calls_name"
echo "== $deb_name"
calls_log=$(mktemp)
calls_secs=$(mktemp)
deb_log=$(mktemp)
deb_secs=$(mktemp)
(
  start=$SECONDS
  rc=0
  ctest --test-dir build --output-on-failure -j 6 -L line >"$calls_log" 2>&1 || rc=$?
  echo $((SECONDS - start)) >"$calls_secs"
  start=$SECONDS
  # Verbose: its phase times and the package's size and dependencies are shown.
  ctest --test-dir build --output-on-failure -V -L deb >"$deb_log" 2>&1 || rc=$?
  echo $((SECONDS - start)) >"$deb_secs"
  exit "$rc"
) &
calls_pid=$!

# One clang build serves both the suites under AddressSanitizer and
# UndefinedBehaviorSanitizer and the fuzz targets.
stage "build under AddressSanitizer and UndefinedBehaviorSanitizer, with the fuzz targets"
cmake -S . -B build-asan -G Ninja "${launcher[@]}" -DCMAKE_CXX_COMPILER=clang++ \
      -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG=-g1 -DVL_BUILD_BENCH=OFF \
      -DVL_LINE_TESTS=OFF -DVL_SANITIZE=address,undefined -DVL_FUZZ=ON \
      -DVL_FUZZ_SECONDS="${VL_FUZZ_SECONDS:-5}" >/dev/null
nice -n 19 cmake --build build-asan -j "$jobs"

stage ""
calls_rc=0
wait "$calls_pid" || calls_rc=$?
record_stage "$calls_name" "$(cat "$calls_secs")"
record_stage "$deb_name" "$(cat "$deb_secs")"
echo "== $calls_name: results"
cat "$calls_log"
echo "== $deb_name: results"
cat "$deb_log"
rm -f "$calls_log" "$calls_secs" "$deb_log" "$deb_secs"
[ "$calls_rc" -eq 0 ] || exit "$calls_rc"

stage "tests under AddressSanitizer and UndefinedBehaviorSanitizer"
# clang 14's tracking of the dynamic TLS of libraries loaded at run time
# (CUPS, under Qt's print plugin) goes wrong with this glibc, and the leak
# check's tracer then crashes at exit; without the tracking it runs cleanly.
ASAN_OPTIONS=detect_leaks=1:intercept_tls_get_addr=0 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build-asan --output-on-failure -j "$test_jobs" -LE 'line|fuzz'

stage "fuzz targets (short runs)"
ctest --test-dir build-asan --output-on-failure -j "$jobs" -L fuzz

stage "build for ThreadSanitizer"
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
cmake -S . -B build-tsan -G Ninja "${launcher[@]}" -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG=-g1 \
      -DVL_BUILD_BENCH=OFF -DVL_LINE_TESTS=OFF -DVL_SANITIZE=thread >/dev/null
"${tsan_run[@]}" cmake --build build-tsan -j "$jobs" --target base_tests ui_tests serial_tests fax_tests

stage "thread tests under ThreadSanitizer"
TSAN_OPTIONS=halt_on_error=1 \
  "${tsan_run[@]}" ctest --test-dir build-tsan -L 'serial|threads|fax' --output-on-failure -j "$((jobs * 2))"
