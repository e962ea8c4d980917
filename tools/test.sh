#!/usr/bin/env bash
# Installs what is missing (Debian 12, as root), builds everything and runs every test: the core's
# unit tests built with the address and undefined-behaviour sanitizers beside a short run of the fuzz
# target, then the unit and widget tests of the release build under ctest.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh
# The tests also check that numbers and dates do not follow a locale with a decimal comma.
locale -a 2>/dev/null | grep -qi '^ru_RU\.utf-\?8$' || localedef -i ru_RU -f UTF-8 ru_RU.UTF-8 || true

jobs=$(nproc)

cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
      -DVELMAROD_TESTS=ON -DVELMAROD_BENCH=OFF -DVELMAROD_GUI=OFF -DVELMAROD_FUZZ=ON
cmake --build build-fuzz -j "$jobs"
ctest --test-dir build-fuzz --output-on-failure -j "$jobs"

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j "$jobs"
QT_QPA_PLATFORM=offscreen ctest --test-dir build --output-on-failure -j "$jobs"
