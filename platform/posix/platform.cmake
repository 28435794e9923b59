# Each module carries stand-ins for the kernel calls and calls its entry function from
# the library's constructor and destructor (attach and detach; there are no thread
# events).
target_sources(platform_kernel INTERFACE ${CMAKE_CURRENT_LIST_DIR}/kernel.cpp
               ${CMAKE_CURRENT_LIST_DIR}/library_entry.cpp)
target_link_libraries(platform_kernel INTERFACE ${CMAKE_DL_LIBS})

# Only symbols marked for export are seen; every library keeps its own copy of inline
# statics (no unique symbols merged across libraries, so each module has its own
# module-wide state); every reference is resolved when the library is linked.
target_compile_options(platform_plugin INTERFACE -fvisibility=hidden
                       -fvisibility-inlines-hidden -fno-gnu-unique)
target_link_options(platform_plugin INTERFACE -Wl,--no-undefined)

target_link_libraries(platform_host_library INTERFACE ${CMAKE_DL_LIBS})
