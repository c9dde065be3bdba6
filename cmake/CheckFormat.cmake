cmake_minimum_required(VERSION 3.25)
# Fails when a source file differs from what clang-format makes of it.
#   cmake -DCLANG_FORMAT=<program> -DROOT=<repository> -P CheckFormat.cmake
# `clang-format -i FILE` fixes a file it names.
set(sources "")
foreach(folder src tests bench fuzz sdk formats)
  file(GLOB_RECURSE found ${ROOT}/${folder}/*.cpp ${ROOT}/${folder}/*.h ${ROOT}/${folder}/*.c)
  list(APPEND sources ${found})
endforeach()
list(SORT sources)
execute_process(COMMAND ${CLANG_FORMAT} --dry-run --Werror ${sources}
                RESULT_VARIABLE result ERROR_VARIABLE complaints)
if(NOT result EQUAL 0)
  string(REGEX MATCHALL "[^\n]*: error: code should be clang-formatted" lines "${complaints}")
  set(files "")
  foreach(line ${lines})
    string(REGEX REPLACE ":[0-9]+:[0-9]+: error:.*" "" file "${line}")
    list(APPEND files ${file})
  endforeach()
  list(REMOVE_DUPLICATES files)
  list(JOIN files "\n  " shown)
  message(FATAL_ERROR "Not formatted (run clang-format -i on them):\n  ${shown}")
endif()
