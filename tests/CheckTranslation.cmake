# Fails when the translation file has an unfinished or empty translation, or (where lupdate
# is installed) when lupdate on the sources would change it: a new or changed text not yet
# translated, or one the sources no longer have.
#   cmake -DTS=<file.ts> [-DLUPDATE=<lupdate> -DLUPDATE_ARGUMENTS=<list>] -DWORK_DIR=<dir>
#         -P CheckTranslation.cmake

function(check_finished file)
  file(READ ${file} text)
  foreach(bad "type=\"unfinished\"" "type=\"vanished\"" "type=\"obsolete\"" "<translation></translation>")
    string(FIND "${text}" "${bad}" at)
    if(NOT at EQUAL -1)
      string(SUBSTRING "${text}" 0 ${at} before)
      string(REGEX MATCHALL "\n" lines "${before}")
      list(LENGTH lines line)
      math(EXPR line "${line} + 1")
      message(FATAL_ERROR "${file}:${line}: ${bad}")
    endif()
  endforeach()
  string(REGEX MATCHALL "<message>" messages "${text}")
  list(LENGTH messages count)
  if(count EQUAL 0)
    message(FATAL_ERROR "${file}: no messages")
  endif()
endfunction()

check_finished(${TS})
if(NOT LUPDATE)
  message(STATUS "lupdate not found: the sources were not compared")
  return()
endif()

file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})
get_filename_component(name ${TS} NAME)
set(copy ${WORK_DIR}/${name})
file(COPY_FILE ${TS} ${copy})
execute_process(COMMAND ${LUPDATE} ${LUPDATE_ARGUMENTS} -ts ${copy}
                RESULT_VARIABLE status OUTPUT_QUIET ERROR_QUIET)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "lupdate failed (${status})")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${TS} ${copy} RESULT_VARIABLE differs)
if(differs)
  execute_process(COMMAND diff -u ${TS} ${copy} OUTPUT_VARIABLE changes ERROR_QUIET)
  message(FATAL_ERROR "The sources' texts and ${name} differ; run the target "
                      "wavory_update_translations and translate:\n${changes}")
endif()
