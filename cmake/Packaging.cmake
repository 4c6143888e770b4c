# Install rules and the Debian package (CPack).
#   cmake --install <build> --prefix /usr        programs, desktop entry, icon, README
#   cpack --config <build>/CPackConfig.cmake -G DEB
include(GNUInstallDirs)

foreach(program duvanet duvanet-cli)
  if(TARGET ${program})
    install(TARGETS ${program} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT Runtime)
  endif()
endforeach()

# The desktop entry, the FASTA file type for desktops that do not know it, and the icon.
if(TARGET duvanet)
  install(FILES ${CMAKE_SOURCE_DIR}/data/duvanet.desktop
    DESTINATION ${CMAKE_INSTALL_DATADIR}/applications COMPONENT Runtime)
  install(FILES ${CMAKE_SOURCE_DIR}/data/duvanet-fasta.xml
    DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages COMPONENT Runtime)
  install(FILES ${CMAKE_SOURCE_DIR}/data/duvanet.svg
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps COMPONENT Runtime)
endif()

install(FILES ${CMAKE_SOURCE_DIR}/README.md DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/duvanet COMPONENT Runtime)
if(EXISTS ${CMAKE_SOURCE_DIR}/examples)
  install(DIRECTORY ${CMAKE_SOURCE_DIR}/examples/ DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/duvanet/examples
    COMPONENT Runtime)
endif()

# The Debian package. dpkg-shlibdeps names the libraries the programs link (the Qt 6 runtime
# packages among them, which also hold the platform, image-format and SVG icon plugins the
# programs load); without it the Qt packages are named here.
set(CPACK_PACKAGE_NAME duvanet)
set(CPACK_PACKAGE_VENDOR "Duvanet")
set(CPACK_PACKAGE_CONTACT "Duvanet developers <duvanet@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_PACKAGE_DESCRIPTION
  "Duvanet compares two sequences (DNA, protein or any text) in a dot plot, translates DNA,\n\
builds reverse complements, counts symbols and prepares BLAST queries. The package holds the\n\
desktop program duvanet and the command-line tool duvanet-cli.")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.${PROJECT_VERSION_PATCH})
set(CPACK_PACKAGE_HOMEPAGE_URL "${DUVANET_HOMEPAGE}")
set(CPACK_RESOURCE_FILE_README ${CMAKE_SOURCE_DIR}/README.md)
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
find_program(DUVANET_DPKG_SHLIBDEPS dpkg-shlibdeps)
if(DUVANET_DPKG_SHLIBDEPS)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
else()
  set(CPACK_DEBIAN_PACKAGE_DEPENDS
  "libqt6core6 (>= 6.4), libqt6gui6 (>= 6.4), libqt6widgets6 (>= 6.4), libqt6charts6 (>= 6.4), \
libqt6printsupport6 (>= 6.4), libqt6svg6 (>= 6.4), libstdc++6 (>= 12)")
endif()
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "adwaita-icon-theme, qt6-image-formats-plugins, qt6-qpa-plugins")
include(CPack)
