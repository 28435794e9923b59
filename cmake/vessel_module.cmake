# add_vessel_module(<target> MODULE_DIR <modules/name> OUTPUT_NAME <CLASS>
#                   [OUTPUT_DIRECTORY <dir>] [EXTRA_SOURCES <files>...])
# Builds one vessel module, the library file <CLASS> with the platform's suffix: the
# shared frame, engine and sound connector, with the module's own record, tables and
# hooks fixed at build time through its include folder. A module folder may hold a
# module.cmake that names, in MODULE_SHARED_DIR, a part it has in common with another
# module (modules/base). Only the module's exports are visible.
function(add_vessel_module target)
  cmake_parse_arguments(ARG "" "MODULE_DIR;OUTPUT_NAME;OUTPUT_DIRECTORY" "EXTRA_SOURCES" ${ARGN})
  if(NOT ARG_OUTPUT_DIRECTORY)
    set(ARG_OUTPUT_DIRECTORY ${SIM_ROOT}/Modules)
  endif()
  file(GLOB engine_sources CONFIGURE_DEPENDS
       ${CMAKE_SOURCE_DIR}/vehicle/*.cpp ${CMAKE_SOURCE_DIR}/sound/*.cpp
       ${CMAKE_SOURCE_DIR}/${ARG_MODULE_DIR}/*.cpp)
  set(MODULE_SHARED_DIR "")
  include(${CMAKE_SOURCE_DIR}/${ARG_MODULE_DIR}/module.cmake OPTIONAL)
  if(MODULE_SHARED_DIR)
    file(GLOB shared_sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${MODULE_SHARED_DIR}/*.cpp)
    list(APPEND engine_sources ${shared_sources})
  endif()
  add_library(${target} SHARED
              ${CMAKE_SOURCE_DIR}/frame/module_entry.cpp ${engine_sources} ${ARG_EXTRA_SOURCES})
  # The module's own folder: the engine's "module_traits.h" and "vehicle_record.inc".
  target_include_directories(${target} PRIVATE ${CMAKE_SOURCE_DIR}/${ARG_MODULE_DIR})
  target_link_libraries(${target} PRIVATE simhost platform_kernel platform_plugin)
  # The step's small functions inlined into clbkPostStep: its cost then stays close to
  # that of the host calls it makes.
  set_target_properties(${target} PROPERTIES INTERPROCEDURAL_OPTIMIZATION TRUE)
  # A DLL is a runtime file on Windows, a library file elsewhere: both go to the folder.
  # Its import library (Windows) stays in the build, apart from other builds of a class.
  set_target_properties(${target} PROPERTIES
    PREFIX "" OUTPUT_NAME ${ARG_OUTPUT_NAME}
    LIBRARY_OUTPUT_DIRECTORY ${ARG_OUTPUT_DIRECTORY}
    RUNTIME_OUTPUT_DIRECTORY ${ARG_OUTPUT_DIRECTORY}
    ARCHIVE_OUTPUT_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}/${target})
endfunction()
