#!/usr/bin/env bash
# Configures and builds Orlinde in build/ (or the folder given as the first argument), with any
# further arguments passed to CMake.
set -euo pipefail
cd "$(dirname "$0")/.."
dir=${1:-build}
shift || true
cmake -S . -B "$dir" -DORLINDE_BUILD_BENCH=ON "$@" >/dev/null
cmake --build "$dir" --parallel "$(nproc)"
