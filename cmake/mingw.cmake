# The MinGW-w64 cross compilers. Included by the toolchain files, which set
# FARELIB_MINGW_ARCH (i686 or x86_64) and FARELIB_MINGW_THREADS ("" for the
# default thread model of the deliverables, -posix where GoogleTest needs
# std::thread and std::mutex).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${FARELIB_MINGW_ARCH})
set(CMAKE_C_COMPILER ${FARELIB_MINGW_ARCH}-w64-mingw32-gcc${FARELIB_MINGW_THREADS})
set(CMAKE_CXX_COMPILER ${FARELIB_MINGW_ARCH}-w64-mingw32-g++${FARELIB_MINGW_THREADS})
set(CMAKE_RC_COMPILER ${FARELIB_MINGW_ARCH}-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${FARELIB_MINGW_ARCH}-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# Programs of either architecture run through the one Wine (i686 in its wow64 mode).
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run)
