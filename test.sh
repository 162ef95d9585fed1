#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test (offscreen).
#   --sanitize  afterwards builds build-asan with AddressSanitizer and
#               UndefinedBehaviorSanitizer (benchmarks left out) and runs the
#               whole suite once more under them; CI passes it.
set -euo pipefail
cd "$(dirname "$0")"

sanitize=0
for arg in "$@"; do
  case "$arg" in
    --sanitize) sanitize=1 ;;
    *) echo "usage: $0 [--sanitize]" >&2; exit 2 ;;
  esac
done

source scripts/setup.sh
mox_install_packages
mox_build build
export QT_QPA_PLATFORM=offscreen
(cd build && ctest --output-on-failure --timeout 600 -j "$(nproc)")

if [ "$sanitize" -eq 1 ]; then
  mox_build build-asan -DMOX_SANITIZE=ON -DMOX_BUILD_BENCH=OFF
  (cd build-asan && ctest --output-on-failure --timeout 900 -j "$(nproc)")
fi
