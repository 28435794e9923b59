# Cross build for 64-bit Windows with Debian's MinGW-w64 (POSIX threads flavour).
# The programs built run on the build machine under Wine: CMake and CTest start them
# through it (test discovery, ctest), with Wine's own state kept in the build folder.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(MINGW_TRIPLE x86_64-w64-mingw32)
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

# Debian's wine64 keeps its loader off the PATH.
find_program(WINE64 NAMES wine64 PATHS /usr/lib/wine NO_CMAKE_FIND_ROOT_PATH)
if(WINE64)
  set(CMAKE_CROSSCOMPILING_EMULATOR env WINEPREFIX=${CMAKE_BINARY_DIR}/wine WINE64=${WINE64}
      ${CMAKE_CURRENT_LIST_DIR}/mingw-w64-run.sh)
endif()
# Wine shows the build machine's files on drive Z:; paths built into the programs
# (the simulator root, test folders) carry this prefix.
set(RUN_PATH_PREFIX Z:)

# Header-only libraries of the build machine serve the target as they are.
set(CLI11_DIR ${CMAKE_CURRENT_LIST_DIR}/header-only)
set(nlohmann_json_DIR ${CMAKE_CURRENT_LIST_DIR}/header-only)
