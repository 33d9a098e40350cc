#!/usr/bin/env bash
# Builds the Debian package from a Release tree of its own (build-release/) and prints its path:
#   scripts/package.sh && sudo apt install ./build-release/vextal_*.deb
# Installs what is missing first (appstream to validate the software-centre metadata, lintian for
# Debian's checks of the package, which must report no error and no warning).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh appstream dpkg-dev lintian
cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release -DVEXTAL_TESTS=OFF \
  -DCMAKE_INSTALL_PREFIX=/usr
cmake --build build-release --parallel
appstreamcli validate --no-net build-release/data/org.example.vextal.metainfo.xml
(cd build-release && cpack -G DEB)
lintian --fail-on error,warning build-release/vextal_*.deb
ls "$PWD"/build-release/vextal_*.deb
