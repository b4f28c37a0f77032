# The Debian package, made by CPack from the install rules of
# SelmarindInstall.cmake: scripts/package builds it as
# build/release/packages/selmarind_<version>_<arch>.deb.
#
# Included from the root CMakeLists.txt after SelmarindInstall.cmake.

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME selmarind)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Selmarind developers")
set(CPACK_PACKAGE_CONTACT "Selmarind developers <packaging@selmarind.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Vedic astrology calculator for sidereal birth charts")
set(CPACK_PACKAGE_DIRECTORY ${PROJECT_BINARY_DIR}/packages)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
# Every file of the package comes from the install rules; cpack itself does
# not build the whole tree (tests, benchmarks) first. scripts/package builds
# what is installed.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)

# selmarind_1.25_amd64.deb: version from project(), no Debian revision.
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Selmarind developers <packaging@selmarind.org>")
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://www.selmarind.org/)
# The libraries the programs link come from dpkg-shlibdeps. Beside them:
# tzdata and swe-basic-data are data read at run time, and Qt's window
# system plugins are loaded at run time (libqt6gui6 only recommends them),
# without which the desktop program cannot open a window.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "tzdata, swe-basic-data, qt6-qpa-plugins")
# The synopsis is CPACK_PACKAGE_DESCRIPTION_SUMMARY; this is the rest.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Selmarind computes one person's sidereal birth chart from the date, time
and place of birth: the ascendant, the Sun, the Moon, five planets and the
lunar nodes, with retrograde planets marked, drawn as a South Indian square.
It finds the Torvi Lagna, the sign occupied by the lord of the ascendant's
sign, the arudha of every house and the sunrise-based special points, and
describes the Torvi Lagna's sign.
.
The package holds the desktop program, selmarind, and the command-line
tool selmarind-chart, which gives the same chart as a report or as JSON,
for one birth or a whole CSV file.")

# A source archive is not made by CPack: the git repository is the source.
set(CPACK_SOURCE_GENERATOR "")
set(CPACK_SOURCE_IGNORE_FILES "/build/;/\\\\.git/")

include(CPack)
