# NASA's hourly tables: generated at build time from the yearly text files in
# ORVANEL_DATA_DIR/nasa; a missing or malformed file stops the build with file:line.
# NASA's published years, in order; a new year is its file here and in data/.
set(NASA_MOONINFO_FILES "")
foreach(year IN ITEMS 2024 2025 2026)
  orvanel_data_file(file "nasa/mooninfo_${year}.txt")
  list(APPEND NASA_MOONINFO_FILES "${file}")
endforeach()
set(NASA_TABLES_SOURCE "${ORVANEL_GEN_DIR}/nasa_tables_data.cpp")

add_executable(gen_nasa_tables ${CMAKE_SOURCE_DIR}/tools/gen_nasa_tables.cpp)
set_target_properties(gen_nasa_tables PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tools AUTOMOC OFF)
target_link_libraries(gen_nasa_tables PRIVATE ZLIB::ZLIB)

add_custom_command(
  OUTPUT ${NASA_TABLES_SOURCE}
  COMMAND gen_nasa_tables ${NASA_TABLES_SOURCE} ${NASA_MOONINFO_FILES}
  DEPENDS gen_nasa_tables ${NASA_MOONINFO_FILES}
  COMMENT "Generating NASA's hourly tables from ${ORVANEL_DATA_DIR}/nasa"
  VERBATIM)
target_sources(orvanel_nasa PRIVATE ${NASA_TABLES_SOURCE})
