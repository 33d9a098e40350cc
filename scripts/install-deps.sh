#!/usr/bin/env bash
# Installs the Debian packages Vextal needs to build, run and test, skipping those already there.
# Usage: scripts/install-deps.sh [extra packages...]
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-qpa-plugins libgl-dev
  libsdl2-mixer-dev libfluidsynth3 timgm6mb-soundfont
  libavahi-client-dev libstrophe-dev qtkeychain-qt6-dev
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
# The tests bring daemons (Avahi, Prosody) that they start only inside namespaces of their own:
# installing them must not start them on this machine's network, so services stay down during
# the install.
if [ ! -e /usr/sbin/policy-rc.d ]; then
  printf '#!/bin/sh\nexit 101\n' | $sudo tee /usr/sbin/policy-rc.d >/dev/null
  $sudo chmod +x /usr/sbin/policy-rc.d
  trap '$sudo rm -f /usr/sbin/policy-rc.d' EXIT
fi
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
