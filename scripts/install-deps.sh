#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing need. Quick when
# everything is present: apt is only asked when a package is missing.
set -euo pipefail

packages=(
  cmake g++ make pkg-config
  libgtest-dev libbenchmark-dev libespeak-ng-dev espeak-ng-data
  libwxgtk3.2-dev libcairo2-dev libpango1.0-dev fonts-liberation
  gettext wx3.2-i18n fonts-wqy-microhei python3
  xvfb xdotool x11-utils imagemagick poppler-utils
  clang libclang-rt-14-dev
  desktop-file-utils appstream lintian dpkg-dev file
  shared-mime-info xdg-utils libfile-mimeinfo-perl
)

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$package")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=()
[ "$(id -u)" -ne 0 ] && sudo=(sudo)
"${sudo[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
