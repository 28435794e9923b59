# Checks the stand-in Orbiter.exe's tables (llvm-readobj), which matter most where it
# cannot run (x86):
#   cmake -DREADOBJ=<llvm-readobj> -DEXE=<Orbiter.exe> -DMACHINE=<IMAGE_FILE_MACHINE_...>
#         -DINTERFACE_DEF=<Orbiter.def made from the interface headers> -P check_orbiter_exe.cmake
# - the machine type is MACHINE;
# - it exports every name of the definition file, so every import a module may make
#   binds to it;
# - it imports the host's two entries and nothing else (no C runtime).
cmake_minimum_required(VERSION 3.25)
include(${CMAKE_CURRENT_LIST_DIR}/pe_tables.cmake)
read_tables(${EXE} exe)
set(machine ${exe_machine})
set(exports ${exe_exports})
set(imports "")
foreach(dll IN LISTS exe_dlls)
  foreach(name IN LISTS exe_imports_${dll})
    list(APPEND imports "${dll}!${name}")
  endforeach()
endforeach()

set(problems "")
if(NOT machine STREQUAL MACHINE)
  string(APPEND problems "\n  machine ${machine}, expected ${MACHINE}")
endif()
file(STRINGS ${INTERFACE_DEF} declared REGEX "^  ")
list(TRANSFORM declared STRIP)
foreach(name IN LISTS declared)
  if(NOT name IN_LIST exports)
    string(APPEND problems "\n  does not export ${name}")
  endif()
endforeach()
set(expected_imports libsimhost.dll!SimhostGetCalls vesselhost_run.dll!VesselhostRun)
if(NOT imports STREQUAL expected_imports)
  string(APPEND problems "\n  imports '${imports}', expected exactly '${expected_imports}'")
endif()
if(problems)
  message(FATAL_ERROR "${EXE}:${problems}")
endif()
list(LENGTH declared count)
message(STATUS "${EXE}: ${machine}; exports all ${count} names of the interface; imports ${imports}")
