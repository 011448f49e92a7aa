# i686-w64-mingw32 with the posix thread model: the i686 test programs
# (GoogleTest needs std::thread and std::mutex).
set(FARELIB_MINGW_ARCH i686)
set(FARELIB_MINGW_THREADS -posix)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
