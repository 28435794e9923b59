# nlohmann-json for a cross build: the build machine's header-only library, seen through
# a folder that holds only its headers (the machine's system headers stay out of view).
if(NOT TARGET nlohmann_json::nlohmann_json)
  set(_json_headers ${CMAKE_BINARY_DIR}/header-only/nlohmann_json)
  file(MAKE_DIRECTORY ${_json_headers})
  file(CREATE_LINK /usr/include/nlohmann ${_json_headers}/nlohmann SYMBOLIC)
  add_library(nlohmann_json::nlohmann_json INTERFACE IMPORTED)
  set_target_properties(nlohmann_json::nlohmann_json PROPERTIES
                        INTERFACE_INCLUDE_DIRECTORIES ${_json_headers})
endif()
set(nlohmann_json_FOUND TRUE)
