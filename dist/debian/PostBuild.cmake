# Run by CPack after the packages are built (CPACK_POST_BUILD_SCRIPTS).
foreach(package IN LISTS CPACK_PACKAGE_FILES)
  if(package MATCHES "\\.ddeb$")
    execute_process(
      COMMAND sh "${CPACK_QUORVEL_DEBIAN_DIR}/repair-dbgsym.sh" "${package}"
      RESULT_VARIABLE result)
    if(NOT result EQUAL 0)
      message(FATAL_ERROR "repairing ${package} failed")
    endif()
  endif()
endforeach()
