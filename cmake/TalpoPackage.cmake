# The Debian package of what packaging/CMakeLists.txt installs: talpo_<version>_amd64.deb, its version the
# project's, its library dependencies found by dpkg-shlibdeps. `make package` writes it into build/package/.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME talpo)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "TALPO Project")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
# The programs go in without their debugging information.
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${TALPO_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${TALPO_HOMEPAGE})
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The windows and the printed cards name Japanese fonts that only a substitution finds (src/paper/Fonts.cpp);
# without one of these every Japanese text would be drawn as empty boxes.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-ipafont-gothic | fonts-vlgothic | fonts-takao-gothic")
# Qt's own texts (file dialog, box buttons) in Japanese; without it they are English and all else works.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "horse racing prediction: marks and bets for a day of races")
# Lines of at most 80 characters, as Debian's tools show them.
set(CPACK_PACKAGE_DESCRIPTION "\
TALPO reads a day of Japanese horse racing data (an LZH archive of a
race-card file and a horse file), computes an index for every runner,
gives the marks and picks the win, place and pair bets of every race.
The window program talpo shows the day race by race and writes the bets
as a detailed report, an RDX bet file and a VOTA bet file, and prints the
day's race cards or saves them as PDF; talpo-cli does the same from a
terminal.")

include(CPack)
