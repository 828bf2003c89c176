# `make package`: a Debian package, made by CPack, of everything that
# `cmake --install` installs, with the Debian changelog beside the copyright.
set(tw_contact "The Tintwright developers <tintwright@example.org>")

configure_file(packaging/changelog.in changelog @ONLY)
add_custom_command(OUTPUT changelog.gz
  COMMAND ${GZIP} -9nkf changelog
  DEPENDS ${PROJECT_BINARY_DIR}/changelog
  VERBATIM)
add_custom_target(tw_changelog ALL DEPENDS changelog.gz)
install(FILES ${PROJECT_BINARY_DIR}/changelog.gz DESTINATION ${CMAKE_INSTALL_DOCDIR})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tintwright)
set(CPACK_PACKAGE_VENDOR "The Tintwright developers")
set(CPACK_PACKAGE_CONTACT ${tw_contact})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "colour-chart test drawings and a JWW library for Jw_cad")
set(CPACK_PACKAGE_DESCRIPTION
    "Tintwright writes a colour-chart test drawing for the 2-D CAD application
Jw_cad as a JWW file, from a window (tintwright) or the command line
(tintwright-cli), which also checks and dumps JWW drawings. The package
holds its C++ drawing library too: static libraries, headers, a CMake
package (find_package(Tintwright)) and a pkg-config file, and the Python
module tintwright over it.")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# What a C++ program built on the library needs as well.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "libicu-dev, zlib1g-dev")
if(TW_PYTHON)
  # The module is built for this Python; NumPy is used by lines_array.
  set(CPACK_DEBIAN_PACKAGE_DEPENDS ${TW_PYTHON_DEPENDS})
  string(APPEND CPACK_DEBIAN_PACKAGE_RECOMMENDS ", python3-numpy")
endif()
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
