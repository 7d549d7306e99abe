# The drawn Moon's maps (NASA's CGI Moon Kit), compiled into orvanel_render as the
# Qt resources ":/moon/albedo.jpg" and ":/moon/elevation.jpg", so the program needs
# no data folder at run time. The albedo map is the verified 4k mosaic at the half
# size the drawing uses, made at build time (tools/gen_moon_albedo.cpp); a missing,
# changed or malformed mosaic stops the build with a message naming it.
orvanel_data_file(MOON_ALBEDO_MOSAIC "moon/lroc_color_poles_4k.jpg")
orvanel_data_file(MOON_ELEVATION_MAP "moon/ldem_3_8bit.jpg")

add_executable(gen_moon_albedo ${CMAKE_SOURCE_DIR}/tools/gen_moon_albedo.cpp)
target_link_libraries(gen_moon_albedo PRIVATE JPEG::JPEG)
set_target_properties(gen_moon_albedo PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tools
                      AUTOMOC OFF AUTORCC OFF)

set(MOON_ALBEDO_MAP "${ORVANEL_GEN_DIR}/moon/albedo_2k.jpg")
add_custom_command(
  OUTPUT ${MOON_ALBEDO_MAP}
  COMMAND ${CMAKE_COMMAND} -E make_directory "${ORVANEL_GEN_DIR}/moon"
  COMMAND gen_moon_albedo ${MOON_ALBEDO_MOSAIC} ${MOON_ALBEDO_MAP}
  DEPENDS gen_moon_albedo ${MOON_ALBEDO_MOSAIC}
  COMMENT "Halving the Moon's albedo mosaic ${MOON_ALBEDO_MOSAIC}"
  VERBATIM)

set_source_files_properties("${MOON_ALBEDO_MAP}" PROPERTIES QT_RESOURCE_ALIAS albedo.jpg GENERATED TRUE)
set_source_files_properties("${MOON_ELEVATION_MAP}" PROPERTIES QT_RESOURCE_ALIAS elevation.jpg)
qt_add_resources(orvanel_render moon_maps PREFIX /moon BIG_RESOURCES
                 FILES "${MOON_ALBEDO_MAP}" "${MOON_ELEVATION_MAP}")
# The drawn Moon's rows are shared over the cores by a pool of its own.
target_link_libraries(orvanel_render PRIVATE Qt6::Concurrent)
# The drawn Moon's pixel loops: no errno from sqrt and no trapping floating point,
# so that the loops over a row's pixels run on vector registers.
set_source_files_properties("${CMAKE_CURRENT_SOURCE_DIR}/drawn_moon_row.cpp" PROPERTIES COMPILE_OPTIONS "-O3;-fno-math-errno;-fno-trapping-math")
