# `cpack -G DEB` in the build folder makes a Debian package of what `cmake --install` installs.

set(KELVANE_PACKAGE_MAINTAINER "Kelvane developers <kelvane@example.org>"
    CACHE STRING "Maintainer field of the Debian package: name <address>")

set(CPACK_PACKAGE_NAME kelvane)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Kelvane developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Editor for Commodore 64 hardware sprites")
set(CPACK_PACKAGE_DESCRIPTION
    "Kelvane edits the hardware sprites of a Commodore 64 sprite bank (.spr files).")
set(CPACK_PACKAGE_CONTACT ${KELVANE_PACKAGE_MAINTAINER})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${KELVANE_PACKAGE_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# dpkg-shlibdeps finds the Qt and C++ libraries the program links; the platform plugins are
# loaded at run time, so they are named here.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "desktop-file-utils, shared-mime-info, hicolor-icon-theme")

include(CPack)
