# Vessel modules are linked from objects compiled once: the sound connector and the
# sound set-up for every module, the engine and the module entry once per module record
# (the module's include folder fixes its record, tables and hooks at compile time).
# The real module and every test, probe or benchmark variant of it link those objects
# plus their own small files. Only the module's exports are visible.

# The connector knows no record: one set of objects for all modules.
add_library(vessel_sound OBJECT ${CMAKE_SOURCE_DIR}/sound/sound_connector.cpp
            ${CMAKE_SOURCE_DIR}/sound/vehicle_sounds.cpp)
target_link_libraries(vessel_sound PRIVATE source_tree)
target_link_libraries(vessel_sound PRIVATE platform_kernel_headers platform_plugin)
# The step's small functions inlined into the vehicle's step callback: its cost then stays
# close to that of the host calls it makes.
set_target_properties(vessel_sound PROPERTIES INTERPROCEDURAL_OPTIMIZATION TRUE)

# vessel_engine_objects(<module folder> <out target>)
# The engine and entry compiled against the module in modules/<name>, made on first use.
function(vessel_engine_objects module_dir out)
  get_filename_component(record ${module_dir} NAME)
  set(target vessel_engine_${record})
  set(${out} ${target} PARENT_SCOPE)
  if(TARGET ${target})
    return()
  endif()
  set(sources camera class_caps drive_model engine keys mechanisms post_step rig surface_vehicle)
  list(TRANSFORM sources PREPEND ${CMAKE_SOURCE_DIR}/vehicle/)
  list(TRANSFORM sources APPEND .cpp)
  add_library(${target} OBJECT ${CMAKE_SOURCE_DIR}/frame/module_entry.cpp ${sources})
  target_link_libraries(${target} PRIVATE source_tree)
  # The module's own folder: its description "module.h" and its "vehicle_record.inc".
  target_include_directories(${target} PUBLIC ${CMAKE_SOURCE_DIR}/${module_dir})
  target_link_libraries(${target} PRIVATE platform_kernel_headers platform_plugin)
  set_target_properties(${target} PROPERTIES INTERPROCEDURAL_OPTIMIZATION TRUE)
endfunction()

# add_vessel_module(<target> MODULE_DIR <modules/name> OUTPUT_NAME <CLASS>
#                   [OUTPUT_DIRECTORY <dir>] [EXTRA_SOURCES <files>...])
# One vessel module, the library file <CLASS> with the platform's suffix, in <dir>
# (the simulator root's Modules/ by default): the record's engine objects, the sound
# objects and the extra sources.
function(add_vessel_module target)
  cmake_parse_arguments(ARG "" "MODULE_DIR;OUTPUT_NAME;OUTPUT_DIRECTORY" "EXTRA_SOURCES" ${ARGN})
  if(NOT ARG_OUTPUT_DIRECTORY)
    set(ARG_OUTPUT_DIRECTORY ${SIM_ROOT}/Modules)
  endif()
  vessel_engine_objects(${ARG_MODULE_DIR} engine)
  add_library(${target} SHARED $<TARGET_OBJECTS:${engine}> $<TARGET_OBJECTS:vessel_sound>
              ${ARG_EXTRA_SOURCES})
  target_link_libraries(${target} PRIVATE source_tree)
  # The extra sources see what the engine's sources see.
  target_include_directories(${target} PRIVATE
                             $<TARGET_PROPERTY:${engine},INTERFACE_INCLUDE_DIRECTORIES>)
  target_link_libraries(${target} PRIVATE platform_simulator platform_kernel platform_plugin)
  set_target_properties(${target} PROPERTIES INTERPROCEDURAL_OPTIMIZATION TRUE)
  # A DLL is a runtime file on Windows, a library file elsewhere: both go to the folder.
  # Its import library (Windows) stays in the build, apart from other builds of a class.
  set_target_properties(${target} PROPERTIES
    PREFIX "" OUTPUT_NAME ${ARG_OUTPUT_NAME}
    LIBRARY_OUTPUT_DIRECTORY ${ARG_OUTPUT_DIRECTORY}
    RUNTIME_OUTPUT_DIRECTORY ${ARG_OUTPUT_DIRECTORY}
    ARCHIVE_OUTPUT_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}/${target})
endfunction()

# vessel_rig_layouts(): the static library `vessel_rig_layouts` (tests/support/rig_layout.*)
# for tests and fuzz targets: where each shipped class's moving parts are among its
# animations. A program built against each module's page prints its row at build time
# (through the emulator when cross-building), so the layout is the rig table's own.
function(vessel_rig_layouts)
  if(TARGET vessel_rig_layouts)
    return()
  endif()
  set(out_dir ${CMAKE_BINARY_DIR}/rig_layouts)
  get_property(shipped GLOBAL PROPERTY SHIPPED_MODULES)
  set(rows)
  while(shipped)
    list(POP_FRONT shipped folder class)
    set(dump rig_layout_dump_${folder})
    add_executable(${dump} ${CMAKE_SOURCE_DIR}/tests/support/rig_layout_dump.cpp)
    target_link_libraries(${dump} PRIVATE source_tree)
    target_include_directories(${dump} PRIVATE ${CMAKE_SOURCE_DIR}/modules/${folder})
    target_link_libraries(${dump} PRIVATE platform_kernel_headers)
    target_compile_definitions(${dump} PRIVATE CLASS_NAME="${class}")
    add_custom_command(OUTPUT ${out_dir}/${folder}.inc
                       COMMAND ${dump} > ${out_dir}/${folder}.inc
                       DEPENDS ${dump} VERBATIM)
    list(APPEND rows ${out_dir}/${folder}.inc)
  endwhile()
  add_custom_command(OUTPUT ${out_dir}/rig_layouts.inc
                     COMMAND ${CMAKE_COMMAND} -E cat ${rows} > ${out_dir}/rig_layouts.inc
                     DEPENDS ${rows} VERBATIM)
  add_library(vessel_rig_layouts STATIC ${CMAKE_SOURCE_DIR}/tests/support/rig_layout.cpp
              ${out_dir}/rig_layouts.inc)
  target_link_libraries(vessel_rig_layouts PRIVATE source_tree)
  target_include_directories(vessel_rig_layouts PRIVATE ${out_dir})
endfunction()
