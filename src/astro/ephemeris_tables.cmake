# The Moon ephemeris's constant series (VSOP87B Earth, the IAU Moon rotation) are
# compiled in from ORVANEL_DATA_DIR/astro at build time. The generator checks every
# file and stops the build with "file:line: message".
set(EPHEMERIS_TABLE_DATA "")
foreach(name IN ITEMS vsop87b_earth iau_moon_rotation)
  orvanel_data_file(file "astro/${name}.csv")
  list(APPEND EPHEMERIS_TABLE_DATA "${file}")
endforeach()
set(EPHEMERIS_TABLE_OUTPUTS ${ORVANEL_GEN_DIR}/ephemeris_tables.h ${ORVANEL_GEN_DIR}/ephemeris_tables.cpp)

add_executable(gen_ephemeris_tables ${CMAKE_SOURCE_DIR}/tools/gen_ephemeris_tables.cpp)
set_target_properties(gen_ephemeris_tables PROPERTIES AUTOMOC OFF AUTORCC OFF)
add_custom_command(
  OUTPUT ${EPHEMERIS_TABLE_OUTPUTS}
  COMMAND gen_ephemeris_tables ${EPHEMERIS_TABLE_OUTPUTS} ${EPHEMERIS_TABLE_DATA}
  DEPENDS gen_ephemeris_tables ${EPHEMERIS_TABLE_DATA}
  COMMENT "Generating the ephemeris series tables from ${ORVANEL_DATA_DIR}/astro"
  VERBATIM)
target_sources(orvanel_astro PRIVATE ${EPHEMERIS_TABLE_OUTPUTS})
