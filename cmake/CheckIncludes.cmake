# Fails when a source of FOLDER includes a project header from a folder it may not read:
# the code reads in one direction, and each library may include only its own headers and
# those of the libraries it declares. Run as
#   cmake -DSOURCE_DIR=<root> -DFOLDER=<folder> -DALLOWED=<folder,folder,...> [-DSTAMP=<file>]
#         -P CheckIncludes.cmake
# Includes without a folder ("x.h") and system headers (<x>) are not judged.
cmake_minimum_required(VERSION 3.25)
string(REPLACE "," ";" allowed "${ALLOWED}")
file(GLOB files "${SOURCE_DIR}/${FOLDER}/*.h" "${SOURCE_DIR}/${FOLDER}/*.cpp")
set(wrong "")
foreach(file ${files})
  file(STRINGS "${file}" lines REGEX "^[ \t]*#[ \t]*include[ \t]*\"[^\"]+/[^\"/]+\"")
  foreach(line ${lines})
    string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"([^\"]+)/[^\"/]+\".*$" "\\1" dir "${line}")
    if(NOT dir IN_LIST allowed)
      file(RELATIVE_PATH name "${SOURCE_DIR}" "${file}")
      string(APPEND wrong "\n  ${name}: ${line}")
    endif()
  endforeach()
endforeach()
if(wrong)
  message(FATAL_ERROR "${FOLDER}/ may include only ${ALLOWED}; against the direction:${wrong}")
endif()
if(STAMP)
  file(WRITE "${STAMP}" "")
endif()
