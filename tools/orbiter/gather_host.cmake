# cmake -DHOST_BUILD= -DROOT= -P gather_host.cmake
# Copies into the simulator root ROOT what the stand-in Orbiter.exe runs with from the
# MinGW-w64 build HOST_BUILD: the host's DLLs, and everything of that build's root but
# its modules (the sound library, meshes, waves, scenarios). Fails naming what is missing.
foreach(dll libsimhost.dll vesselhost_run.dll)
  if(NOT EXISTS ${HOST_BUILD}/bin/${dll})
    message(FATAL_ERROR "${HOST_BUILD}/bin/${dll}: missing; build that folder first")
  endif()
  file(COPY ${HOST_BUILD}/bin/${dll} DESTINATION ${ROOT})
endforeach()
file(GLOB entries ${HOST_BUILD}/root/*)
list(REMOVE_ITEM entries ${HOST_BUILD}/root/Modules)
file(COPY ${entries} DESTINATION ${ROOT})
