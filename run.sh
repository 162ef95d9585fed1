#!/usr/bin/env bash
# Installs what is missing, builds, and starts the editor on the bundled example project.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/setup.sh
mox_install_packages
mox_build build -DMOX_BUILD_BENCH=OFF

args=()
[ -f data/example.mox ] && args+=("$PWD/data/example.mox")

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display found: starting the editor inside a virtual X server (xvfb-run)."
  exec xvfb-run -a -s "-screen 0 1600x1000x24" build/bin/mox "${args[@]}"
fi
exec build/bin/mox "${args[@]}"
