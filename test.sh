#!/usr/bin/env bash
# Builds Linkrake and runs every test: once in an optimised build, once more under
# AddressSanitizer and UndefinedBehaviorSanitizer; then fuzzes the engine and the save formats
# for a minute each and builds and checks the Debian package. Installs what is missing first.
set -euo pipefail
cd "$(dirname "$0")"
./scripts/deps.sh clang-14 libclang-rt-14-dev desktop-file-utils dpkg-dev file
jobs=$(nproc)

echo "== build and test (RelWithDebInfo)"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$jobs"
ctest --test-dir build --output-on-failure -j "$jobs"

echo "== build and test under AddressSanitizer + UndefinedBehaviorSanitizer"
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DLINKRAKE_SANITIZE=ON -DLINKRAKE_BENCH=OFF >/dev/null
cmake --build build-asan -j "$jobs"
export ASAN_OPTIONS="abort_on_error=1:detect_stack_use_after_return=1:strict_string_checks=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp:print_suppressions=0"
ctest --test-dir build-asan --output-on-failure -j "$jobs"

echo "== fuzzing the engine and the save formats (a minute each)"
LINKRAKE_JOBS="$jobs" ./fuzz/run.sh 60

echo "== Debian package"
deb=$(LINKRAKE_JOBS="$jobs" ./scripts/package.sh)
./packaging/check-package.sh "$deb" build-package
