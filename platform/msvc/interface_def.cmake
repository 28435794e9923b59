# Writes the definition file of the simulator's executable from the object of
# interface_names.cpp: every name the object leaves undefined is an operation of the
# interface, decorated as the executable exports it (a reference through the import
# table carries the prefix __imp_, dropped here).
#   cmake -DNM=<llvm-nm> -DOBJECT=<object> -DDEF=<output .def> -P interface_def.cmake
execute_process(COMMAND ${NM} --undefined-only --format=just-symbols ${OBJECT}
                OUTPUT_VARIABLE symbols RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${NM} could not read ${OBJECT}")
endif()
string(REGEX REPLACE "\n$" "" symbols "${symbols}")
string(REPLACE "\n" ";" symbols "${symbols}")
set(names "")
foreach(symbol ${symbols})
  string(REGEX REPLACE "^__imp_" "" name "${symbol}")
  # The compiler's marker of an object that uses floating point (x86 adds a "_").
  if(name MATCHES "^_?_fltused$")
    continue()
  endif()
  # The interface is C++ throughout: a name without C++ decoration is something else
  # the object needs (a runtime helper), which the executable does not export.
  if(NOT name MATCHES "^\\?")
    message(FATAL_ERROR "${OBJECT} needs '${name}', which is no operation of the interface")
  endif()
  list(APPEND names "${name}")
endforeach()
list(REMOVE_DUPLICATES names)
list(SORT names)
list(LENGTH names count)
if(count EQUAL 0)
  message(FATAL_ERROR "${OBJECT} names no operation of the interface")
endif()
string(REPLACE ";" "\n  " exports "${names}")
# Written only when it changes, so that an unchanged interface relinks nothing.
file(WRITE ${DEF}.new "LIBRARY Orbiter.exe\nEXPORTS\n  ${exports}\n")
file(COPY_FILE ${DEF}.new ${DEF} ONLY_IF_DIFFERENT)
file(REMOVE ${DEF}.new)
