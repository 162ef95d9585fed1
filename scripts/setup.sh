#!/usr/bin/env bash
# Shared by run.sh and test.sh: installs the Debian packages the editor needs
# (only those missing), then configures and builds into build/.
set -euo pipefail

MOX_PACKAGES=(
  g++ make cmake
  qtbase5-dev qtbase5-dev-tools libqt5sql5-sqlite
  libsqlite3-dev
  fonts-crosextra-carlito fonts-dejavu-core
  xvfb xauth
  ccache
  dpkg-dev file
)

mox_install_packages() {
  local missing=()
  for p in "${MOX_PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing missing packages: ${missing[*]}"
    local sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
  fi
}

mox_build() {
  local dir="$1"; shift
  # Let ccache (when present) share objects between checkouts in other folders.
  export CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=1
  cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@"
  cmake --build "$dir" --parallel "$(nproc)"
}
