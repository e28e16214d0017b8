#!/usr/bin/env bash
# Sets up a fresh Debian machine, builds everything with clang, warnings as errors, under
# AddressSanitizer and UndefinedBehaviorSanitizer, and runs every test in that build.
# (Day-to-day builds use g++; this build catches what the other compiler and the sanitizers see.)
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
jobs=$(nproc)
export QT_QPA_PLATFORM=offscreen

# The code stays formatted as .clang-format says.
{ git ls-files '*.cpp' '*.h' 2>/dev/null || find src tests bench tools -name '*.cpp' -o -name '*.h'; } |
    xargs clang-format --dry-run -Werror

cmake -S . -B build/ci -DCMAKE_BUILD_TYPE=Debug -DZORVANE_WERROR=ON -DZORVANE_SANITIZE=ON \
    -DCMAKE_CXX_COMPILER=clang++
cmake --build build/ci -j"$jobs"
ASAN_OPTIONS=detect_leaks=0:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    ctest --test-dir build/ci --output-on-failure -j"$jobs"
