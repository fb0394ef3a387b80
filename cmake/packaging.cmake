# Installation layout and the Debian package (cpack -G DEB from the build folder).
include(GNUInstallDirs)

# Both programs report the project's version.
foreach(program tarvex tarvex-cli)
  if(TARGET ${program})
    target_compile_definitions(${program} PRIVATE TARVEX_VERSION="${PROJECT_VERSION}")
    install(TARGETS ${program} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  endif()
endforeach()

# The service-search lists the programs copy into the user's data folder on first use, and the
# sample database, under share/tarvex (the programs look there when nothing sits beside them).
install(FILES ${TARVEX_SERVICE_SEARCH} DESTINATION ${CMAKE_INSTALL_DATADIR}/tarvex/hpd\ files)
install(FILES ${CMAKE_SOURCE_DIR}/resources/sample/sample.hpd
        DESTINATION ${CMAKE_INSTALL_DATADIR}/tarvex/sample)

# Desktop integration.
set(TARVEX_PACKAGING ${CMAKE_SOURCE_DIR}/packaging)
install(FILES ${TARVEX_PACKAGING}/tarvex.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${TARVEX_PACKAGING}/tarvex.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${TARVEX_PACKAGING}/com.norvane.tarvex.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${TARVEX_PACKAGING}/tarvex-mime.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages
        RENAME tarvex.xml)
install(FILES ${TARVEX_PACKAGING}/tarvex-cli.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${CMAKE_SOURCE_DIR}/README.md ${CMAKE_SOURCE_DIR}/LICENSE
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/tarvex)

set(CPACK_PACKAGE_NAME tarvex)
set(CPACK_PACKAGE_VENDOR Norvane)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Editor and programmer for Uniden HomePatrol scanners")
set(CPACK_PACKAGE_DESCRIPTION
    "Tarvex keeps the database of a Uniden HomePatrol-1 or HomePatrol-2 scanner: systems,\n"
    "sites, channels, talkgroups and unit IDs, edited in a browser tree and grids; it reads\n"
    "and writes the scanner's HPD files and the favorites lists on its memory card.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Norvane <tarvex@norvane.example.com>")
set(CPACK_DEBIAN_PACKAGE_SECTION hamradio)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://norvane.example.com/tarvex")
include(CPack)

if(TARVEX_WITH_TESTS)
  # Builds the package from this build and checks it from a scratch root.
  add_test(NAME package_deb
           COMMAND bash ${CMAKE_SOURCE_DIR}/scripts/test-package.sh ${CMAKE_BINARY_DIR})
  set_tests_properties(package_deb PROPERTIES TIMEOUT 600 RUN_SERIAL TRUE)
endif()
