# cmake -DHOST_BUILD= -DROOT= -DMACHINE= -P gather_host.cmake
# Copies into the simulator root ROOT what the stand-in Orbiter.exe runs with from the
# MinGW-w64 build HOST_BUILD: the host's DLLs (with the compiler's where they are apart),
# and everything of that build's root but its modules (the sound library, meshes, waves,
# scenarios). Fails naming what is missing, or a host DLL of another architecture than
# MACHINE (x64 or x86).
set(x64_machine 6486) # the header's machine field as its bytes are stored: 0x8664
set(x86_machine 4c01) # 0x014C
set(x64_bits 64)
set(x86_bits 32)
foreach(dll libsimhost.dll vesselhost_run.dll)
  set(file ${HOST_BUILD}/bin/${dll})
  if(NOT EXISTS ${file})
    message(FATAL_ERROR "${file}: missing; build that folder first")
  endif()
  # The DOS header's word at 0x3C is where "PE\0\0" stands; the machine follows it.
  file(READ ${file} pe_offset OFFSET 60 LIMIT 4 HEX)
  string(REGEX REPLACE "(..)(..)(..)(..)" "0x\\4\\3\\2\\1" pe_offset "${pe_offset}")
  math(EXPR machine_offset "${pe_offset} + 4")
  file(READ ${file} machine OFFSET ${machine_offset} LIMIT 2 HEX)
  if(NOT machine STREQUAL "${${MACHINE}_machine}")
    message(FATAL_ERROR "${file}: not an ${MACHINE} (${${MACHINE}_bits}-bit) library, where "
            "this Orbiter.exe is one; give the build of that architecture (windows preset "
            "for x64, windows-x86 for x86) as WINDOWS_HOST_BUILD")
  endif()
  file(COPY ${file} DESTINATION ${ROOT})
endforeach()
# The compiler's DLLs, where the build links them (x86): beside the program that loads
# the host, as the loader looks for them there.
file(GLOB compiler_dlls ${HOST_BUILD}/bin/libgcc_s_*.dll ${HOST_BUILD}/bin/libstdc++-*.dll
     ${HOST_BUILD}/bin/libwinpthread-*.dll)
if(compiler_dlls)
  file(COPY ${compiler_dlls} DESTINATION ${ROOT})
endif()
file(GLOB entries ${HOST_BUILD}/root/*)
list(REMOVE_ITEM entries ${HOST_BUILD}/root/Modules)
file(COPY ${entries} DESTINATION ${ROOT})
