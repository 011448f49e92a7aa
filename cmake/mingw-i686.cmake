# i686-w64-mingw32. The deliverables use the default thread model; the i686
# test programs (mingw-i686-posix.cmake) the posix one, for GoogleTest.
if(NOT DEFINED FARELIB_MINGW_THREADS)
  set(FARELIB_MINGW_THREADS "")
endif()
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(CMAKE_C_COMPILER i686-w64-mingw32-gcc${FARELIB_MINGW_THREADS})
set(CMAKE_CXX_COMPILER i686-w64-mingw32-g++${FARELIB_MINGW_THREADS})
set(CMAKE_RC_COMPILER i686-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/i686-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# Programs run through Wine 10 (wow64 mode).
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run)
