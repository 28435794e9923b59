# add_vessel_module(<target> MODULE_DIR <modules/name> OUTPUT_NAME <CLASS>
#                   [OUTPUT_DIRECTORY <dir>] [EXTRA_SOURCES <files>...])
# Builds one vessel module: the shared frame, engine and sound connector, with the
# module's own record, tables and hooks fixed at build time through its include folder.
# A module folder may hold a module.cmake that names, in MODULE_SHARED_DIR, a part it
# has in common with another module (modules/base).
# Only the module's exports are visible.
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
              ${CMAKE_SOURCE_DIR}/frame/module_entry.cpp ${engine_sources}
              ${CMAKE_SOURCE_DIR}/platform/posix/kernel.cpp
              ${CMAKE_SOURCE_DIR}/platform/posix/library_entry.cpp ${ARG_EXTRA_SOURCES})
  target_include_directories(${target} PRIVATE
    ${CMAKE_SOURCE_DIR}/${ARG_MODULE_DIR} ${CMAKE_SOURCE_DIR}/frame
    ${CMAKE_SOURCE_DIR}/platform ${CMAKE_SOURCE_DIR}/vehicle ${CMAKE_SOURCE_DIR}/sound)
  target_compile_options(${target} PRIVATE -fvisibility=hidden -fvisibility-inlines-hidden)
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    # Unique symbols would keep a module loaded after dlclose.
    target_compile_options(${target} PRIVATE -fno-gnu-unique)
  endif()
  target_link_libraries(${target} PRIVATE simhost ${CMAKE_DL_LIBS})
  target_link_options(${target} PRIVATE -Wl,--no-undefined)
  # The step's small functions inlined into clbkPostStep: its cost then stays close to
  # that of the host calls it makes.
  set_target_properties(${target} PROPERTIES INTERPROCEDURAL_OPTIMIZATION TRUE)
  set_target_properties(${target} PROPERTIES
    PREFIX "" SUFFIX ".so" OUTPUT_NAME ${ARG_OUTPUT_NAME}
    LIBRARY_OUTPUT_DIRECTORY ${ARG_OUTPUT_DIRECTORY})
endfunction()
