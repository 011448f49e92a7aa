# Run by CPack after it has made the ZIP: rewrites it so that two builds of the
# same sources give the same bytes, whenever and wherever they were made.
foreach(package IN LISTS CPACK_PACKAGE_FILES)
  if(package MATCHES "\\.zip$")
    execute_process(COMMAND ${CPACK_FARELIB_PYTHON} ${CMAKE_CURRENT_LIST_DIR}/reproducible_zip.py
                            ${package} ${CPACK_FARELIB_SOURCE_DATE_EPOCH}
                    COMMAND_ERROR_IS_FATAL ANY)
  endif()
endforeach()
