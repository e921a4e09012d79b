# One static library per folder, each declaring the libraries it reads: its arrows. A folder
# may include only its own headers and those of the folders its arrows point to; the build
# checks every source of the folder before compiling it, so an include against the arrows
# fails the build with the offending lines named.

# The *.cpp of a folder for this platform: *_posix.cpp and *_win32.cpp only on their own.
function(qv_platform_sources var dir)
  file(GLOB sources CONFIGURE_DEPENDS ${dir}/*.cpp)
  if(WIN32)
    list(FILTER sources EXCLUDE REGEX "_posix\\.cpp$")
  else()
    list(FILTER sources EXCLUDE REGEX "_win32\\.cpp$")
  endif()
  set(${var} ${sources} PARENT_SCOPE)
endfunction()

#   qv_layer(<target> <folder> [DEPENDS <target>...] [ALLOW <folder>...])
# Makes <target> a static library of the folder's sources for this platform, unless it exists
# already (a program or a library with a choice of sources), links it to DEPENDS and checks the
# folder's includes: the folders of the DEPENDS libraries (directly, not what they read in
# turn) and the ALLOW folders, which sources read that are built only when their library is
# there.
function(qv_layer target folder)
  cmake_parse_arguments(PARSE_ARGV 2 arg "" "" "DEPENDS;ALLOW")
  set(allowed ${folder} ${arg_ALLOW})
  foreach(dependency ${arg_DEPENDS})
    get_target_property(below ${dependency} QV_LAYER_FOLDER)
    if(below)
      list(APPEND allowed ${below})
    endif()
  endforeach()
  list(REMOVE_DUPLICATES allowed)

  if(NOT TARGET ${target})
    qv_platform_sources(sources ${PROJECT_SOURCE_DIR}/${folder})
    add_library(${target} STATIC ${sources})
    target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR})
  endif()
  target_link_libraries(${target} PUBLIC ${arg_DEPENDS})
  set_target_properties(${target} PROPERTIES QV_LAYER_FOLDER "${folder}")

  file(GLOB checked CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/${folder}/*.h
       ${PROJECT_SOURCE_DIR}/${folder}/*.cpp)
  string(REPLACE "/" "_" name "${folder}")
  string(REPLACE ";" "," allowed_list "${allowed}")
  set(stamp ${PROJECT_BINARY_DIR}/layers/${name}.checked)
  add_custom_command(OUTPUT ${stamp}
    COMMAND ${CMAKE_COMMAND} -DSOURCE_DIR=${PROJECT_SOURCE_DIR} -DFOLDER=${folder}
            -DALLOWED=${allowed_list} -DSTAMP=${stamp}
            -P ${PROJECT_SOURCE_DIR}/cmake/CheckIncludes.cmake
    DEPENDS ${checked} ${PROJECT_SOURCE_DIR}/cmake/CheckIncludes.cmake
    COMMENT "Checking the includes of ${folder}/" VERBATIM)
  add_custom_target(${target}_includes DEPENDS ${stamp})
  add_dependencies(${target} ${target}_includes)
endfunction()
