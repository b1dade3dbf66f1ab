# Manual pages from the programs' own --help, so that they never drift apart. Each page
# is written right after its program is linked, so that building the programs alone (as
# tools/run.sh does) leaves everything `cmake --install` and `cpack` take.
find_program(HELP2MAN_EXECUTABLE help2man)
find_program(GZIP_EXECUTABLE gzip)
if(NOT HELP2MAN_EXECUTABLE OR NOT GZIP_EXECUTABLE)
  message(WARNING "help2man or gzip not found: no manual pages (tools/install-deps.sh installs help2man)")
endif()

# wavory_add_man_page(TARGET SUMMARY): share/man/man1/TARGET.1.gz. Called in the folder
# that defines TARGET, as a command run after its link must be.
function(wavory_add_man_page target summary)
  if(NOT HELP2MAN_EXECUTABLE OR NOT GZIP_EXECUTABLE)
    return()
  endif()
  set(page ${PROJECT_BINARY_DIR}/man/${target}.1.gz)
  file(MAKE_DIRECTORY ${PROJECT_BINARY_DIR}/man)
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND ${CMAKE_COMMAND} -DHELP2MAN=${HELP2MAN_EXECUTABLE} -DGZIP=${GZIP_EXECUTABLE}
            -DPROGRAM=$<TARGET_FILE:${target}> -DNAME=${summary}
            -DVERSION=${PROJECT_VERSION} -DOUTPUT=${page}
            -P ${PROJECT_SOURCE_DIR}/packaging/MakeManPage.cmake
    COMMENT "Writing the manual page of ${target}"
    VERBATIM)
  set_property(TARGET ${target} APPEND PROPERTY ADDITIONAL_CLEAN_FILES ${page})
  install(FILES ${page} DESTINATION share/man/man1)
endfunction()
