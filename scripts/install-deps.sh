#!/usr/bin/env bash
# Installs the Debian 12 packages the editor and its tests need, when missing.
set -euo pipefail

packages=(
    cmake ninja-build g++ pkg-config
    qtbase5-dev qtbase5-private-dev qtmultimedia5-dev qttools5-dev qttools5-dev-tools qttranslations5-l10n
    librtmidi-dev libjack-jackd2-dev zlib1g-dev jackd2
    xvfb xauth fonts-liberation fonts-wqy-microhei imagemagick
    libbenchmark-dev clang libclang-rt-14-dev python3 procps
)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
$sudo apt-get update
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
