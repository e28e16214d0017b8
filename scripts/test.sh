#!/usr/bin/env bash
# Sets up a fresh Debian machine, builds with warnings as errors, and runs every test twice:
# once in a plain build and once under AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
jobs=$(nproc)
export QT_QPA_PLATFORM=offscreen

cmake -S . -B build/ci -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZORVANE_WERROR=ON
cmake --build build/ci -j"$jobs"
ctest --test-dir build/ci --output-on-failure -j"$jobs"

cmake -S . -B build/asan -DCMAKE_BUILD_TYPE=Debug -DZORVANE_WERROR=ON -DZORVANE_SANITIZE=ON \
    -DZORVANE_BUILD_BENCH=OFF -DCMAKE_CXX_COMPILER=clang++
cmake --build build/asan -j"$jobs"
ASAN_OPTIONS=detect_leaks=0:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    ctest --test-dir build/asan --output-on-failure -j"$jobs"
