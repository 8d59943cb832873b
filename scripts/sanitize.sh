#!/usr/bin/env bash
# Builds everything with AddressSanitizer and UndefinedBehaviorSanitizer in build-asan/ and runs
# every test there, the widget tests headless. Any finding fails the run.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build-asan -DORLINDE_SANITIZE=ON >/dev/null
cmake --build build-asan --parallel "$(nproc)"
# Leaks count as findings, the widget tests' included: Qt and fontconfig on the offscreen
# platform leave none that needs a suppression. Any report stops its test with an error.
export ASAN_OPTIONS=detect_leaks=1:halt_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
cd build-asan
QT_QPA_PLATFORM=offscreen ctest --output-on-failure --parallel "$(nproc)"
