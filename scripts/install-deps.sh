#!/usr/bin/env bash
# Installs the Debian 12 packages Orlinde needs to build, test and run, and only those that are
# missing, so a machine that already has them is left alone. Works as root or through sudo.
set -euo pipefail

packages=(
  build-essential cmake pkg-config git
  duktape-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  qt6-base-dev qt6-base-dev-tools libgl-dev
  fonts-noto-cjk
  clang libclang-rt-14-dev
  xvfb xauth imagemagick xdotool xclip
  bc time
  desktop-file-utils appstream librsvg2-bin dpkg-dev file
  groff-base
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

if [ "$(id -u)" -eq 0 ]; then
  sudo=()
elif command -v sudo >/dev/null 2>&1; then
  sudo=(sudo)
else
  echo "install-deps: these packages are missing and neither root nor sudo is available: ${missing[*]}" >&2
  exit 1
fi

echo "install-deps: installing ${missing[*]}" >&2
"${sudo[@]}" apt-get update -q
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
