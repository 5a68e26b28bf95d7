# `cpack -G DEB` in the build folder makes a Debian package of what `cmake --install` installs.

set(KELVANE_PACKAGE_MAINTAINER "Kelvane developers <kelvane@example.org>"
    CACHE STRING "Maintainer field of the Debian package: name <address>")

set(CPACK_PACKAGE_NAME kelvane)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Kelvane developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Editor for Commodore 64 hardware sprites")
# The extended description, as in the software-centre metadata; CPack indents the lines and marks
# the empty one as Debian's format wants. No line may start with a dot: Debian reads it as markup.
string(CONCAT CPACK_PACKAGE_DESCRIPTION
       "Kelvane is a pixel editor for the hardware sprites of the Commodore 64: the\n"
       "24 x 21 pixel images the VIC-II chip draws over the screen. It keeps a bank\n"
       "of 256 sprites, each hi-res or multi-colour, with a page drawing a sprite\n"
       "cell by cell, a page showing the bank at a glance, and an animator.\n"
       "\n"
       "It opens and saves .spr banks with their .inf colour sidecar,\n"
       "SpritePad .spd files, PRG chunks and raw data, and exports sprites as\n"
       "assembler source for the common C64 assemblers, C, BASIC and PNG. The\n"
       "kelvane-convert command does the same conversions in build scripts.")
set(CPACK_PACKAGE_CONTACT ${KELVANE_PACKAGE_MAINTAINER})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${KELVANE_PACKAGE_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://github.com/kelvane/kelvane)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# dpkg-shlibdeps finds the Qt and C++ libraries the program links; the platform plugins are
# loaded at run time, so they are named here.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "desktop-file-utils, shared-mime-info, hicolor-icon-theme")

include(CPack)
