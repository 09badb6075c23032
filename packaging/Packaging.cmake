# Installation under the usual FHS paths, and the Debian package built by scripts/package.
# Installing (and so packing) builds nothing by itself: scripts/package builds the three
# programs the package ships, not the tests and benchmarks.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)
# The programs find the shared files relative to their own folder (<prefix>/bin ->
# <prefix>/share/namkhao), so an unpacked package works wherever it lies.
install(TARGETS namkhao namkhao-db namkhao-menu RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${REPORT_FILES} DESTINATION ${CMAKE_INSTALL_DATADIR}/namkhao/reports)
install(FILES ${DB_SCRIPTS} DESTINATION ${CMAKE_INSTALL_DATADIR}/namkhao/db)
install(FILES ${DB_PICTURES} DESTINATION ${CMAKE_INSTALL_DATADIR}/namkhao/db/pictures)
install(FILES ${CMAKE_SOURCE_DIR}/packaging/namkhao-menu.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_SOURCE_DIR}/packaging/namkhao-menu.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${CMAKE_SOURCE_DIR}/packaging/namkhao-menu.png
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/256x256/apps)
install(FILES ${CMAKE_SOURCE_DIR}/packaging/namkhao-menu-48.png
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/48x48/apps RENAME namkhao-menu.png)
# The package's copyright and its changelog (compressed as Debian wants it, at configure time
# so packing builds nothing more than the three programs).
execute_process(COMMAND gzip -9n -c ${CMAKE_SOURCE_DIR}/packaging/changelog
                OUTPUT_FILE ${CMAKE_BINARY_DIR}/changelog.gz)
install(FILES ${CMAKE_SOURCE_DIR}/packaging/copyright ${CMAKE_BINARY_DIR}/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DOCDIR})
install(FILES ${CMAKE_SOURCE_DIR}/README.md ${CMAKE_SOURCE_DIR}/docs/deployment.md
              ${CMAKE_SOURCE_DIR}/docs/report-format.md ${CMAKE_SOURCE_DIR}/docs/schema.md
        DESTINATION ${CMAKE_INSTALL_DOCDIR})

execute_process(COMMAND dpkg --print-architecture OUTPUT_VARIABLE NK_DEB_ARCH
                OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
if(NOT NK_DEB_ARCH)
  set(NK_DEB_ARCH amd64)
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME namkhao)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_PACKAGE_CONTACT "Namkhao maintainers <support@example.co.th>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "import and foreign-purchasing module of a Thai business suite")
set(CPACK_PACKAGE_DESCRIPTION "Six work forms (import of goods, bills brought forward,
import expenses on credit and in cash, import cost, foreign purchase order),
the menu that signs users in and starts them, and the tool that creates the
databases.")
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_ARCHITECTURE ${NK_DEB_ARCH})
set(CPACK_DEBIAN_FILE_NAME "namkhao_${PROJECT_VERSION}_${NK_DEB_ARCH}.deb")
# Libraries the programs link come from dpkg-shlibdeps (Qt 6 base, libsodium, ...); what they
# load at run time is named here: the SQL drivers, the platform plug-ins, the report font,
# Thai line breaking and libcurl (the error mail, loaded when a mail is sent).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "libqt6sql6-sqlite, libqt6sql6-psql, qt6-qpa-plugins, fonts-noto-core, libthai0, libcurl4")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_COMPRESSION_TYPE gzip)
include(CPack)
