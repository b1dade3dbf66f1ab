# Writes PROGRAM's manual page from its --help with help2man, compressed as Debian wants.
# The version is given, so that both pages carry the project's; the texts are read as UTF-8.
execute_process(
  COMMAND ${HELP2MAN} --no-info --section=1 --locale=C.UTF-8 --name=${NAME} --version-string=${VERSION}
          --output=${OUTPUT}.tmp ${PROGRAM}
  RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "help2man failed on ${PROGRAM}")
endif()
execute_process(COMMAND ${GZIP} -9 -n -c ${OUTPUT}.tmp OUTPUT_FILE ${OUTPUT} RESULT_VARIABLE failed)
file(REMOVE ${OUTPUT}.tmp)
if(failed)
  message(FATAL_ERROR "gzip failed on ${OUTPUT}")
endif()
