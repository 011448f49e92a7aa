# x86_64-w64-mingw32 with the posix thread model (GoogleTest needs std::thread
# and std::mutex): the same sources, the test programs and the benchmarks.
set(FARELIB_MINGW_ARCH x86_64)
set(FARELIB_MINGW_THREADS -posix)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
