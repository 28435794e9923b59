# Cross build of the vessel modules for Windows with the Microsoft C++ ABI, as the
# simulator's own executable is built: clang for the target, linked by lld-link.
# MSVC_ARCH names the architecture: x64 (the simulator's 64-bit edition) or x86 (its
# 32-bit edition). No Microsoft headers or libraries are used: the C headers come from
# MinGW-w64 for the architecture, the C++ library's headers from libc++ (templates only;
# nothing of its compiled library is needed), and every import library is made by the
# build (platform/msvc).
set(MSVC_ARCH x64 CACHE STRING "Architecture of the Microsoft-ABI build: x64 or x86")
set_property(CACHE MSVC_ARCH PROPERTY STRINGS x64 x86)
# The compiler checks configure small projects with this same file: they need it too.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES MSVC_ARCH)

if(MSVC_ARCH STREQUAL "x64")
  set(CMAKE_SYSTEM_PROCESSOR AMD64)
  set(msvc_cpu x86_64)
  set(msvc_arch_flags "")
elseif(MSVC_ARCH STREQUAL "x86")
  set(CMAKE_SYSTEM_PROCESSOR X86)
  set(msvc_cpu i686)
  # SSE2 arithmetic, as on x64: doubles are rounded the same way, not in the x87's
  # 80 bits. _X86_ is what MinGW-w64's headers expect on this architecture.
  set(msvc_arch_flags "-D_X86_ -msse2 -mfpmath=sse")
else()
  message(FATAL_ERROR "MSVC_ARCH is '${MSVC_ARCH}'; expected x64 or x86")
endif()

set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_C_COMPILER clang)
set(CMAKE_CXX_COMPILER clang++)
set(CMAKE_C_COMPILER_TARGET ${msvc_cpu}-pc-windows-msvc)
set(CMAKE_CXX_COMPILER_TARGET ${msvc_cpu}-pc-windows-msvc)
set(CMAKE_RC_COMPILER llvm-rc)
set(CMAKE_AR llvm-ar)
set(CMAKE_RANLIB llvm-ranlib)
# The compiler checks only compile: linking a program needs import libraries that the
# project itself makes.
set(CMAKE_TRY_COMPILE_TARGET_TYPE STATIC_LIBRARY)

set(MSVC_LLVM_NM llvm-nm)
set(MSVC_LLVM_DLLTOOL llvm-dlltool)
set(MSVC_LLVM_READOBJ llvm-readobj)

# Optimised with debugging information, as the other builds are (the platform's own
# default would be Debug).
set(CMAKE_BUILD_TYPE RelWithDebInfo CACHE STRING "Build type")

# Headers: libc++ first (its C wrappers include the C headers after it), then the C
# headers of MinGW-w64 for the architecture, in their UCRT flavour, with the C
# runtime's own printf rather than MinGW's. libc++ takes no support from a Microsoft
# C++ runtime (no vcruntime headers) and marks nothing for export.
# -fgnuc-version: MinGW-w64's headers are written for GCC.
# No exceptions and no run-time type information: neither runtime is there.
set(msvc_mingw_include /usr/${msvc_cpu}-w64-mingw32/include)
set(CMAKE_CXX_FLAGS_INIT
    "-nostdinc++ -isystem /usr/lib/llvm-14/include/c++/v1 -isystem ${msvc_mingw_include} \
-fgnuc-version=12 -D_UCRT -D__USE_MINGW_ANSI_STDIO=0 \
-D_LIBCPP_NO_VCRUNTIME -D_LIBCPP_DISABLE_VISIBILITY_ANNOTATIONS \
-fno-exceptions -fno-rtti ${msvc_arch_flags} -Wno-unused-command-line-argument")
set(CMAKE_C_FLAGS_INIT "-isystem ${msvc_mingw_include} -fgnuc-version=12 -D_UCRT \
-D__USE_MINGW_ANSI_STDIO=0 ${msvc_arch_flags}")
# No default system libraries (kernel32.lib and the like, which there are none of):
# every library a target links is named by the project.
set(CMAKE_C_STANDARD_LIBRARIES "" CACHE STRING "Libraries linked into every C target")
set(CMAKE_CXX_STANDARD_LIBRARIES "" CACHE STRING "Libraries linked into every C++ target")

set(CMAKE_FIND_ROOT_PATH /usr/${msvc_cpu}-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
