#!/usr/bin/env bash
# Installs the Debian 12 packages rx42 needs to build, run and test. Idempotent: packages already
# present are left alone and apt is not touched at all when nothing is missing.
set -euo pipefail

packages=(
  # build
  g++ make cmake pkg-config
  qt6-base-dev qt6-webengine-dev libqt6webenginewidgets6 libgl-dev
  libbenchmark-dev
  # run: fonts for the pages and the window
  fonts-dejavu-core
  # test: virtual display, synthetic input, certificates, fuzzing
  xvfb xauth xdotool openssl clang libclang-rt-14-dev
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  echo "== dependencies: all ${#packages[@]} packages already installed"
  exit 0
fi

if [ "$(id -u)" -ne 0 ]; then
  echo "== dependencies: missing ${missing[*]}; run this as root (or with sudo)" >&2
  exit 1
fi

echo "== dependencies: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
apt-get update
apt-get install -y --no-install-recommends "${missing[@]}"
