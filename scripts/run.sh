#!/usr/bin/env bash
# From a fresh Debian 12 machine: installs what is missing, builds Orlinde and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
./scripts/build.sh build
if [ -x build/orlinde ]; then
  exec build/orlinde "$@"
fi
exec build/orlinde-cli "2(3+.5)" "1/3" "1+1" "1/0"
