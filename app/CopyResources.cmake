# Copies the files shipped with the program next to the built executable:
# SOURCE_DIR/resources/* (help.htm, help/*.htm) into TARGET_DIR, and SOURCE_DIR/colorset
# (the sample color sets) as TARGET_DIR/colorset. A folder that does not exist is skipped.
# Files already there with the same time stamp are not copied again.
if(IS_DIRECTORY "${SOURCE_DIR}/resources")
  file(COPY "${SOURCE_DIR}/resources/" DESTINATION "${TARGET_DIR}")
endif()
if(IS_DIRECTORY "${SOURCE_DIR}/colorset")
  file(COPY "${SOURCE_DIR}/colorset" DESTINATION "${TARGET_DIR}")
endif()
