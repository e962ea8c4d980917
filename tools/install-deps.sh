#!/usr/bin/env bash
# Installs, on Debian 12 as root, whatever the build, the tests and the program need and is missing.
set -euo pipefail

packages=(build-essential cmake ninja-build pkg-config libgtest-dev libgmock-dev libbenchmark-dev poppler-utils
          clang libclang-rt-14-dev locales qt6-base-dev qt6-translations-l10n libjpeg-dev libzint-dev libzxing-dev
          fonts-paratype fonts-liberation2)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  apt-get update
  DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${missing[@]}"
fi
