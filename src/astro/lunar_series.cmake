# LunarSeriesTable: generated from the truncated ELP 2000-85 series in the data
# folder; a missing or malformed file stops the build with "file:line: message".
orvanel_data_file(ORVANEL_ELP_CSV "astro/elp2000_85_truncated.csv")

add_executable(gen_lunar_series ${CMAKE_SOURCE_DIR}/tools/gen_lunar_series.cpp)
target_include_directories(gen_lunar_series PRIVATE ${CMAKE_SOURCE_DIR}/src)
set_target_properties(gen_lunar_series PROPERTIES AUTOMOC OFF AUTORCC OFF)

set(ORVANEL_LUNAR_SERIES_CPP "${ORVANEL_GEN_DIR}/lunar_series_table.cpp")
set(ORVANEL_LUNAR_ROTATIONS_H "${ORVANEL_GEN_DIR}/lunar_series_rotations.h")
add_custom_command(
  OUTPUT ${ORVANEL_LUNAR_SERIES_CPP} ${ORVANEL_LUNAR_ROTATIONS_H}
  COMMAND gen_lunar_series ${ORVANEL_ELP_CSV} ${ORVANEL_LUNAR_SERIES_CPP} ${ORVANEL_LUNAR_ROTATIONS_H}
  DEPENDS gen_lunar_series ${ORVANEL_ELP_CSV}
  COMMENT "Generating the lunar series table from ${ORVANEL_ELP_CSV}"
  VERBATIM)
target_sources(orvanel_astro PRIVATE ${ORVANEL_LUNAR_SERIES_CPP} ${ORVANEL_LUNAR_ROTATIONS_H})
