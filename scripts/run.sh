#!/usr/bin/env bash
# Sets up a fresh Debian machine, builds Zorvane and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake -S . -B build/release -DCMAKE_BUILD_TYPE=Release
cmake --build build/release -j"$(nproc)"
exec build/release/src/app/zorvane "$@"
