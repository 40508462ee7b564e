# The Debian package, made by CPack's DEB generator from an install of the
# build: `cpack -G DEB` in a release build (scripts/package).

# Files Debian wants in /usr/share/doc/tarvik: the copyright naming the code's
# and the data's licences, and the changelog, compressed as policy asks. The
# changelog's entry takes the version from project().
set(TARVIK_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/tarvik)
configure_file(${CMAKE_CURRENT_SOURCE_DIR}/packaging/changelog.in
               ${CMAKE_BINARY_DIR}/packaging/changelog @ONLY)
add_custom_command(
  OUTPUT ${CMAKE_BINARY_DIR}/packaging/changelog.gz
  COMMAND gzip -9nc ${CMAKE_BINARY_DIR}/packaging/changelog
          > ${CMAKE_BINARY_DIR}/packaging/changelog.gz
  DEPENDS ${CMAKE_BINARY_DIR}/packaging/changelog
  COMMENT "Compressing the package changelog")
add_custom_target(tarvik_changelog ALL DEPENDS ${CMAKE_BINARY_DIR}/packaging/changelog.gz)
install(FILES ${CMAKE_CURRENT_SOURCE_DIR}/packaging/copyright
              ${CMAKE_BINARY_DIR}/packaging/changelog.gz
        DESTINATION ${TARVIK_DOC_DIR})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tarvik)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Tarvik developers")
set(CPACK_PACKAGE_CONTACT "The Tarvik developers <tarvik@example.org>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)  # tarvik_<version>_<arch>.deb
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# Dependencies come from the libraries the programs link, and, for the
# Python package inside (built for Debian's Python 3.11), that Python. Its
# read_frame() needs pandas and its Dask path Dask: suggested, so that the
# programs alone do not pull them in.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
if(TARVIK_PYTHON_MODULE)
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "python3 (>= 3.11), python3 (<< 3.12)")
  set(CPACK_DEBIAN_PACKAGE_SUGGESTS "python3-pandas, python3-dask, python3-distributed")
endif()
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS OFF)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "decoder of METAR and SPECI aviation weather reports")
# CPack indents the long description and writes its empty line as " .".
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Tarvik turns aviation routine weather reports (METAR) and special reports
(SPECI), written in the WMO/ICAO code form with the North American remark
conventions, into labelled lines: wind, visibility, runway visual range,
weather, clouds, temperature, altimeter and some forty remark groups.

The package holds the desktop program (tarvik), the command-line decoder for
scripts and archives (tarvik-decode, writing listings, JSON Lines or CSV
tables), the Python package tarvik (reports as dicts and pandas frames, and
archives decoded on a Dask cluster) and a directory of reporting stations.")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
