# What the release package ships (the DLLs, the stand-in host, the sample
# plug-in) is built to the same bytes from the same sources, wherever the
# source tree and the build folder are, and is stripped: its debug information
# goes into a file of its own beside it, which the package leaves out.
include_guard(GLOBAL)

if(WIN32)
  # Debug information and __FILE__ name paths inside the tree and the build
  # folder, not where they happen to be. GCC tries the last map first, so the
  # build folder (often inside the tree) comes second.
  add_compile_options(-ffile-prefix-map=${CMAKE_SOURCE_DIR}=.
                      -ffile-prefix-map=${CMAKE_BINARY_DIR}=build)
endif()

# The date the package's files carry: SOURCE_DATE_EPOCH when the environment
# sets it, else the time of the last commit, else a fixed day.
function(farelib_source_date_epoch out)
  set(epoch "$ENV{SOURCE_DATE_EPOCH}")
  if(NOT epoch)
    find_package(Git QUIET)
    if(GIT_FOUND)
      execute_process(COMMAND ${GIT_EXECUTABLE} -C ${CMAKE_SOURCE_DIR} log -1 --format=%ct
                      OUTPUT_VARIABLE epoch OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
    endif()
  endif()
  if(NOT epoch MATCHES "^[0-9]+$")
    set(epoch 946684800)  # 2000-01-01 00:00:00 UTC
  endif()
  set(${out} ${epoch} PARENT_SCOPE)
endfunction()

# Links `target` without a link-time stamp and, after each link, moves its
# debug information into <file>.debug beside it and strips the file, which
# then names its debug file (and that file's CRC) in .gnu_debuglink.
function(farelib_ship_binary target)
  if(NOT CMAKE_OBJCOPY)
    message(FATAL_ERROR "no objcopy for ${CMAKE_SYSTEM_PROCESSOR}: cannot strip ${target}")
  endif()
  target_link_options(${target} PRIVATE -Wl,--no-insert-timestamp)
  set(file $<TARGET_FILE:${target}>)
  # objcopy stamps each image it writes with the time, unless SOURCE_DATE_EPOCH
  # gives one: 0, as the linker leaves it.
  set(objcopy ${CMAKE_COMMAND} -E env SOURCE_DATE_EPOCH=0 ${CMAKE_OBJCOPY})
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND ${objcopy} --only-keep-debug ${file} ${file}.debug
    # The debug link holds the file name as given, so the command runs beside it.
    COMMAND ${objcopy} --strip-all --add-gnu-debuglink=$<TARGET_FILE_NAME:${target}>.debug ${file}
    WORKING_DIRECTORY $<TARGET_FILE_DIR:${target}>
    COMMENT "Stripping ${target}; its debug information goes into a .debug file beside it"
    VERBATIM)
endfunction()
