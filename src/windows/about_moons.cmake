# The About window's Moon pictures: drawn from NASA's 2024 table at build time, encoded
# as JPEG and compiled into orvanel_windows as Qt resources (":/JPG/moon6268" ...).
orvanel_data_file(ABOUT_MOONS_TABLE "nasa/mooninfo_2024.txt")

add_executable(gen_about_moons "${CMAKE_SOURCE_DIR}/tools/gen_about_moons.cpp")
target_link_libraries(gen_about_moons PRIVATE JPEG::JPEG)
set_target_properties(gen_about_moons PROPERTIES AUTOMOC OFF AUTORCC OFF AUTOUIC OFF)

set(ABOUT_MOONS_QRC "${ORVANEL_GEN_DIR}/about_moons.qrc")
set(ABOUT_MOONS_JPEGS "")
foreach(i RANGE 0 26)
  math(EXPR frame "6268 + 24 * ${i}")
  list(APPEND ABOUT_MOONS_JPEGS "${ORVANEL_GEN_DIR}/about_moons/moon${frame}.jpg")
endforeach()

add_custom_command(
  OUTPUT "${ABOUT_MOONS_QRC}" ${ABOUT_MOONS_JPEGS}
  COMMAND gen_about_moons "${ABOUT_MOONS_TABLE}" "${ORVANEL_GEN_DIR}"
  DEPENDS gen_about_moons "${ABOUT_MOONS_TABLE}"
  COMMENT "Drawing the About window's Moon pictures"
  VERBATIM)
target_sources(orvanel_windows PRIVATE "${ABOUT_MOONS_QRC}")
