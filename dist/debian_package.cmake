# `cpack -G DEB` in a build folder makes orvanel_VERSION_ARCH.deb: what `cmake --install`
# lays out, under /usr, with the dependencies dpkg-shlibdeps reads off the programs
# and libcurl's, which it cannot.
set(ORVANEL_MAINTAINER "Quenhalse <maintainers@users.noreply.c-seed-22075673.example>")

# Debian wants the package's own changelog and copyright, the changelog compressed
# reproducibly (no name or time stamp in the gzip header).
configure_file(debian/changelog.in debian/changelog @ONLY)
set(changelog_gz ${CMAKE_CURRENT_BINARY_DIR}/debian/changelog.gz)
add_custom_command(OUTPUT ${changelog_gz}
  COMMAND gzip -9nc ${CMAKE_CURRENT_BINARY_DIR}/debian/changelog > ${changelog_gz}
  DEPENDS ${CMAKE_CURRENT_BINARY_DIR}/debian/changelog VERBATIM)
add_custom_target(orvanel_debian_changelog ALL DEPENDS ${changelog_gz})
set(doc_dir ${CMAKE_INSTALL_DATADIR}/doc/orvanel)
install(FILES ${changelog_gz} debian/copyright DESTINATION ${doc_dir})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME orvanel)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR Quenhalse)
set(CPACK_PACKAGE_CONTACT "${ORVANEL_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Moon viewer for any hour from 1600 to 3999")
# Debian wants the lines of the description under 80 characters.
set(CPACK_PACKAGE_DESCRIPTION
    "Orvanel shows NASA's hourly Moon frames, or a Moon drawn from the LRO map
in other years, beside an altitude chart of the Moon for your place and a
data panel of phase, libration, rise and set. The command-line tool
orvanel-cli prints what the program computes.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES TRUE)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The programs open libcurl at their first download rather than link it, out of
# dpkg-shlibdeps's sight. 7.85.0 brought CURLOPT_PROTOCOLS_STR, the newest thing the
# downloader asks of it.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libcurl4 (>= 7.85.0)")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# Qt loads its SVG icon plug-in, not linked, for the scalable icon.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS libqt6svg6)
include(CPack)
