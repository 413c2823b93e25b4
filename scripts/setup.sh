#!/usr/bin/env bash
# Installs every Debian package the project needs. Idempotent; silent when all is there.
set -euo pipefail
packages=(
  cmake ninja-build g++ pkg-config ccache clang-format gcovr
  libfreetype-dev libharfbuzz-dev libfontconfig-dev fonts-dejavu-core fonts-wqy-microhei fonts-noto-color-emoji
  libpng-dev libicu-dev libsqlite3-dev sqlite3 libx11-dev libxfixes-dev
  libgtest-dev libgmock-dev googletest libbenchmark-dev
  xvfb xdotool xclip x11-apps python3
)
missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  sudo=""
  if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
  $sudo apt-get update -q
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q "${missing[@]}"
fi
