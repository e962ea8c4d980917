#!/usr/bin/env bash
# Installs what is missing (Debian 12, as root), builds the program and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j "$(nproc)" --target velmarod ostrevan-run
exec ./build/bin/velmarod "$@"
