# The Debian package: cpack -G DEB in the build directory writes
# helmira-geometric-calculator_<version>_<arch>.deb from the install rules.

set(CPACK_PACKAGE_NAME "helmira-geometric-calculator")
set(CPACK_PACKAGE_VENDOR "Helmira Solutions")
set(CPACK_PACKAGE_VERSION "${HELMIRA_DISPLAY_VERSION}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_PACKAGE_HOMEPAGE_URL "${PROJECT_HOMEPAGE_URL}")
set(CPACK_RESOURCE_FILE_LICENSE "${PROJECT_SOURCE_DIR}/LICENSE")
set(CPACK_PACKAGING_INSTALL_PREFIX "/usr")
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR "DEB")

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# A name and an address, as Debian's policy wants the field.
set(HELMIRA_PACKAGE_MAINTAINER "Helmira Solutions <packages@helmira.example>"
    CACHE STRING "Maintainer field of the Debian package: Name <address>")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${HELMIRA_PACKAGE_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION "math")
# Below the summary line, which comes from CPACK_PACKAGE_DESCRIPTION_SUMMARY; the lines stay
# within the 80 columns Debian allows, the leading blank of each included.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "A desktop calculator for the areas of the triangle, circle and ellipse,
the surface areas of the sphere, cylinder and torus, and the volumes of the
sphere, pyramid, ellipsoid, cylinder, cone and torus, from whole-number
measurements.")
# The libraries come from dpkg-shlibdeps; the fonts the windows draw with are loaded by name.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation, fonts-dancingscript")
# Qt's Wayland platform, which the program runs on in a Wayland session (X11 otherwise).
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland")

include(CPack)
