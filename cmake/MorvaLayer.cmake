# One static library per layer. A layer sees only its own folder and, through
# the libraries it links, the folders of the layers below it, so an include
# that points upwards does not compile.
function(morva_layer name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LINKS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${ARG_LINKS})
  morva_warnings(${name})
endfunction()
