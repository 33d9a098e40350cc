# The Debian package: `cpack -G DEB` in a Release build tree configured with
# -DCMAKE_INSTALL_PREFIX=/usr (scripts/package.sh does both). It holds exactly what
# `cmake --install` lays out, and names what the program needs at run time: Qt for the windows
# and the network, and SDL2_mixer with FluidSynth and a General MIDI soundfont for sound and
# music, which the program loads only when the first sound plays, so no linker sees them.

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vextal)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
# The project owns no domain yet: its address lies under the reserved example domain, as the
# AppStream id does.
set(CPACK_PACKAGE_CONTACT "Murvo <vextal@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "two-player turn-based strategy game")
# Lines of the description stay within 80 columns, as Debian's tools show them.
set(CPACK_PACKAGE_DESCRIPTION
    "Players claim nodes on a small grid and expand them into links that block
and neutralise the opponent's nodes. Two people play at one machine, against
the CPU player at several strengths, or over the network with a chat window.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)  # vextal_<version>_<arch>.deb
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# dpkg-shlibdeps (dpkg-dev) adds every library the binary links, at the versions it was built
# against; the list names what it cannot see: the Qt platform plugins and the sound libraries
# the program opens itself, the soundfont it plays the tunes with, and the fonts its fixed
# layout is measured in (without DejaVu Sans Condensed the board's labels are cut).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "qt6-qpa-plugins, libsdl2-2.0-0, libsdl2-mixer-2.0-0, libfluidsynth3, timgm6mb-soundfont, fonts-dejavu-core, fonts-dejavu-extra")
# Play over the internet loads libstrophe at the first login; without it the program starts and
# plays as before, and the login says that the library is missing.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "libstrophe0")
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)

include(CPack)
