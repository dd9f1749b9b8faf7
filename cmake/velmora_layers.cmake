# The layers of src/ as static libraries that see only the layers they may use.
#
# A layer's headers are reached as "<folder>/<header>" through an include root of its own in the build
# tree, which holds nothing but one link, <folder> -> src/<folder>. A target therefore finds the headers
# of the layers it links and of no other: an include across an arrow the layers do not allow fails to
# compile instead of merely going unused. (A single include root src/ would make every header reachable.)
#
#   velmora_add_layer(TARGET FOLDER [EXCLUDE REGEX])
# builds every .cpp under src/FOLDER, except those whose path matches REGEX and those of the other
# platform (cmake/platform_sources.cmake), into the static library TARGET.
function(velmora_add_layer target folder)
  cmake_parse_arguments(PARSE_ARGV 2 layer "" "EXCLUDE" "")
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS "${PROJECT_SOURCE_DIR}/src/${folder}/*.cpp")
  if(layer_EXCLUDE)
    list(FILTER sources EXCLUDE REGEX "${layer_EXCLUDE}")
  endif()
  velmora_platform_sources(sources)
  add_library(${target} STATIC ${sources})
  set(root "${PROJECT_BINARY_DIR}/include/${target}")
  file(MAKE_DIRECTORY "${root}")
  file(CREATE_LINK "${PROJECT_SOURCE_DIR}/src/${folder}" "${root}/${folder}" SYMBOLIC)
  target_include_directories(${target} PUBLIC "${root}")
endfunction()
