# The modules as the simulator loads them: DLLs with the Microsoft C++ ABI (the
# toolchain cmake/msvc.cmake) that import from three DLLs only: the simulator's
# executable Orbiter.exe (its interface), the C runtime ucrtbase.dll, and KERNEL32.dll.
# Every import library is made here from a definition file. docs/windows.md gives the
# reasons.
set(PLATFORM_BUILDS_HOST OFF)

if(MSVC_ARCH STREQUAL "x86")
  set(msvc_dlltool_machine i386)
else()
  set(msvc_dlltool_machine i386:x86-64)
endif()
set(msvc_import_dir ${CMAKE_BINARY_DIR}/import)
file(MAKE_DIRECTORY ${msvc_import_dir})

# msvc_import_library(<name> <def file> [extra llvm-dlltool options...]): the import
# library <name>.lib in the build's import/ folder, made from the definition file.
function(msvc_import_library name def)
  set(library ${msvc_import_dir}/${name}.lib)
  add_custom_command(OUTPUT ${library}
    COMMAND ${MSVC_LLVM_DLLTOOL} -m ${msvc_dlltool_machine} -d ${def} -l ${library} ${ARGN}
    DEPENDS ${def}
    COMMENT "Import library ${name}.lib")
  add_custom_target(${name}_import_library DEPENDS ${library})
endfunction()

# The C runtime: ucrtbase.dll, part of every Windows from 10 on and of the runtime the
# simulator itself needs on older ones.
msvc_import_library(ucrtbase ${CMAKE_CURRENT_LIST_DIR}/ucrtbase.def)

# The kernel: its stdcall names carry their argument bytes on x86, which the import
# drops (-k); x64 has no such decoration.
if(MSVC_ARCH STREQUAL "x86")
  msvc_import_library(kernel32 ${CMAKE_CURRENT_LIST_DIR}/kernel32.def -k)
else()
  file(READ ${CMAKE_CURRENT_LIST_DIR}/kernel32.def kernel32_def)
  string(REGEX REPLACE "@[0-9]+" "" kernel32_def "${kernel32_def}")
  file(CONFIGURE OUTPUT ${msvc_import_dir}/kernel32.def CONTENT "${kernel32_def}")
  msvc_import_library(kernel32 ${msvc_import_dir}/kernel32.def)
endif()

# The simulator's executable, from the interface headers themselves: the names that
# interface_names.cpp's object refers to become the definition file.
add_library(interface_names OBJECT ${CMAKE_CURRENT_LIST_DIR}/interface_names.cpp)
target_link_libraries(interface_names PRIVATE source_tree)
set(MSVC_ORBITER_DEF ${msvc_import_dir}/Orbiter.def)
add_custom_command(OUTPUT ${MSVC_ORBITER_DEF}
  COMMAND ${CMAKE_COMMAND} -DNM=${MSVC_LLVM_NM} -DOBJECT=$<TARGET_OBJECTS:interface_names>
          -DDEF=${MSVC_ORBITER_DEF} -P ${CMAKE_CURRENT_LIST_DIR}/interface_def.cmake
  DEPENDS interface_names $<TARGET_OBJECTS:interface_names>
          ${CMAKE_CURRENT_LIST_DIR}/interface_def.cmake
  COMMENT "Definition file of Orbiter.exe from the interface headers")
msvc_import_library(Orbiter ${MSVC_ORBITER_DEF})

target_link_libraries(platform_simulator INTERFACE ${msvc_import_dir}/Orbiter.lib)
add_dependencies(platform_simulator Orbiter_import_library)

# Kernel calls are the system's own (platform/windows/kernel_calls.h).
target_include_directories(platform_kernel_headers INTERFACE ${CMAKE_CURRENT_LIST_DIR}/../windows)
# The C++ runtime a module needs, over the C runtime: compiled once, outside link-time
# optimisation, which would drop _fltused (only code generation refers to it).
add_library(msvc_runtime_support OBJECT ${CMAKE_CURRENT_LIST_DIR}/runtime_support.cpp)
target_link_libraries(msvc_runtime_support PRIVATE source_tree)
set_target_properties(msvc_runtime_support PROPERTIES INTERPROCEDURAL_OPTIMIZATION OFF)
# Each operator in its own section: the link keeps (and imports for) only those used.
target_compile_options(msvc_runtime_support PRIVATE -ffunction-sections)
target_sources(platform_kernel INTERFACE $<TARGET_OBJECTS:msvc_runtime_support>)
target_link_libraries(platform_kernel INTERFACE ${msvc_import_dir}/ucrtbase.lib
                      ${msvc_import_dir}/kernel32.lib)
add_dependencies(platform_kernel ucrtbase_import_library kernel32_import_library)
# The frame's DllMain is the entry point itself: no runtime start-up code runs before
# it, so nothing in a module may need dynamic initialisation or clean-up at exit, and
# the compiler refuses anything that would. No default libraries: every import is
# named above. Unused code is dropped even with debugging information on (which turns
# that off by default), so that a module imports only what it uses.
target_compile_options(platform_plugin INTERFACE -Werror=global-constructors
                       -Werror=exit-time-destructors)
target_link_options(platform_kernel INTERFACE LINKER:/entry:DllMain LINKER:/nodefaultlib
                    LINKER:/opt:ref)
