#!/usr/bin/env bash
# Installs what is missing (Debian 12, as root), builds everything and runs every test: the unit
# tests under ctest and a short run of the fuzz target.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(build-essential cmake ninja-build pkg-config libgtest-dev libgmock-dev libbenchmark-dev
          clang libclang-rt-14-dev locales qt6-base-dev libjpeg-dev)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  apt-get update
  DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${missing[@]}"
fi
# The tests also check that numbers and dates do not follow a locale with a decimal comma.
locale -a 2>/dev/null | grep -qi '^ru_RU\.utf-\?8$' || localedef -i ru_RU -f UTF-8 ru_RU.UTF-8 || true

jobs=$(nproc)

cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
      -DVELMAROD_TESTS=OFF -DVELMAROD_BENCH=OFF -DVELMAROD_GUI=OFF -DVELMAROD_FUZZ=ON
cmake --build build-fuzz -j "$jobs"
ctest --test-dir build-fuzz --output-on-failure

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j "$jobs"
ctest --test-dir build --output-on-failure -j "$jobs"
