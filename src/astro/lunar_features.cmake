# The gazetteer of the Moon's named features, compiled in from ORVANEL_DATA_DIR/moon.
# The generator checks the file and stops the build with "file:line: message".
orvanel_data_file(LUNAR_FEATURES_DATA "moon/lunar_features.csv")
set(LUNAR_FEATURES_OUTPUT ${ORVANEL_GEN_DIR}/lunar_features_table.cpp)

add_executable(gen_lunar_features ${CMAKE_SOURCE_DIR}/tools/gen_lunar_features.cpp)
set_target_properties(gen_lunar_features PROPERTIES AUTOMOC OFF AUTORCC OFF)
target_link_libraries(gen_lunar_features PRIVATE ZLIB::ZLIB)
add_custom_command(
  OUTPUT ${LUNAR_FEATURES_OUTPUT}
  COMMAND gen_lunar_features ${LUNAR_FEATURES_OUTPUT} ${LUNAR_FEATURES_DATA}
  DEPENDS gen_lunar_features ${LUNAR_FEATURES_DATA}
  COMMENT "Generating the gazetteer of lunar features from ${ORVANEL_DATA_DIR}/moon"
  VERBATIM)
target_sources(orvanel_astro PRIVATE ${LUNAR_FEATURES_OUTPUT})
