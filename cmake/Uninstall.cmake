# Removes what the last `cmake --install` from this build tree put in place.
#   cmake -D MANIFEST=<build>/install_manifest.txt -P Uninstall.cmake
# A DESTDIR in the environment is put in front of every path, as it was for the install.
# Every file the manifest lists goes (the launcher is a symbolic link, so links are removed as
# such). Of the folders, only the program folder and the folders inside it are removed once
# empty: bin/, share/applications and the icon theme may hold other programs' files.
if(NOT EXISTS "${MANIFEST}")
  message(FATAL_ERROR "Nothing to uninstall: ${MANIFEST} not found (install from this build tree first)")
endif()

file(STRINGS "${MANIFEST}" installed)
set(program_folders)
foreach(listed IN LISTS installed)
  set(file "$ENV{DESTDIR}${listed}")
  # The binary's own folder is the program folder; the launcher of the same name is a link.
  if(file MATCHES "/vextal$" AND NOT IS_SYMLINK "${file}" AND NOT IS_DIRECTORY "${file}")
    get_filename_component(folder "${file}" DIRECTORY)
    list(APPEND program_folders "${folder}")
  endif()
  if(EXISTS "${file}" OR IS_SYMLINK "${file}")
    message(STATUS "Removing ${file}")
    file(REMOVE "${file}")
  endif()
endforeach()

foreach(folder IN LISTS program_folders)
  foreach(sub "${folder}/sound" "${folder}/music" "${folder}")
    if(IS_DIRECTORY "${sub}")
      file(GLOB left "${sub}/*")
      if(left)
        message(STATUS "Keeping ${sub}: files not put there by the install are left in it")
      else()
        message(STATUS "Removing ${sub}")
        file(REMOVE_RECURSE "${sub}")
      endif()
    endif()
  endforeach()
endforeach()
