# Each module carries stand-ins for the kernel calls and calls its entry function from
# the library's constructor and destructor (attach and detach; there are no thread
# events). Compiled once, with the modules' flags, and linked into each.
add_library(platform_kernel_objects OBJECT ${CMAKE_CURRENT_LIST_DIR}/kernel.cpp
            ${CMAKE_CURRENT_LIST_DIR}/library_entry.cpp)
target_link_libraries(platform_kernel_objects PRIVATE source_tree)
target_link_libraries(platform_kernel_objects PRIVATE platform_kernel_headers platform_plugin)
set_target_properties(platform_kernel_objects PROPERTIES INTERPROCEDURAL_OPTIMIZATION TRUE)
target_sources(platform_kernel INTERFACE $<TARGET_OBJECTS:platform_kernel_objects>)
target_link_libraries(platform_kernel INTERFACE ${CMAKE_DL_LIBS})

# Only symbols marked for export are seen; every reference is resolved when the
# library is linked; and with GCC no unique symbols, which would keep a module loaded
# after dlclose.
target_compile_options(platform_plugin INTERFACE -fvisibility=hidden
                       -fvisibility-inlines-hidden $<$<CXX_COMPILER_ID:GNU>:-fno-gnu-unique>)
target_link_options(platform_plugin INTERFACE -Wl,--no-undefined)

target_link_libraries(platform_host_library INTERFACE ${CMAKE_DL_LIBS})

# The stand-in host library serves the simulator's interface.
target_link_libraries(platform_simulator INTERFACE simhost)
