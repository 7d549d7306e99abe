# The cities of the place search, compiled in from ORVANEL_DATA_DIR/places/cities.csv.
# The generator checks the file and stops the build with "file:line: message"; the
# table is packed text (city_table.h).
orvanel_data_file(CITY_TABLE_DATA "places/cities.csv")
set(CITY_TABLE_OUTPUT ${ORVANEL_GEN_DIR}/city_table_data.cpp)

add_executable(gen_city_table ${CMAKE_SOURCE_DIR}/tools/gen_city_table.cpp)
set_target_properties(gen_city_table PROPERTIES AUTOMOC OFF AUTORCC OFF)
target_link_libraries(gen_city_table PRIVATE ZLIB::ZLIB)
add_custom_command(
  OUTPUT ${CITY_TABLE_OUTPUT}
  COMMAND gen_city_table ${CITY_TABLE_OUTPUT} ${CITY_TABLE_DATA}
  DEPENDS gen_city_table ${CITY_TABLE_DATA}
  COMMENT "Generating the city table from ${CITY_TABLE_DATA}"
  VERBATIM)
target_sources(orvanel_core PRIVATE ${CITY_TABLE_OUTPUT})
