# Checks one module DLL's tables as the Windows loader reads them (llvm-readobj):
#   cmake -DREADOBJ=<llvm-readobj> -DDLL=<module.dll> -DMACHINE=<IMAGE_FILE_MACHINE_...>
#         -DINTERFACE_DEF=<Orbiter.def made from the interface headers>
#         -DSIMULATOR_NAMES=<name|name...> [-DSYSTEM_DLLS=<folder>] -P check_dll_tables.cmake
# - the machine type is MACHINE;
# - it imports from Orbiter.exe, ucrtbase.dll and KERNEL32.dll, and from nothing else;
# - every import from Orbiter.exe is an operation the interface headers declare, and the
#   SIMULATOR_NAMES (as the simulator's executable exports them) are among them;
# - with SYSTEM_DLLS (a folder holding Wine's ucrtbase.dll and kernel32.dll for the
#   architecture), every import from those two is a name they export;
# - it exports exactly ovcInit, ovcExit and GetModuleVersion, undecorated.
cmake_minimum_required(VERSION 3.25)
set(problems "")
macro(problem text)
  string(APPEND problems "\n  ${text}")
endmacro()

include(${CMAKE_CURRENT_LIST_DIR}/pe_tables.cmake)

read_tables(${DLL} module)

if(NOT module_machine STREQUAL MACHINE)
  problem("machine ${module_machine}, expected ${MACHINE}")
endif()

set(expected_dlls Orbiter.exe ucrtbase.dll KERNEL32.dll)
set(module_dlls_sorted ${module_dlls})
list(SORT module_dlls_sorted)
list(SORT expected_dlls)
if(NOT module_dlls_sorted STREQUAL expected_dlls)
  problem("imports from '${module_dlls}', expected exactly '${expected_dlls}'")
endif()

file(STRINGS ${INTERFACE_DEF} declared REGEX "^  ")
list(TRANSFORM declared STRIP)
foreach(name IN LISTS module_imports_Orbiter.exe)
  if(NOT name IN_LIST declared)
    problem("imports ${name} from Orbiter.exe, which the interface headers do not declare")
  endif()
endforeach()
string(REPLACE "|" ";" simulator_names "${SIMULATOR_NAMES}")
foreach(name IN LISTS simulator_names)
  if(NOT name IN_LIST module_imports_Orbiter.exe)
    problem("does not import ${name} from Orbiter.exe")
  endif()
endforeach()

if(SYSTEM_DLLS)
  foreach(dll ucrtbase.dll KERNEL32.dll)
    string(TOLOWER ${dll} file)
    read_tables(${SYSTEM_DLLS}/${file} system)
    foreach(name IN LISTS module_imports_${dll})
      if(NOT name IN_LIST system_exports)
        problem("imports ${name} from ${dll}, which exports no such name")
      endif()
    endforeach()
  endforeach()
endif()

set(expected_exports GetModuleVersion ovcExit ovcInit)
set(module_exports_sorted ${module_exports})
list(SORT module_exports_sorted)
if(NOT module_exports_sorted STREQUAL expected_exports)
  problem("exports '${module_exports}', expected exactly '${expected_exports}'")
endif()

if(problems)
  message(FATAL_ERROR "${DLL}:${problems}")
endif()
message(STATUS "${DLL}: ${module_machine}; imports ${module_dlls}; exports ${module_exports}")
