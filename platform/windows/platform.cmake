# Modules call the kernel's own GetProcAddress and GetModuleHandleA. The C runtime's
# DLL start-up is the library's entry point: it sets up the runtime and runs the static
# initialisers, then calls the frame's DllMain with every reason code (and on detach
# calls DllMain before it shuts the runtime down).
# On x86 the linker knows it by its stdcall name: underscore, and its twelve argument bytes.
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  target_link_options(platform_kernel INTERFACE -Wl,--entry=_DllMainCRTStartup@12)
else()
  target_link_options(platform_kernel INTERFACE -Wl,--entry=DllMainCRTStartup)
endif()

# A DLL exports only what is marked dllexport (DLLCLBK, the sound library's exports),
# so platform_plugin needs nothing here.

# The host library's C++ interface serves the programs, the tests and the plug-ins:
# export all of its own symbols, none of the support libraries linked into it.
target_link_options(platform_host_library INTERFACE -Wl,--export-all-symbols
                    -Wl,--exclude-libs,ALL)

# The loader finds a program's DLLs beside it: programs and DLLs of the build share bin/.
set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
# On x64 each program and DLL carries its own copy of the compiler's support libraries,
# so nothing needs installing beside them. They all allocate from the system C runtime's
# one heap, so a block may be freed by another library than the one that made it.
# On x86 GCC unwinds through DWARF tables that each copy of its support library keeps
# for its own module only: an exception thrown in one DLL and caught in another (the
# host's errors, caught by the program) needs the one shared copy. So the x86 programs
# and DLLs link the compiler's DLLs, which the build puts beside them in bin/ (the
# stand-in Orbiter.exe's root gathers them from there: tools/orbiter).
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  add_link_options(-static)
else()
  file(MAKE_DIRECTORY ${CMAKE_RUNTIME_OUTPUT_DIRECTORY})
  foreach(dll libgcc_s_dw2-1.dll libstdc++-6.dll libwinpthread-1.dll)
    execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll}
                    OUTPUT_VARIABLE path OUTPUT_STRIP_TRAILING_WHITESPACE)
    if(NOT EXISTS "${path}")
      message(FATAL_ERROR "${dll}: not found by ${CMAKE_CXX_COMPILER}")
    endif()
    file(COPY ${path} DESTINATION ${CMAKE_RUNTIME_OUTPUT_DIRECTORY})
  endforeach()
endif()

# The stand-in host library serves the simulator's interface.
target_link_libraries(platform_simulator INTERFACE simhost)

# Whether this machine runs the build's programs (under Wine, through the emulator):
# probed with a real program of the architecture, never assumed from the kernel. A
# machine that cannot still builds everything but the tests, which need to run them.
# Linked alone (no compiler DLLs beside it). Once seen to run, it is not probed again; a
# machine found unable is probed at every configure, so that installing what was
# missing is enough.
math(EXPR windows_bits "${CMAKE_SIZEOF_VOID_P} * 8")
if(NOT WINDOWS_PROGRAMS_RUN)
  set(probe_output "")
  if(CMAKE_CROSSCOMPILING_EMULATOR OR NOT CMAKE_CROSSCOMPILING)
    try_run(probe_status probe_compiled ${CMAKE_BINARY_DIR}/probe
            ${CMAKE_CURRENT_LIST_DIR}/pointer_width.cpp LINK_OPTIONS -static
            RUN_OUTPUT_VARIABLE probe_output)
  endif()
  set(runs OFF)
  if(probe_output MATCHES "^${windows_bits}-bit")
    set(runs ON)
  endif()
  set(WINDOWS_PROGRAMS_RUN ${runs} CACHE INTERNAL
      "Whether this machine executes the build's programs (probed)" FORCE)
endif()
if(NOT WINDOWS_PROGRAMS_RUN)
  message(STATUS "${MINGW_ARCH} not run: this machine cannot execute ${windows_bits}-bit "
                 "code; the tests are not built")
  set(BUILD_TESTING OFF)
endif()
