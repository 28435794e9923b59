# cmake -DREFERENCE_HOST= -DREFERENCE_ROOT= -DHOST= -DEMULATOR= -DROOT= -DRUN_PATH_PREFIX=
#       -DSCENARIO= -DOUTPUT= -P compare_traces.cmake
# Runs SCENARIO through the reference build's vesselhost and through this build's (under
# EMULATOR, seeing the files through RUN_PATH_PREFIX), each writing its trace into
# OUTPUT, and fails unless the two traces are equal byte for byte, showing where they
# differ first.
file(REMOVE_RECURSE ${OUTPUT})
file(MAKE_DIRECTORY ${OUTPUT})
set(reference ${OUTPUT}/reference.jsonl)
set(trace ${OUTPUT}/trace.jsonl)

execute_process(COMMAND ${REFERENCE_HOST} --root ${REFERENCE_ROOT} run ${SCENARIO}
                        --trace ${reference} --no-progress
                RESULT_VARIABLE status OUTPUT_QUIET ERROR_VARIABLE errors)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${REFERENCE_HOST} failed (${status}) on ${SCENARIO}:\n${errors}")
endif()

string(REPLACE "|" ";" emulator "${EMULATOR}")
execute_process(COMMAND ${emulator} ${HOST} --root ${RUN_PATH_PREFIX}${ROOT}
                        run ${RUN_PATH_PREFIX}${SCENARIO}
                        --trace ${RUN_PATH_PREFIX}${trace} --no-progress
                RESULT_VARIABLE status OUTPUT_QUIET ERROR_VARIABLE errors)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${HOST} failed (${status}) on ${SCENARIO}:\n${errors}")
endif()

execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${reference} ${trace}
                RESULT_VARIABLE differ)
file(SIZE ${reference} size)
if(size EQUAL 0)
  message(FATAL_ERROR "${reference}: the reference trace is empty")
endif()
if(NOT differ)
  message(STATUS "traces of ${size} bytes, equal byte for byte")
  return()
endif()
execute_process(COMMAND diff --unified=1 ${reference} ${trace} OUTPUT_VARIABLE difference)
string(SUBSTRING "${difference}" 0 3000 difference)
message(FATAL_ERROR "traces differ (first differences):\n${difference}")
