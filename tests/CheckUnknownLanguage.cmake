# `wavory --lang xx` and WAVORY_LANG=xx are command-line errors: status 2 and a message
# naming the language, without a window.
#   cmake -DPROGRAM=<path to wavory> -P CheckUnknownLanguage.cmake
foreach(way option variable)
  if(way STREQUAL "option")
    set(command ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen ${PROGRAM} --lang xx)
  else()
    set(command ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen WAVORY_LANG=xx ${PROGRAM})
  endif()
  execute_process(COMMAND ${command} RESULT_VARIABLE status ERROR_VARIABLE err
                  OUTPUT_VARIABLE out TIMEOUT 30)
  if(NOT status EQUAL 2 OR NOT err MATCHES "unknown language 'xx'")
    message(FATAL_ERROR "${way}: status ${status}, stderr: ${err}")
  endif()
endforeach()
