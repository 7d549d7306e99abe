# The engine's constant series (nutation, Meeus's lunar tables, the phase
# corrections) are compiled in from ORVANEL_DATA_DIR/astro at build time. The
# generator checks every file and stops the build with "file:line: message".
set(ASTRO_TABLE_DATA "")
foreach(name IN ITEMS nutation_iau1980 nutation_iau2000a meeus_47a meeus_47b meeus_49_additional)
  orvanel_data_file(file "astro/${name}.csv")
  list(APPEND ASTRO_TABLE_DATA "${file}")
endforeach()
set(ASTRO_TABLE_OUTPUTS ${ORVANEL_GEN_DIR}/astro_tables.h ${ORVANEL_GEN_DIR}/astro_tables.cpp)

add_executable(gen_astro_tables ${CMAKE_SOURCE_DIR}/tools/gen_astro_tables.cpp)
set_target_properties(gen_astro_tables PROPERTIES AUTOMOC OFF AUTORCC OFF)
add_custom_command(
  OUTPUT ${ASTRO_TABLE_OUTPUTS}
  COMMAND gen_astro_tables ${ASTRO_TABLE_OUTPUTS} ${ASTRO_TABLE_DATA}
  DEPENDS gen_astro_tables ${ASTRO_TABLE_DATA}
  COMMENT "Generating the astronomy series tables from ${ORVANEL_DATA_DIR}/astro"
  VERBATIM)
target_sources(orvanel_astro PRIVATE ${ASTRO_TABLE_OUTPUTS})
