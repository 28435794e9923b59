# The one place that knows which platform the build is for. It sets PLATFORM_NAME
# (posix or windows: the folder of that platform's side here, in host/ as
# dynamic_library_<name>.cpp and in tests/<area>/<name>/) and gives four interface
# targets, filled by <name>/platform.cmake:
#   platform_kernel_headers  what compiling against platform/kernel.h needs
#   platform_kernel        a module's kernel calls and library entry
#   platform_plugin        a plug-in library that shows only its marked exports
#   platform_host_library  the host library, whose whole C++ interface programs use
if(WIN32)
  set(PLATFORM_NAME windows)
else()
  set(PLATFORM_NAME posix)
endif()
add_library(platform_kernel_headers INTERFACE)
# platform/kernel.h includes the chosen platform's kernel_calls.h.
target_include_directories(platform_kernel_headers INTERFACE
                           ${CMAKE_CURRENT_LIST_DIR}/${PLATFORM_NAME})
add_library(platform_kernel INTERFACE)
target_link_libraries(platform_kernel INTERFACE platform_kernel_headers)
add_library(platform_plugin INTERFACE)
add_library(platform_host_library INTERFACE)
include(${CMAKE_CURRENT_LIST_DIR}/${PLATFORM_NAME}/platform.cmake)
