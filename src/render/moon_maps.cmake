# The drawn Moon's maps (NASA's CGI Moon Kit), compiled into orvanel_render as the
# Qt resources ":/moon/albedo.jpg" and ":/moon/elevation.jpg", so the program needs
# no data folder at run time. Big resources go straight into an object file.
orvanel_data_file(MOON_ALBEDO_MAP "moon/lroc_color_poles_4k.jpg")
orvanel_data_file(MOON_ELEVATION_MAP "moon/ldem_3_8bit.jpg")
set_source_files_properties("${MOON_ALBEDO_MAP}" PROPERTIES QT_RESOURCE_ALIAS albedo.jpg)
set_source_files_properties("${MOON_ELEVATION_MAP}" PROPERTIES QT_RESOURCE_ALIAS elevation.jpg)
qt_add_resources(orvanel_render moon_maps PREFIX /moon BIG_RESOURCES
                 FILES "${MOON_ALBEDO_MAP}" "${MOON_ELEVATION_MAP}")
# The drawn Moon's rows are shared over the cores by a pool of its own.
target_link_libraries(orvanel_render PRIVATE Qt6::Concurrent)
# The drawn Moon's pixel loops: no errno from sqrt and no trapping floating point,
# so that the loops over a row's pixels run on vector registers.
set_source_files_properties("${CMAKE_CURRENT_SOURCE_DIR}/drawn_moon_row.cpp" PROPERTIES COMPILE_OPTIONS "-O3;-fno-math-errno;-fno-trapping-math")
