#!/usr/bin/env bash
# Installs what is missing, builds Vextal with AddressSanitizer and UndefinedBehaviorSanitizer and
# runs the whole test suite headless (offscreen windows, SDL's dummy audio driver).
set -euo pipefail
cd "$(dirname "$0")/.."
# clang for the fuzz targets; a system bus, the Avahi daemon and its tools, and ip for the test
# that finds games beside a private daemon; an XMPP server (Prosody) and openssl for the tests of
# internet play beside a private server; the validators and Debian's checks (lintian) the package
# test runs; an X server of its own with a window manager (openbox, xprop to see it ready), the
# accessibility bus and its Python binding for the tests that read the board as a screen reader
# does.
scripts/install-deps.sh clang libclang-rt-14-dev dbus avahi-daemon avahi-utils iproute2 \
  prosody openssl appstream desktop-file-utils lintian \
  xvfb xauth openbox x11-utils at-spi2-core python3-pyatspi gir1.2-atspi-2.0
export QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=dummy
cmake -S . -B build-test -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVEXTAL_SANITIZE=ON
cmake --build build-test --parallel
cd build-test
ctest --output-on-failure --parallel 2
