cmake_minimum_required(VERSION 3.25)
# Every arrow points down: a layer includes only the layers below it. Each row names a
# folder and the folders its files may include from (by the include's first folder).
# Run with -DSOURCE_DIR=<project root>; fails naming each include that points up.
set(layers
  "sdk:sdk"
  "platform:sdk platform"
  "host:sdk host"
  "sound:sdk platform sound"
  "vehicle:sdk sound vehicle"
  "frame:sdk platform vehicle frame"
  "modules:sdk sound vehicle modules"
  "output:host output"
  "soundlib:sdk host output soundlib"
  "tools:sdk host output tools")
set(project_folders)
foreach(row ${layers})
  string(REGEX REPLACE ":.*" "" folder "${row}")
  list(APPEND project_folders ${folder})
endforeach()

set(faults "")
foreach(row ${layers})
  string(REGEX REPLACE ":.*" "" folder "${row}")
  string(REGEX REPLACE ".*:" "" allowed "${row}")
  separate_arguments(allowed)
  file(GLOB_RECURSE sources ${SOURCE_DIR}/${folder}/*.cpp ${SOURCE_DIR}/${folder}/*.h
       ${SOURCE_DIR}/${folder}/*.inc)
  if(NOT sources)
    string(APPEND faults "\n  ${folder}/: no sources found")
  endif()
  foreach(source ${sources})
    file(STRINGS ${source} includes REGEX "^#include \"[^\"]+/")
    foreach(line ${includes})
      string(REGEX REPLACE "^#include \"([^/\"]+)/.*" "\\1" target "${line}")
      if(target IN_LIST project_folders AND NOT target IN_LIST allowed)
        file(RELATIVE_PATH name ${SOURCE_DIR} ${source})
        list(JOIN allowed ", " allowed_text)
        string(APPEND faults "\n  ${name}: ${line} (${folder}/ may include ${allowed_text})")
      endif()
    endforeach()
  endforeach()
endforeach()
if(faults)
  message(FATAL_ERROR "Includes that point up a layer:${faults}")
endif()
