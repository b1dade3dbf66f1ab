cmake_minimum_required(VERSION 3.25)
# Builds the Debian package with cpack and checks it: the programs, their resources and
# the desktop files are in it and nothing else is; every library the programs need is
# covered by a dependency (dpkg-shlibdeps' work); the metadata passes the validators.
# Prints "SKIPPED:" (the test counts as skipped) where dpkg's tools are missing.
foreach(tool dpkg dpkg-deb dpkg-shlibdeps objdump)
  string(MAKE_C_IDENTIFIER "${tool}" var)
  find_program(${var}_EXE ${tool})
  if(NOT ${var}_EXE)
    message("SKIPPED: ${tool} is missing")
    return()
  endif()
endforeach()

file(REMOVE_RECURSE "${WORK_DIR}")
execute_process(
  COMMAND "${CPACK}" -G DEB --config "${BUILD_DIR}/CPackConfig.cmake" -B "${WORK_DIR}"
  RESULT_VARIABLE failed OUTPUT_VARIABLE out ERROR_VARIABLE out)
file(GLOB debs "${WORK_DIR}/wavory_*.deb")
list(LENGTH debs count)
if(failed OR NOT count EQUAL 1)
  message(FATAL_ERROR "cpack made no single wavory_*.deb:\n${out}")
endif()
set(deb "${debs}")

set(problems)
macro(problem text)
  list(APPEND problems "${text}")
endmacro()
# Runs TOOL with ARGS where it is installed: its failure, or with ANY_OUTPUT anything it
# says, is a problem named LABEL; where it is missing, says that WHAT is not checked.
function(validate tool label what)
  cmake_parse_arguments(PARSE_ARGV 3 arg "ANY_OUTPUT" "" "ARGS")
  string(MAKE_C_IDENTIFIER "${tool}" var)
  find_program(${var}_EXE ${tool})
  if(NOT ${var}_EXE)
    message("${tool} is missing: ${what}")
    return()
  endif()
  execute_process(COMMAND "${${var}_EXE}" ${arg_ARGS}
                  RESULT_VARIABLE failed OUTPUT_VARIABLE out ERROR_VARIABLE out)
  if(failed OR (arg_ANY_OUTPUT AND out))
    list(APPEND problems "${label}${out}")
    set(problems "${problems}" PARENT_SCOPE)
  endif()
endfunction()

# The file list: exactly the expected top folders, and the files that must be there.
execute_process(COMMAND "${dpkg_deb_EXE}" --contents "${deb}" OUTPUT_VARIABLE listing
                COMMAND_ERROR_IS_FATAL ANY)
string(REGEX MATCHALL "\\./usr/[^\n]*[^/\n]\n" entries "${listing}")
set(paths)
foreach(entry ${entries})
  string(STRIP "${entry}" entry)
  string(REGEX REPLACE " -> .*" "" entry "${entry}") # a symbolic link's target
  list(APPEND paths "${entry}")
endforeach()
set(required
  ./usr/bin/wavory ./usr/bin/wavory-render
  ./usr/share/wavory/help.htm
  ./usr/share/applications/${APP_ID}.desktop
  ./usr/share/metainfo/${APP_ID}.metainfo.xml
  ./usr/share/mime/packages/${APP_ID}.xml
  ./usr/share/icons/hicolor/scalable/apps/${APP_ID}.svg
  ./usr/share/man/man1/wavory.1.gz ./usr/share/man/man1/wavory-render.1.gz
  ./usr/share/doc/wavory/copyright ./usr/share/doc/wavory/changelog.gz)
foreach(size ${ICON_SIZES})
  list(APPEND required ./usr/share/icons/hicolor/${size}x${size}/apps/${APP_ID}.png)
endforeach()
# Every help page (Japanese and English, resources/en/) and sample color set of the source
# tree.
file(GLOB_RECURSE shipped RELATIVE "${SOURCE_DIR}/resources" "${SOURCE_DIR}/resources/*")
foreach(f ${shipped})
  list(APPEND required ./usr/share/wavory/${f})
endforeach()
# Every sample color set and parameter file.
file(GLOB samples RELATIVE "${SOURCE_DIR}" "${SOURCE_DIR}/colorset/*.cst" "${SOURCE_DIR}/samples/*.txt")
foreach(f ${samples})
  list(APPEND required ./usr/share/wavory/${f})
endforeach()
foreach(f ${required})
  if(NOT f IN_LIST paths)
    problem("missing from the package: ${f}")
  endif()
endforeach()
foreach(f ${paths})
  if(NOT f MATCHES "^\\./usr/(bin/wavory(-render)?|share/(wavory|applications|metainfo|mime/packages|icons/hicolor|man/man1|doc/wavory)/)")
    problem("unexpected file in the package: ${f}")
  endif()
endforeach()

# The description word for word as packaging/description.txt has it.
include("${BUILD_DIR}/CPackConfig.cmake") # the summary
file(READ "${SOURCE_DIR}/packaging/description.txt" written)
execute_process(COMMAND "${dpkg_deb_EXE}" --field "${deb}" Description OUTPUT_VARIABLE shown
                COMMAND_ERROR_IS_FATAL ANY)
string(REGEX REPLACE "[ \n]+" " " words "${shown}")
string(REGEX REPLACE "[ \n]+" " " written "${CPACK_PACKAGE_DESCRIPTION_SUMMARY} ${written}")
string(STRIP "${words}" words)
string(STRIP "${written}" written)
if(NOT words STREQUAL written)
  problem("the package's description is not the text of packaging/description.txt:\n${shown}")
endif()

# The dependencies: every library the two programs load belongs to a package that is
# a dependency.
execute_process(COMMAND "${dpkg_deb_EXE}" --field "${deb}" Depends OUTPUT_VARIABLE depends
                COMMAND_ERROR_IS_FATAL ANY)
string(REGEX REPLACE "\\([^)]*\\)" "" names "${depends}") # version constraints
string(REGEX REPLACE "[ \n]*[,|][ \n]*" ";" names "${names}")
set(dependencies)
foreach(n ${names})
  string(STRIP "${n}" n)
  list(APPEND dependencies "${n}")
endforeach()
if(NOT "qt6-qpa-plugins" IN_LIST dependencies)
  problem("qt6-qpa-plugins (the windows' platform plugins) is not a dependency: ${depends}")
endif()
# The windows are Japanese unless told otherwise: a font for it is a dependency.
if(NOT "fonts-noto-cjk" IN_LIST dependencies)
  problem("no Japanese font (fonts-noto-cjk) is a dependency: ${depends}")
endif()
# The videos of the animation are written with FFmpeg's libraries.
foreach(lib avcodec avformat swscale avutil)
  if(NOT dependencies MATCHES "(^|;)lib${lib}[0-9]+(;|$)")
    problem("lib${lib} (writing the videos) is not a dependency: ${depends}")
  endif()
endforeach()
set(extracted "${WORK_DIR}/extracted")
execute_process(COMMAND "${dpkg_deb_EXE}" --extract "${deb}" "${extracted}" COMMAND_ERROR_IS_FATAL ANY)
foreach(program wavory wavory-render)
  execute_process(COMMAND "${objdump_EXE}" -p "${extracted}/usr/bin/${program}"
                  OUTPUT_VARIABLE headers COMMAND_ERROR_IS_FATAL ANY)
  string(REGEX MATCHALL "NEEDED +[^\n]+" needed "${headers}")
  if(NOT needed)
    problem("${program} needs no libraries at all?")
  endif()
  foreach(line ${needed})
    string(REGEX REPLACE "NEEDED +" "" soname "${line}")
    execute_process(COMMAND "${dpkg_EXE}" -S "*/${soname}" OUTPUT_VARIABLE owners
                    RESULT_VARIABLE unowned ERROR_QUIET)
    if(unowned)
      problem("${program}: ${soname} belongs to no installed package")
      continue()
    endif()
    string(REGEX MATCHALL "(^|\n)[a-z0-9][a-z0-9.+-]*" owner_names "${owners}")
    set(covered FALSE)
    foreach(owner ${owner_names})
      string(STRIP "${owner}" owner)
      if(owner IN_LIST dependencies)
        set(covered TRUE)
      endif()
    endforeach()
    if(NOT covered)
      problem("${program} needs ${soname} (${owners}) but no dependency provides it: ${depends}")
    endif()
  endforeach()
endforeach()

# The desktop entry, the AppStream data and the file type, by their own validators.
set(share "${extracted}/usr/share")
validate(desktop-file-validate "desktop-file-validate: " "the desktop entry is not validated"
         ANY_OUTPUT ARGS "${share}/applications/${APP_ID}.desktop")
validate(appstreamcli "appstreamcli validate: " "the AppStream data is not validated"
         ARGS validate --no-net --explain "${share}/metainfo/${APP_ID}.metainfo.xml")
# The two file types as the file type database reads them, and the launcher offering them.
find_program(update_mime_database_EXE update-mime-database)
if(update_mime_database_EXE)
  set(mime "${WORK_DIR}/mime")
  file(COPY "${share}/mime/packages/${APP_ID}.xml" DESTINATION "${mime}/packages")
  # Told that the folder is a data folder, so that it only reports real faults.
  execute_process(COMMAND "${CMAKE_COMMAND}" -E env "XDG_DATA_DIRS=${WORK_DIR}" "XDG_DATA_HOME=${WORK_DIR}"
                          "${update_mime_database_EXE}" "${mime}"
                  RESULT_VARIABLE failed OUTPUT_VARIABLE out ERROR_VARIABLE out)
  file(READ "${mime}/globs2" globs)
  file(READ "${mime}/types" types)
  if(failed OR out OR NOT globs MATCHES ":application/x-wavory-colorset:\\*\\.cst"
     OR NOT types MATCHES "application/x-wavory-parameters")
    problem("the file types are not read as application/x-wavory-colorset (*.cst) and application/x-wavory-parameters: ${out}")
  endif()
else()
  message("update-mime-database is missing: the file types are not checked")
endif()
file(STRINGS "${share}/applications/${APP_ID}.desktop" entry)
if(NOT "MimeType=application/x-wavory-colorset;application/x-wavory-parameters;" IN_LIST entry OR
   NOT "Exec=wavory --open %f" IN_LIST entry)
  problem("the desktop entry does not open color set and parameter files with --open %f")
endif()

# Debian's own check of the package, errors and warnings alike.
validate(lintian "lintian:\n" "the package is not checked by it"
         ARGS --fail-on error,warning "${deb}")

if(problems)
  list(JOIN problems "\n  " text)
  message(FATAL_ERROR "${deb}:\n  ${text}")
endif()
message("${deb}: ${count} package, ${depends}")
