# Installation layout and the Debian package.
#
#   bin/tamso, bin/tamso-cli
#   share/applications/tamso.desktop, share/icons/hicolor/scalable/apps/tamso.svg
#   share/man/man1/tamso.1.gz, tamso-cli.1.gz
#   share/tamso/examples/...        (the programs find it relative to their own folder)
#   share/doc/tamso/README.md, LICENSE, copyright
#
# `cpack -G DEB` in the build folder writes tamso_<version>_<arch>.deb; its dependencies come
# from the shared libraries the programs link (dpkg-shlibdeps).

set(TAMSO_PACKAGING_DIR ${PROJECT_SOURCE_DIR}/packaging)

if(TARGET tamso-cli)
  install(TARGETS tamso-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()
if(TARGET tamso)
  install(TARGETS tamso RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  install(FILES ${TAMSO_PACKAGING_DIR}/tamso.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${TAMSO_PACKAGING_DIR}/tamso.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
endif()

# Man pages, compressed as Debian keeps them (-n: no time stamp, so the package is reproducible).
set(tamso_man_pages)
foreach(page tamso.1 tamso-cli.1)
  set(compressed ${PROJECT_BINARY_DIR}/packaging/${page}.gz)
  add_custom_command(OUTPUT ${compressed}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/packaging
    COMMAND gzip -9nc ${TAMSO_PACKAGING_DIR}/${page} > ${compressed}
    DEPENDS ${TAMSO_PACKAGING_DIR}/${page}
    VERBATIM)
  list(APPEND tamso_man_pages ${compressed})
endforeach()
add_custom_target(man_pages ALL DEPENDS ${tamso_man_pages})
install(FILES ${tamso_man_pages} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

install(DIRECTORY ${PROJECT_SOURCE_DIR}/examples/ DESTINATION ${TAMSO_EXAMPLES_INSTALL_DIR})
set(tamso_doc_dir ${CMAKE_INSTALL_DATADIR}/doc/tamso)
install(FILES ${PROJECT_SOURCE_DIR}/README.md ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION ${tamso_doc_dir})
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION ${tamso_doc_dir} RENAME copyright)

set(CPACK_PACKAGE_NAME tamso)
set(CPACK_PACKAGE_VENDOR "The Tamso developers")
set(CPACK_PACKAGE_CONTACT "The Tamso developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "route planner for a road-freight fleet")
set(CPACK_PACKAGE_DESCRIPTION "Tamso plans the routes of a road-freight fleet: transport orders with
fuzzy pickup and delivery windows, vehicles with fuzzy start times, places
grouped into regions and countries with their costs. It plans by local search
and by genetic algorithms and shows the routes over a calibrated map.
The package holds the windowed planner tamso, the command-line planner
tamso-cli, their manual pages and examples with a map of Europe.")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS OFF)
include(CPack)
