# i686-w64-mingw32 with the default thread model: the deliverables.
set(FARELIB_MINGW_ARCH i686)
set(FARELIB_MINGW_THREADS "")
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
