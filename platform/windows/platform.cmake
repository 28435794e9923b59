# Modules call the kernel's own GetProcAddress and GetModuleHandleA. The C runtime's
# DLL start-up is the library's entry point: it sets up the runtime and runs the static
# initialisers, then calls the frame's DllMain with every reason code (and on detach
# calls DllMain before it shuts the runtime down).
target_link_options(platform_kernel INTERFACE -Wl,--entry=DllMainCRTStartup)

# A DLL exports only what is marked dllexport (DLLCLBK, the sound library's exports),
# so platform_plugin needs nothing here.

# The host library's C++ interface serves the programs, the tests and the plug-ins:
# export all of its own symbols, none of the support libraries linked into it.
target_link_options(platform_host_library INTERFACE -Wl,--export-all-symbols
                    -Wl,--exclude-libs,ALL)

# The loader finds a program's DLLs beside it: programs and DLLs of the build share bin/.
set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
# Each program and DLL carries its own copy of the compiler's support libraries, so
# nothing needs installing beside them. They all allocate from the system C runtime's
# one heap, so a block may be freed by another library than the one that made it.
add_link_options(-static)

# The stand-in host library serves the simulator's interface.
target_link_libraries(platform_simulator INTERFACE simhost)
