# korvane_plugin(<name> [OUTPUT_DIRECTORY <dir>] SOURCES <source>...)
#
# A format plug-in: a shared object named <name>.kvplugin built against the
# public SDK header. By default it lands in the build tree's bin/Plugins/,
# where the program looks beside its executable; tests put theirs elsewhere.
# Only the KVX functions are exported.
function(korvane_plugin name)
  cmake_parse_arguments(PLUGIN "" "OUTPUT_DIRECTORY" "SOURCES" ${ARGN})
  if(NOT PLUGIN_OUTPUT_DIRECTORY)
    set(PLUGIN_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin/Plugins)
  endif()
  add_library(${name} MODULE ${PLUGIN_SOURCES})
  set_target_properties(${name} PROPERTIES
    PREFIX ""
    SUFFIX ".kvplugin"
    LIBRARY_OUTPUT_DIRECTORY ${PLUGIN_OUTPUT_DIRECTORY}
    C_VISIBILITY_PRESET hidden
    CXX_VISIBILITY_PRESET hidden
    VISIBILITY_INLINES_HIDDEN ON)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/sdk/include)
endfunction()
