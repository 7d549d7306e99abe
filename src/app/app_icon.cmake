# The window's icon, the same drawing the desktop shows: ":/icons/orvanel.svg".
qt_add_resources(orvanel_app orvanel_icon
  PREFIX /icons
  BASE ${CMAKE_SOURCE_DIR}/dist
  FILES ${CMAKE_SOURCE_DIR}/dist/orvanel.svg)
