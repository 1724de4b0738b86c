# cpack in the build folder makes a Debian package of what cmake --install installs.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vesko3)
set(CPACK_PACKAGE_VENDOR "The Vesko3 developers")
set(CPACK_PACKAGE_CONTACT "The Vesko3 developers <maintainers@vesko3.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_PACKAGE_HOMEPAGE_URL "${VESKO3_HOMEPAGE}")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION text)
# CPack puts the summary above this text and indents each of its lines.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "For every sutra of the four collections (장아함, 중아함, 잡아함, 증일아함) the\nreader shows the Korean translation and two classical Chinese editions side by\nside, searches up to 20 words at once and turns classical Chinese into the\nKorean readings of its characters. vesko3-tool works on the same data from the\ncommand line and makes a demonstration data set.")
# The libraries come from the executables themselves. Qt loads its window-system plugins at
# run time, which no library dependency names; the faces cover the scripture's characters,
# the Korean Qt texts caption the dialogs' buttons.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-noto-cjk")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-hanazono, qt6-translations-l10n")

include(CPack)
