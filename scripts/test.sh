#!/usr/bin/env bash
# From a fresh Debian 12 machine: installs what is missing, builds everything, runs every test
# headless.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
./scripts/build.sh build
cd build
QT_QPA_PLATFORM=offscreen ctest --output-on-failure --parallel "$(nproc)"
