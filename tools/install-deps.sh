#!/usr/bin/env bash
# Installs the Debian 12 packages that building, testing and running Korvane need.
set -euo pipefail
packages=(
  g++ cmake make pkg-config git
  qt6-base-dev libgl-dev libturbojpeg0-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  fonts-liberation fonts-dejavu-core
  poppler-utils xvfb xauth
)
missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update
$sudo apt-get install -y --no-install-recommends "${missing[@]}"
