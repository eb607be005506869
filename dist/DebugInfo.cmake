# Whether compiler flags make programs that carry debugging information: a -g option (-g,
# -g1 to -g3, -ggdb, -gdwarf-N) whose last word is not -g0. A Debian debug-symbol package is
# made only then; without it the package would hold no symbols, which lintian refuses.
function(quorvel_has_debug_info out flags)
  separate_arguments(words UNIX_COMMAND "${flags}")
  set(debug OFF)
  foreach(word IN LISTS words)
    if(word STREQUAL "-g0")
      set(debug OFF)
    elseif(word MATCHES "^-g([1-3]|gdb[0-3]?|dwarf(-[0-9]+)?)?$")
      set(debug ON)
    endif()
  endforeach()
  set(${out} ${debug} PARENT_SCOPE)
endfunction()
