# cmake -DPACKAGE_SCRIPT= -DARCH= -DBUILD= -DREFERENCE_BUILD= -DEMULATOR= -DRUN_PATH_PREFIX=
#       -DSCENARIOS= -DOUTPUT= -P package_traces.cmake
# The player's archive for ARCH (x64 or x86) as scripts/package makes it from this
# Microsoft-ABI build BUILD and the reference build's meshes and waves, unpacked into a
# fresh root, with the stand-in simulator beside it as a player's simulator has its own
# (Orbiter.exe, the host's DLLs, the sound library: the files at the top of BUILD's root).
# Each of SCENARIOS ("|" between them) runs there under EMULATOR, and its trace must
# equal the reference build's byte for byte (compare_traces.cmake).
file(REMOVE_RECURSE ${OUTPUT})
file(MAKE_DIRECTORY ${OUTPUT}/dist ${OUTPUT}/root)
string(TOUPPER ${ARCH} arch_upper)
execute_process(COMMAND ${CMAKE_COMMAND} -E env MSVC_${arch_upper}_BUILD=${BUILD}
                        ${PACKAGE_SCRIPT} --no-build --build ${REFERENCE_BUILD}
                        --dist ${OUTPUT}/dist
                RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE errors)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${PACKAGE_SCRIPT} failed (${status}):\n${out}${errors}")
endif()
file(GLOB archive ${OUTPUT}/dist/*-${ARCH}.zip)
if(NOT archive)
  message(FATAL_ERROR "${PACKAGE_SCRIPT} made no ${ARCH} archive:\n${out}${errors}")
endif()
if(errors MATCHES "${ARCH} archive is missing Modules")
  message(FATAL_ERROR "the ${ARCH} archive lacks modules:\n${errors}")
endif()
file(ARCHIVE_EXTRACT INPUT ${archive} DESTINATION ${OUTPUT}/root)

file(GLOB simulator LIST_DIRECTORIES false ${BUILD}/root/*)
file(COPY ${simulator} DESTINATION ${OUTPUT}/root)

string(REPLACE "|" ";" scenarios "${SCENARIOS}")
foreach(scenario IN LISTS scenarios)
  get_filename_component(name ${scenario} NAME_WE)
  execute_process(COMMAND ${CMAKE_COMMAND} -DREFERENCE_HOST=${REFERENCE_BUILD}/bin/vesselhost
                          -DREFERENCE_ROOT=${REFERENCE_BUILD}/root
                          -DHOST=${OUTPUT}/root/Orbiter.exe "-DEMULATOR=${EMULATOR}"
                          -DROOT=${OUTPUT}/root -DRUN_PATH_PREFIX=${RUN_PATH_PREFIX}
                          -DSCENARIO=${scenario} -DOUTPUT=${OUTPUT}/${name}
                          -P ${CMAKE_CURRENT_LIST_DIR}/compare_traces.cmake
                  RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE errors)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "${name}, run from the unpacked ${ARCH} archive:\n${out}${errors}")
  endif()
  message(STATUS "${name}: ${out}")
endforeach()
