#!/usr/bin/env bash
# Installs the Debian 12 packages that Tamso needs to build, test, package and run (as root).
set -euo pipefail
packages=(
  build-essential cmake pkg-config git ccache
  libgtest-dev libgmock-dev libbenchmark-dev nlohmann-json3-dev
  qt6-base-dev qt6-base-dev-tools libgl-dev qt6-image-formats-plugins
  libgraphicsmagick++1-dev graphicsmagick libpng-dev libicu-dev
  xvfb xauth
  dpkg-dev file desktop-file-utils
  clang-format clang-tidy
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
