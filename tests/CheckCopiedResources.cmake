# Every shipped file of SOURCE_DIR/resources (the help pages in Japanese and in English,
# resources/en/) is beside the built program in TARGET_DIR, as the program looks for them.
file(GLOB_RECURSE shipped RELATIVE "${SOURCE_DIR}/resources" "${SOURCE_DIR}/resources/*")
list(LENGTH shipped count)
if(count EQUAL 0)
  message(FATAL_ERROR "no files under ${SOURCE_DIR}/resources")
endif()
foreach(f ${shipped})
  if(NOT EXISTS "${TARGET_DIR}/${f}")
    message(FATAL_ERROR "not beside the program: ${TARGET_DIR}/${f}")
  endif()
endforeach()
message("${count} files beside the program")
