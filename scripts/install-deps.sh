#!/usr/bin/env bash
# Installs the Debian packages Vextal needs to build, run and test, skipping those already there.
# Usage: scripts/install-deps.sh [extra packages...]
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-qpa-plugins libgl-dev
  libsdl2-mixer-dev libfluidsynth3 timgm6mb-soundfont
  fonts-dejavu-core fonts-dejavu-extra
  qt6-l10n-tools qt6-tools-dev qt6-translations-l10n
  "$@"
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
$sudo apt-get update -q
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
