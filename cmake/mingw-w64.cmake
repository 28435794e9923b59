# Cross build for Windows with Debian's MinGW-w64 (POSIX threads flavour). MINGW_ARCH
# names the architecture: x64 (64-bit Windows) or x86 (32-bit Windows).
# The programs built run on the build machine under Wine: CMake and CTest start them
# through it (test discovery, ctest), with Wine's own state kept in the build folder.
set(MINGW_ARCH x64 CACHE STRING "Architecture of the MinGW-w64 build: x64 or x86")
set_property(CACHE MINGW_ARCH PROPERTY STRINGS x64 x86)
# The compiler checks configure small projects with this same file: they need it too.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES MINGW_ARCH)

set(CMAKE_SYSTEM_NAME Windows)
if(MINGW_ARCH STREQUAL "x64")
  set(CMAKE_SYSTEM_PROCESSOR x86_64)
  set(MINGW_TRIPLE x86_64-w64-mingw32)
  # Debian's wine64 runs 64-bit programs; its loader is off the PATH.
  set(wine_names wine64)
elseif(MINGW_ARCH STREQUAL "x86")
  set(CMAKE_SYSTEM_PROCESSOR i686)
  set(MINGW_TRIPLE i686-w64-mingw32)
  # SSE2 arithmetic, as on x64: doubles are rounded the same way, not in the x87's
  # 80 bits, so that traces equal the other builds'.
  set(CMAKE_C_FLAGS_INIT "-msse2 -mfpmath=sse")
  set(CMAKE_CXX_FLAGS_INIT "-msse2 -mfpmath=sse")
  # The 32-bit loader of Debian's wine32 (off the PATH too) runs 32-bit programs.
  set(wine_names wine)
else()
  message(FATAL_ERROR "MINGW_ARCH is '${MINGW_ARCH}'; expected x64 or x86")
endif()

set(CMAKE_C_COMPILER ${MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${MINGW_TRIPLE}-windres)

# Libraries and headers for the target come from the MinGW tree only; programs run
# during the build come from the build machine.
set(CMAKE_FIND_ROOT_PATH /usr/${MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# pkg-config likewise: only packages built for the target.
set(ENV{PKG_CONFIG_LIBDIR} /usr/${MINGW_TRIPLE}/lib/pkgconfig)
set(ENV{PKG_CONFIG_PATH} "")

find_program(MINGW_WINE NAMES ${wine_names} PATHS /usr/lib/wine NO_DEFAULT_PATH
             NO_CMAKE_FIND_ROOT_PATH)
if(MINGW_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR env WINEPREFIX=${CMAKE_BINARY_DIR}/wine WINE=${MINGW_WINE}
      ${CMAKE_CURRENT_LIST_DIR}/mingw-w64-run.sh)
endif()
# Wine shows the build machine's files on drive Z:; paths built into the programs
# (the simulator root, test folders) carry this prefix.
set(RUN_PATH_PREFIX Z:)

# Header-only libraries of the build machine serve the target as they are.
set(CLI11_DIR ${CMAKE_CURRENT_LIST_DIR}/header-only)
set(nlohmann_json_DIR ${CMAKE_CURRENT_LIST_DIR}/header-only)
