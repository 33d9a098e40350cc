# Packs a build tree with CPack, unpacks the .deb into a throwaway root with dpkg -x and checks
# what a user would get: every file and link in its place and nothing else, the launcher
# reaching the binary, the declared dependencies, and valid AppStream metadata.
#   cmake -D BUILD=<build tree> -D WORK=<scratch folder> -D EXPECTED=<file list> -P CheckPackage.cmake
# The test build is packed as it is (sanitised, unstripped, fast compression, without the
# linked libraries' dependencies, which name the sanitisers here): what is checked is the layout
# and the dependencies declared by hand, which do not depend on the build type.

file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK}/root)

function(run)
  execute_process(COMMAND ${ARGV} RESULT_VARIABLE code OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT code EQUAL 0)
    message(FATAL_ERROR "${ARGV} failed (${code}):\n${out}\n${err}")
  endif()
  set(output "${out}" PARENT_SCOPE)
endfunction()

run(${CMAKE_CPACK_COMMAND} -G DEB --config ${BUILD}/CPackConfig.cmake -B ${WORK}
    -D CPACK_DEBIAN_COMPRESSION_TYPE=gzip -D CPACK_STRIP_FILES=OFF
    -D CPACK_DEBIAN_PACKAGE_SHLIBDEPS=OFF)
file(GLOB packages ${WORK}/vextal_*.deb)
list(LENGTH packages count)
if(NOT count EQUAL 1)
  message(FATAL_ERROR "expected one vextal_*.deb in ${WORK}, found: ${packages}")
endif()

run(dpkg -x ${packages} ${WORK}/root)
file(GLOB_RECURSE entries LIST_DIRECTORIES false RELATIVE ${WORK}/root ${WORK}/root/*)
set(found)
foreach(entry IN LISTS entries)
  if(IS_SYMLINK ${WORK}/root/${entry})
    file(READ_SYMLINK ${WORK}/root/${entry} target)
    list(APPEND found "${entry} -> ${target}")
    get_filename_component(reached ${WORK}/root/${entry} REALPATH)
    if(NOT EXISTS ${reached} OR IS_DIRECTORY ${reached})
      message(FATAL_ERROR "${entry} points at ${target}, which the package does not hold")
    endif()
  else()
    list(APPEND found "${entry}")
  endif()
endforeach()
list(SORT found)
file(STRINGS ${EXPECTED} expected)
list(SORT expected)
if(NOT found STREQUAL expected)
  string(REPLACE ";" "\n  " found_lines "${found}")
  string(REPLACE ";" "\n  " expected_lines "${expected}")
  message(FATAL_ERROR "package files differ\nfound:\n  ${found_lines}\nexpected:\n  ${expected_lines}")
endif()

run(dpkg-deb --field ${packages} Package Depends Recommends Section)
# The libraries the binary links are dpkg-shlibdeps' to name; these are the ones it cannot see.
foreach(needed "Package: vextal" "Section: games" "qt6-qpa-plugins" "libsdl2-mixer-2.0-0"
        "libfluidsynth3" "timgm6mb-soundfont" "fonts-dejavu-extra" "Recommends: libstrophe0")
  string(FIND "${output}" "${needed}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "the control data lacks \"${needed}\":\n${output}")
  endif()
endforeach()

find_program(APPSTREAMCLI appstreamcli)
if(APPSTREAMCLI)
  run(${APPSTREAMCLI} validate --no-net
      ${WORK}/root/usr/share/metainfo/org.example.vextal.metainfo.xml)
endif()
find_program(DESKTOP_VALIDATE desktop-file-validate)
if(DESKTOP_VALIDATE)
  run(${DESKTOP_VALIDATE} ${WORK}/root/usr/share/applications/vextal.desktop)
endif()
# Debian's own checks of the package: no error and no warning. The tags a test build earns by
# being one (sanitised, unstripped, unoptimised, packed without the linked libraries) are left
# out; scripts/package.sh runs lintian on the Release package with none left out.
set(TEST_BUILD_TAGS unstripped-binary-or-object,hardening-no-fortify-functions,missing-dependency-on-libc)
find_program(LINTIAN lintian)
if(LINTIAN)
  run(${LINTIAN} --fail-on error,warning --tag-display-limit 0
      --suppress-tags ${TEST_BUILD_TAGS} ${packages})
  if(output MATCHES "(^|\n)[EW]: ")
    message(FATAL_ERROR "lintian reports:\n${output}")
  endif()
else()
  message(STATUS "lintian is not installed: Debian's checks of the package are skipped "
                 "(scripts/test.sh installs it)")
endif()
message(STATUS "package ${packages}: ${count} package, files as expected")
