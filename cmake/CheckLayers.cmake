# Checks that every folder of src/ includes only the folders below it, and
# that the core folders include no Qt. Run as a build step:
#   cmake -DSOURCE_DIR=<src> -DSTAMP=<file> -P CheckLayers.cmake
# A violation fails the build and names the file, the line and the rule.

cmake_minimum_required(VERSION 3.25)

# Folder -> the folders of ours it may include (besides itself).
set(allowed_platform "")
set(allowed_model platform)
set(allowed_storage platform model)
set(allowed_settings platform model)
set(allowed_editing platform model storage settings)
set(allowed_tools platform model storage settings editing)
set(allowed_plugins platform model storage settings editing)
set(allowed_desktop platform model storage settings)
set(allowed_commands platform model storage settings editing tools plugins desktop)
set(allowed_toolkit platform model settings)
set(allowed_ui platform model storage settings editing tools plugins desktop commands toolkit)
set(allowed_app platform model storage settings editing tools plugins desktop commands toolkit ui)
set(qt_free platform model storage settings editing tools plugins desktop commands)
set(folders platform model storage settings editing tools plugins desktop commands toolkit ui app)

set(violations "")
foreach(folder ${folders})
  file(GLOB_RECURSE sources ${SOURCE_DIR}/${folder}/*.cpp ${SOURCE_DIR}/${folder}/*.h)
  foreach(source ${sources})
    file(STRINGS ${source} includes REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"]")
    file(RELATIVE_PATH shown ${SOURCE_DIR} ${source})
    foreach(line ${includes})
      string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*[<\"]([^>\"]*)[>\"].*" "\\1" target "${line}")
      if(folder IN_LIST qt_free AND target MATCHES "^Q[A-Za-z]")
        string(APPEND violations "  ${shown}: ${target} (the core links no Qt)\n")
      endif()
      if(target MATCHES "^([a-z]+)/")
        set(included ${CMAKE_MATCH_1})
        if(included IN_LIST folders AND NOT included STREQUAL folder
           AND NOT included IN_LIST allowed_${folder})
          string(APPEND violations "  ${shown}: ${target} (${folder} may not include ${included})\n")
        endif()
      endif()
    endforeach()
  endforeach()
endforeach()

if(violations)
  message(FATAL_ERROR "Includes against the layer rules (see src/README.md):\n${violations}")
endif()
if(STAMP)
  file(TOUCH ${STAMP})
endif()
