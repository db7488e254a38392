# Install rules and the Debian package.
#
#   PREFIX/bin/                 tracklore, tracklore-cli
#   PREFIX/lib/tracklore/       libMPEGDLL.so and PL_Ondine.so (private: no other program
#                               links the engine; the plug-in finds it by its $ORIGIN run
#                               path, the application its plug-ins at ../lib/tracklore),
#                               and tracklore-print, which tracklore-cli starts for `print`
#   PREFIX/share/               menu entry, icons, MIME type, AppStream data, manual pages,
#                               bash completion, changelog and copyright (dist/)
#
# Nothing installed refers to the source or build folder: the programs get no run path,
# the plug-in only $ORIGIN, and the application's pictures are drawn by its code.
include(GNUInstallDirs)

set(TRACKLORE_PLUGIN_INSTALL_DIR lib/tracklore)

install(TARGETS tracklore-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
if(TRACKLORE_BUILD_GUI)
    install(TARGETS tracklore RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
    install(TARGETS tracklore-print RUNTIME DESTINATION ${TRACKLORE_PLUGIN_INSTALL_DIR})
endif()
install(TARGETS MPEGDLL PL_Ondine LIBRARY DESTINATION ${TRACKLORE_PLUGIN_INSTALL_DIR})

# scripts/package.sh builds what the package holds and nothing more, then runs CPack; so
# installing must not first build every target (tests and benchmarks).
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tracklore)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR Corvane)
set(CPACK_PACKAGE_CONTACT "Corvane <tracklore@corvane.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "desktop catalogue of MP3 files")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://www.corvane.example/tracklore")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DIRECTORY ${PROJECT_BINARY_DIR}/package)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION sound)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# Depends comes from the libraries the binaries link (dpkg-shlibdeps); the engine beside the
# plug-in is the package's own.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS
    ${CPACK_PACKAGING_INSTALL_PREFIX}/${TRACKLORE_PLUGIN_INSTALL_DIR})
# libout123's output modules, without which the player plays nothing.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS mpg123)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# The long description; CPack puts the summary before it and indents its lines.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
"Tracklore scans hard disks, CDs, USB sticks and network shares and keeps one
record per MP3 file (volume label, path, size, date, tag texts, play length,
bit rate, sample rate) in a compressed catalogue file. The catalogue is shown
as a list, an artist/album/title tree and a search result; it can be searched
by field patterns or with a small expression language, sorted, edited,
merged, exported as CSV and printed. Files are played through a player
plug-in that finds each file by its volume label.

The package holds the Qt 6 desktop application, the command-line tool
tracklore-cli, and the player plug-in PL_Ondine with its MPEG engine.")
include(CPack)
