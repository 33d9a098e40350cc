# Fails while a text of the program has no translation in one of the languages: runs lupdate over
# the sources into a copy of each committed translation, so that a text added to the code and not
# yet translated shows up as unfinished there, like one that was collected but never translated.
# Usage: cmake -D LUPDATE=<lupdate> -D SOURCES=<src> -D "TS=<vextal_de.ts>|<vextal_fr.ts>|..."
#              -D WORK=<folder> "-D OPTIONS=<lupdate options>" -P CheckTranslations.cmake
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
string(REPLACE "|" ";" files "${TS}")
set(failures "")
foreach(ts IN LISTS files)
  get_filename_component(name ${ts} NAME)
  set(copy ${WORK}/${name})
  file(COPY_FILE ${ts} ${copy})
  execute_process(COMMAND ${LUPDATE} ${OPTIONS} ${SOURCES} -ts ${copy} RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "lupdate failed on ${name} (${failed})")
  endif()
  file(READ ${copy} content)
  string(REGEX MATCHALL "<source>[^<]*</source>[^/]*<translation type=\"unfinished\"" open
         "${content}")
  string(REGEX MATCHALL "<translation></translation>" empty "${content}")
  list(LENGTH open unfinished)
  string(FIND "${content}" "type=\"unfinished\"" anyUnfinished)
  if(unfinished GREATER 0 OR NOT anyUnfinished EQUAL -1 OR empty)
    string(REGEX REPLACE "<source>([^<]*)</source>[^;]*unfinished\"" "\n  \\1" listed "${open}")
    string(APPEND failures "\nTexts without a translation in ${name}:${listed}")
  else()
    message(STATUS "Every text has its translation in ${name}.")
  endif()
endforeach()
if(failures)
  message(FATAL_ERROR "${failures}\n(run the target update_translations and translate them)")
endif()
