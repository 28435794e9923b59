# CLI11 for a cross build: the build machine's header-only library, seen through a
# folder that holds only its headers (the machine's system headers stay out of view).
if(NOT TARGET CLI11::CLI11)
  set(_cli11_headers ${CMAKE_BINARY_DIR}/header-only/CLI11)
  file(MAKE_DIRECTORY ${_cli11_headers})
  file(CREATE_LINK /usr/include/CLI ${_cli11_headers}/CLI SYMBOLIC)
  add_library(CLI11::CLI11 INTERFACE IMPORTED)
  set_target_properties(CLI11::CLI11 PROPERTIES INTERFACE_INCLUDE_DIRECTORIES ${_cli11_headers})
endif()
set(CLI11_FOUND TRUE)
