cmake_minimum_required(VERSION 3.25)
# Each call of the interface's list (sdk/interface_calls.inc) is named in at most three
# product files: its declaration, its row and the host's implementation. All that passes
# a call on (the host's tables, the stand-in Orbiter.exe's exports, the decorated names)
# is made from the list. Not counted are the interface's callers (the engine, the
# modules, the module frame, the sound connector, the stand-in sound library) and what
# ships in no product (tests, benchmarks, fuzz targets, documents, sample scenarios).
# Run with -DSOURCE_DIR=<project root>; fails naming each call named more often, and where.
set(most 3)
set(left_out vehicle modules frame sound soundlib tests bench fuzz docs scenarios)

file(STRINGS ${SOURCE_DIR}/sdk/interface_calls.inc rows
     REGEX "^[A-Z][A-Z0-9_]*\\([^,]+, [A-Za-z_][A-Za-z0-9_]*")
set(calls "")
foreach(row IN LISTS rows)
  string(REGEX REPLACE "^[A-Z0-9_]+\\([^,]+, ([A-Za-z0-9_]+).*" "\\1" name "${row}")
  list(APPEND calls ${name})
endforeach()
list(REMOVE_DUPLICATES calls)
list(LENGTH calls call_count)
if(call_count EQUAL 0)
  message(FATAL_ERROR "sdk/interface_calls.inc: no rows found")
endif()

# The product's files: the top folders not left out (nor build folders, nor hidden ones)
# and the project's own CMake files at the top.
file(GLOB folders LIST_DIRECTORIES true RELATIVE ${SOURCE_DIR} ${SOURCE_DIR}/*)
set(files ${SOURCE_DIR}/CMakeLists.txt ${SOURCE_DIR}/CMakePresets.json)
foreach(folder IN LISTS folders)
  if(NOT IS_DIRECTORY ${SOURCE_DIR}/${folder} OR folder IN_LIST left_out
     OR folder MATCHES "^(\\.|build|out$|dist$)")
    continue()
  endif()
  file(GLOB_RECURSE found ${SOURCE_DIR}/${folder}/*)
  list(FILTER found EXCLUDE REGEX "/node_modules/")
  list(APPEND files ${found})
endforeach()

# Each file is read once, for the lines that name any call; those lines say which.
list(JOIN calls "|" any_call)
set(word_before "(^|[^A-Za-z0-9_])")
set(word_after "([^A-Za-z0-9_]|$)")
foreach(file IN LISTS files)
  file(STRINGS ${file} lines REGEX "${word_before}(${any_call})${word_after}")
  foreach(line IN LISTS lines)
    string(REGEX MATCHALL "[A-Za-z0-9_]+" words "${line}")
    foreach(word IN LISTS words)
      if(word IN_LIST calls)
        list(APPEND files_of_${word} ${file})
      endif()
    endforeach()
  endforeach()
endforeach()

set(faults "")
foreach(call IN LISTS calls)
  list(REMOVE_DUPLICATES files_of_${call})
  list(LENGTH files_of_${call} count)
  if(count GREATER most)
    set(names "")
    foreach(file IN LISTS files_of_${call})
      file(RELATIVE_PATH name ${SOURCE_DIR} ${file})
      list(APPEND names ${name})
    endforeach()
    list(JOIN names ", " names)
    string(APPEND faults "\n  ${call}: ${count} files (${names})")
  endif()
endforeach()
if(faults)
  message(FATAL_ERROR "Interface calls named in more than ${most} product files:${faults}")
endif()
message(STATUS "${call_count} interface calls, each named in at most ${most} product files")
