#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test (offscreen).
set -euo pipefail
cd "$(dirname "$0")"
source scripts/setup.sh
mox_install_packages
mox_build build
export QT_QPA_PLATFORM=offscreen
cd build
ctest --output-on-failure --timeout 600 -j "$(nproc)"
