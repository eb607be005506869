# The rule that decides whether the package gets a debug-symbol package, for the flags of
# every standard build type and a few hand-made ones. Run with cmake -P.
cmake_minimum_required(VERSION 3.25)
include(${CMAKE_CURRENT_LIST_DIR}/../../dist/DebugInfo.cmake)
set(cases
  "-O2 -g -DNDEBUG|ON"   # RelWithDebInfo
  "-g|ON"                # Debug
  "-O3 -DNDEBUG|OFF"     # Release
  "-Os -DNDEBUG|OFF"     # MinSizeRel
  "|OFF"                 # no build type
  "-O3 -ggdb3|ON"
  "-O2 -g -g0|OFF"
  "-O2 -gdwarf-4|ON")
foreach(case IN LISTS cases)
  string(REPLACE "|" ";" parts "${case}")
  list(GET parts 0 flags)
  list(GET parts 1 expected)
  quorvel_has_debug_info(got "${flags}")
  if(NOT got STREQUAL expected)
    message(FATAL_ERROR "flags \"${flags}\": debug information ${got}, expected ${expected}")
  endif()
endforeach()
