# Code for one platform sits in files named for it beside the interface it implements: foo_posix.cpp
# and foo_win32.cpp. velmora_platform_sources(<list>) drops from the list the files of the other
# platform, and their tests (foo_posix_test.cpp, foo_win32_test.cpp) with them.
function(velmora_platform_sources list_name)
  if(WIN32)
    list(FILTER ${list_name} EXCLUDE REGEX "_posix(_test)?\\.cpp$")
  else()
    list(FILTER ${list_name} EXCLUDE REGEX "_win32(_test)?\\.cpp$")
  endif()
  set(${list_name} ${${list_name}} PARENT_SCOPE)
endfunction()
