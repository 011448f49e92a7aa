# The farelib package for CMake hosts:
#
#   find_package(farelib CONFIG REQUIRED)
#   target_link_libraries(host PRIVATE farelib::farelib4)   # or farelib::farelib3
#
# Both are imported DLL targets for the architecture being built: i686 from
# bin/ and lib/, x86_64 from x64/bin/ and x64/lib/. Each carries its DLL, its
# import library (.lib for MSVC-style toolchains, .dll.a for the others) and
# include/. farelib::farelib3 also defines FARELIB_TARGET_FARELIB3, so a call
# to a function that only farelib4 has does not compile.

get_filename_component(_farelib_root "${CMAKE_CURRENT_LIST_DIR}/../../.." ABSOLUTE)
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(_farelib_arch "x64/")
else()
  set(_farelib_arch "")
endif()
if(MSVC OR CMAKE_C_SIMULATE_ID STREQUAL "MSVC" OR CMAKE_CXX_SIMULATE_ID STREQUAL "MSVC")
  set(_farelib_implib_suffix ".lib")
else()
  set(_farelib_implib_suffix ".dll.a")
endif()

foreach(_farelib_dll farelib4 farelib3)
  set(_farelib_location "${_farelib_root}/${_farelib_arch}bin/${_farelib_dll}.dll")
  set(_farelib_implib "${_farelib_root}/${_farelib_arch}lib/${_farelib_dll}${_farelib_implib_suffix}")
  foreach(_farelib_file "${_farelib_location}" "${_farelib_implib}")
    if(NOT EXISTS "${_farelib_file}")
      set(farelib_FOUND FALSE)
      set(farelib_NOT_FOUND_MESSAGE "the farelib package at ${_farelib_root} lacks ${_farelib_file}")
      return()
    endif()
  endforeach()
  if(NOT TARGET farelib::${_farelib_dll})
    add_library(farelib::${_farelib_dll} SHARED IMPORTED)
    set_target_properties(farelib::${_farelib_dll} PROPERTIES
      IMPORTED_LOCATION "${_farelib_location}"
      IMPORTED_IMPLIB "${_farelib_implib}"
      INTERFACE_INCLUDE_DIRECTORIES "${_farelib_root}/include")
  endif()
endforeach()
set_property(TARGET farelib::farelib3 PROPERTY INTERFACE_COMPILE_DEFINITIONS FARELIB_TARGET_FARELIB3)

unset(_farelib_root)
unset(_farelib_arch)
unset(_farelib_implib_suffix)
unset(_farelib_dll)
unset(_farelib_location)
unset(_farelib_implib)
unset(_farelib_file)
