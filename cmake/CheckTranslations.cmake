# Fails while a text of the program has no German: runs lupdate over the sources into a copy of
# the committed translation, so that a text added to the code and not yet translated shows up as
# unfinished there, like one that was collected but never translated.
# Usage: cmake -D LUPDATE=<lupdate> -D SOURCES=<src> -D TS=<vextal_de.ts> -D WORK=<folder>
#              "-D OPTIONS=<lupdate options>" -P CheckTranslations.cmake
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
get_filename_component(name ${TS} NAME)
set(copy ${WORK}/${name})
file(COPY_FILE ${TS} ${copy})
execute_process(COMMAND ${LUPDATE} ${OPTIONS} ${SOURCES} -ts ${copy} RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "lupdate failed (${failed})")
endif()
file(READ ${copy} content)
string(REGEX MATCHALL "<source>[^<]*</source>[^/]*<translation type=\"unfinished\"" open
       "${content}")
string(REGEX MATCHALL "<translation></translation>" empty "${content}")
list(LENGTH open unfinished)
string(FIND "${content}" "type=\"unfinished\"" anyUnfinished)
if(unfinished GREATER 0 OR NOT anyUnfinished EQUAL -1 OR empty)
  string(REGEX REPLACE "<source>([^<]*)</source>[^;]*unfinished\"" "\n  \\1" listed "${open}")
  message(FATAL_ERROR "Texts without German in ${name} (run the target update_translations and "
                      "translate them):${listed}")
endif()
message(STATUS "Every text has its German.")
