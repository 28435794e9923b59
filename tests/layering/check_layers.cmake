cmake_minimum_required(VERSION 3.25)
# Every arrow points down: a layer includes only the layers below it. Each row names a
# folder and the folders its files may include from; a folder with rooms (host/) is
# split into them, each room seeing only the rooms before it. Every quoted include is
# checked: one with a folder by that folder, a bare one must name a file beside the
# including file, or be one of the meeting points below.
# Run with -DSOURCE_DIR=<project root>; fails naming each include that points up.
set(layers
  "sdk:sdk"
  "platform:sdk platform"
  "host/base:host/base"
  "host/library:sdk host/base host/library"
  "host/scenario:host/base host/scenario"
  "host/trace:sdk host/base host/trace"
  "host/mesh:sdk host/base host/mesh"
  "host/vessel:sdk host/base host/mesh host/vessel"
  "host/core:sdk host/base host/library host/trace host/mesh host/vessel host/core"
  "host/physics:sdk host/base host/vessel host/core host/physics"
  "sound:sdk platform sound"
  "vehicle:sdk sound vehicle"
  "frame:sdk platform vehicle frame"
  "modules:sdk sound vehicle modules"
  "output:host/base output"
  "soundlib:sdk host output soundlib"
  "tools:sdk host output tools"
  # Tests, benchmarks and fuzz targets sit on top: they may reach any layer, and the
  # benchmarks and fuzz targets the tests' support; nothing below reaches them.
  "tests:sdk platform host sound vehicle frame modules output soundlib tools fuzz tests"
  "bench:sdk platform host sound vehicle frame modules output soundlib tools tests/support bench"
  "fuzz:sdk platform host sound vehicle frame modules soundlib tools tests/support fuzz")
# Bare includes of a file made by the build or kept in another folder on purpose:
# "file:include", the include allowed in that file only.
set(meeting_points
  # The platform's kernel calls, from the folder of the platform being built.
  "platform/kernel.h:kernel_calls.h"
  # The engine meets the module it is built into here, and only here.
  "vehicle/built_module.h:module.h"
  "vehicle/surface_vehicle.h:vehicle_record.inc"
  "tests/support/rig_layout_dump.cpp:module.h"
  # Made by the build.
  "tests/support/rig_layout.cpp:rig_layouts.inc"
  "tools/vesselhost/command_line.cpp:demo_scenario.inc")

# The layer a path belongs to: the longest row name it starts with.
function(layer_of path out)
  set(best "")
  foreach(row ${layers})
    string(REGEX REPLACE ":.*" "" folder "${row}")
    string(LENGTH "${folder}" length)
    string(LENGTH "${best}" best_length)
    string(SUBSTRING "${path}/" 0 ${length} head)
    if(head STREQUAL folder AND length GREATER best_length)
      string(SUBSTRING "${path}/" ${length} 1 next)
      if(next STREQUAL "/")
        set(best "${folder}")
      endif()
    endif()
  endforeach()
  set(${out} "${best}" PARENT_SCOPE)
endfunction()

set(faults "")
set(checked 0)
foreach(row ${layers})
  string(REGEX REPLACE ":.*" "" folder "${row}")
  string(REGEX REPLACE ".*:" "" allowed "${row}")
  separate_arguments(allowed)
  file(GLOB_RECURSE sources ${SOURCE_DIR}/${folder}/*.cpp ${SOURCE_DIR}/${folder}/*.h
       ${SOURCE_DIR}/${folder}/*.inc ${SOURCE_DIR}/${folder}/*.mm)
  if(NOT sources)
    string(APPEND faults "\n  ${folder}/: no sources found")
  endif()
  foreach(source ${sources})
    file(RELATIVE_PATH name ${SOURCE_DIR} ${source})
    layer_of("${name}" own)
    if(NOT own STREQUAL folder)
      continue() # a room of its own row
    endif()
    get_filename_component(here ${source} DIRECTORY)
    file(STRINGS ${source} includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"")
    foreach(line ${includes})
      math(EXPR checked "${checked} + 1")
      string(REGEX REPLACE "^[^\"]*\"([^\"]+)\".*" "\\1" target "${line}")
      if(NOT target MATCHES "/")
        if(NOT EXISTS ${here}/${target} AND NOT "${name}:${target}" IN_LIST meeting_points)
          string(APPEND faults "\n  ${name}: ${line} (a bare include names no file beside "
                               "it and is no meeting point)")
        endif()
        continue()
      endif()
      layer_of("${target}" to)
      if(to STREQUAL "")
        continue() # not the project's
      endif()
      # Allowed when it lies in an allowed folder or room (host: host/core/...).
      set(ok FALSE)
      foreach(a ${allowed})
        string(FIND "${target}" "${a}/" at)
        if(at EQUAL 0)
          set(ok TRUE)
        endif()
      endforeach()
      if(NOT ok)
        list(JOIN allowed ", " allowed_text)
        string(APPEND faults "\n  ${name}: ${line} (${folder}/ may include ${allowed_text})")
      endif()
    endforeach()
  endforeach()
endforeach()
if(faults)
  message(FATAL_ERROR "Includes that point up a layer:${faults}")
endif()
message(STATUS "${checked} includes checked")
