# Cross build for 64-bit Windows with Debian's mingw-w64 (posix threads), linked statically so
# the programs need no DLLs beside them; programs and tests run under wine in a prefix without
# serial ports (tests/windows/wine-run).
# With -DQV_WINDOWS_QT=<prefix> (a static Qt for Windows, as scripts/windows-qt builds it) the
# windows are built too, Qt's host tools (moc, rcc) coming from the Linux Qt in /usr.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32 ${QV_WINDOWS_QT})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES QV_WINDOWS_QT)
if(QV_WINDOWS_QT)
  list(APPEND CMAKE_PREFIX_PATH ${QV_WINDOWS_QT})
  set(QT_HOST_PATH /usr CACHE PATH "")
  execute_process(COMMAND gcc -print-multiarch OUTPUT_VARIABLE _qv_multiarch
                  OUTPUT_STRIP_TRAILING_WHITESPACE)
  set(QT_HOST_PATH_CMAKE_DIR /usr/lib/${_qv_multiarch}/cmake CACHE PATH "")
endif()

if(EXISTS /usr/lib/wine/wine64 OR EXISTS /usr/bin/wine64 OR EXISTS /usr/bin/wine)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../tests/windows/wine-run)
endif()
