# Debian packages (scripts/package): the client for the desks, and the server
# side for the database server. The client carries this build's built-in values.
include(GNUInstallDirs)
set(_pkg ${CMAKE_CURRENT_LIST_DIR}/packaging)
set(_staging ${CMAKE_BINARY_DIR}/packaging)
set(SARVELA_PACKAGE_VERSION ${SARVELA_APP_VERSION})

# Each package's documentation: the copyright and the compressed changelog
# (gzip -n, so the same sources give the same package).
configure_file(${_pkg}/changelog ${_staging}/changelog @ONLY)
execute_process(COMMAND gzip -9nf ${_staging}/changelog)
foreach(_component client server)
  if(_component STREQUAL client)
    set(_name sarvela)
  else()
    set(_name sarvela-server)
  endif()
  install(FILES ${_pkg}/copyright ${_staging}/changelog.gz
          DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/${_name} COMPONENT ${_component})
endforeach()

# Manual pages, compressed as Debian keeps them.
foreach(_page sarvela.1 sarvela-db-admin.8 sarvela-db-install.8)
  configure_file(${_pkg}/${_page} ${_staging}/${_page} COPYONLY)
  execute_process(COMMAND gzip -9nf ${_staging}/${_page})
  string(REGEX REPLACE ".*\\." "" _section ${_page})
  if(_page STREQUAL sarvela.1)
    set(_component client)
  else()
    set(_component server)
  endif()
  install(FILES ${_staging}/${_page}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man${_section} COMPONENT ${_component})
endforeach()

# The client: /usr/lib/sarvela with report/ beside the executable, a link on the
# path, a desktop entry and its icon. The executable is installed by app/.
file(CREATE_LINK ../lib/sarvela/sarvela ${_staging}/sarvela SYMBOLIC)
install(FILES ${_staging}/sarvela DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT client)
install(FILES ${_pkg}/sarvela.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications COMPONENT client)
install(FILES ${_pkg}/sarvela.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
        COMPONENT client)

# The server side: the SQL, the migrations and the administrator's scripts,
# which find the SQL beside them; their names on the path under /usr/sbin.
set(_server_home ${CMAKE_INSTALL_DATADIR}/sarvela-server)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/server/ DESTINATION ${_server_home}/server COMPONENT server
        PATTERN README.md EXCLUDE PATTERN demo EXCLUDE)
install(PROGRAMS ${PROJECT_SOURCE_DIR}/scripts/db-admin ${PROJECT_SOURCE_DIR}/scripts/db-install
                 ${PROJECT_SOURCE_DIR}/scripts/db-load
        DESTINATION ${_server_home}/scripts COMPONENT server)
foreach(_script db-admin db-install)
  file(CREATE_LINK ../share/sarvela-server/scripts/${_script} ${_staging}/sarvela-${_script} SYMBOLIC)
  install(FILES ${_staging}/sarvela-${_script} DESTINATION ${CMAKE_INSTALL_SBINDIR} COMPONENT server)
endforeach()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME sarvela)
set(CPACK_PACKAGE_VERSION ${SARVELA_PACKAGE_VERSION})
set(CPACK_PACKAGE_VENDOR "The Sarvela developers")
set(CPACK_PACKAGE_CONTACT "The Sarvela developers <sarvela@rsud-talvirana.go.id>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_COMPONENTS_ALL client server)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)

set(CPACK_DEBIAN_CLIENT_PACKAGE_NAME sarvela)
set(CPACK_DEBIAN_CLIENT_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_CLIENT_PACKAGE_DEPENDS "fonts-liberation")
set(CPACK_COMPONENT_CLIENT_DESCRIPTION "BPJS contribution records of the hospital (client)
The desk program of the hospital's finance staff: monthly submissions of
the BPJS health-insurance contributions of non-civil-servant staff, their
import from spreadsheets, processing, and the printed attachment and bank
transfer order. It connects to the hospital's database server over TLS with
the values built into this package.")

set(CPACK_DEBIAN_SERVER_PACKAGE_NAME sarvela-server)
set(CPACK_DEBIAN_SERVER_PACKAGE_ARCHITECTURE all)
set(CPACK_DEBIAN_SERVER_PACKAGE_DEPENDS
    "mariadb-client, sqitch, libdbd-mysql-perl, liburi-perl, openssl")
set(CPACK_DEBIAN_SERVER_PACKAGE_RECOMMENDS "mariadb-server")
set(CPACK_COMPONENT_SERVER_DESCRIPTION "BPJS contribution records of the hospital (server side)
The tables, procedures, triggers and grants the desk program relies on, the
versioned migrations that bring an installed database to this release
without losing a row, and the administrator's commands sarvela-db-install
(sets the server side up on MariaDB with TLS) and sarvela-db-admin
(schedule, locks, accounts, upgrade, backup and restore).")

include(CPack)
