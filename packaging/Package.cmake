# cpack in the build folder makes two Debian packages of what cmake --install installs: vesko3
# with the programs, and vesko3-demo-data (architecture all) with the demo data set.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vesko3)
set(CPACK_PACKAGE_VENDOR "The Vesko3 developers")
set(CPACK_PACKAGE_CONTACT "The Vesko3 developers <maintainers@vesko3.org>")
set(CPACK_PACKAGE_HOMEPAGE_URL "${VESKO3_HOMEPAGE}")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL vesko3 vesko3-demo-data)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION text)
# The files' owner in the package is root, whoever builds it.
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

# The first line of each description is its synopsis; an empty summary keeps CPack from
# putting the project's description above it a second time. CPack indents the further lines.
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "")
set(CPACK_DEBIAN_VESKO3_PACKAGE_NAME vesko3)
set(CPACK_COMPONENT_VESKO3_DESCRIPTION
    "${PROJECT_DESCRIPTION}\nFor every sutra of the four collections (장아함, 중아함, 잡아함, 증일아함) the\nreader shows the Korean translation and two classical Chinese editions side by\nside, searches up to 20 words at once and turns classical Chinese into the\nKorean readings of its characters. vesko3-tool works on the same data from the\ncommand line and makes a demonstration data set.")
# The libraries come from the executables themselves. Qt loads its window-system plugins at
# run time, which no library dependency names; the faces cover the scripture's characters,
# the Korean Qt texts caption the dialogs' buttons, and the two tables make the demo data set
# at a first start.
set(CPACK_DEBIAN_VESKO3_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_VESKO3_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-noto-cjk")
set(CPACK_DEBIAN_VESKO3_PACKAGE_RECOMMENDS "fonts-hanazono, qt6-translations-l10n, libhangul-data, unicode-data")
set(CPACK_DEBIAN_VESKO3_PACKAGE_SUGGESTS "vesko3-demo-data")

set(CPACK_DEBIAN_VESKO3-DEMO-DATA_PACKAGE_NAME vesko3-demo-data)
set(CPACK_DEBIAN_VESKO3-DEMO-DATA_PACKAGE_ARCHITECTURE all)
set(CPACK_DEBIAN_VESKO3-DEMO-DATA_PACKAGE_DEPENDS "")
set(CPACK_DEBIAN_VESKO3-DEMO-DATA_PACKAGE_ENHANCES "vesko3")
set(CPACK_COMPONENT_VESKO3-DEMO-DATA_DESCRIPTION
    "Demonstration data set for the Vesko3 scripture reader\nThe six data files of a demonstration data set at the scale of the four\ncollections, in /usr/share/vesko3/Data, where vesko3 and vesko3-tool look for\ntheir data: 2000 made-up sutras whose Chinese words and Korean readings come\nfrom libhangul's hanja table and whose variant characters come from the\nUnihan database. It holds no scripture text.")

include(CPack)
