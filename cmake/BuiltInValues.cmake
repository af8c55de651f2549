# Values compiled into the client: the program reads no file, variable or argument.
# A hospital sets its own with -D at configure time (docs/deployment.md).
set(SARVELA_DB_HOST "127.0.0.1" CACHE STRING "Database server host")
set(SARVELA_DB_PORT "30306" CACHE STRING "Database server port")
set(SARVELA_DB_NAME "remunerasi_rsud_nasn" CACHE STRING "Database name")
set(SARVELA_DB_USER "app_rsud" CACHE STRING "Application account")
set(SARVELA_DB_PASSWORD "Sarvela-Demo-16c" CACHE STRING "Application account password (16 characters)")
set(SARVELA_ALT_HOST "db-alt.rsud.local" CACHE STRING "Alternative host name shown under its public name")
set(SARVELA_ALT_HOST_PUBLIC "db.rsud-talvirana.go.id" CACHE STRING "Public name shown for the alternative host")
set(SARVELA_APP_VERSION "4" CACHE STRING "Program version sent to the version check")
set(SARVELA_UNIT_ID "288" CACHE STRING "Hospital unit identifier")
# The authority the client verifies the server's certificate against. The cache
# holds its file (a value cannot span lines there); the PEM itself is compiled in.
set(SARVELA_DB_CA_FILE "${CMAKE_SOURCE_DIR}/var/tls/ca.pem" CACHE FILEPATH
    "PEM of the certificate authority that signed the database server's certificate")

string(LENGTH "${SARVELA_DB_PASSWORD}" _pw_len)
if(NOT _pw_len EQUAL 16)
  message(FATAL_ERROR "SARVELA_DB_PASSWORD must be 16 characters, it has ${_pw_len}")
endif()

if(NOT EXISTS "${SARVELA_DB_CA_FILE}")
  message(FATAL_ERROR "SARVELA_DB_CA_FILE ${SARVELA_DB_CA_FILE} is missing: scripts/build makes the demo one")
endif()
file(READ "${SARVELA_DB_CA_FILE}" SARVELA_DB_CA_PEM)
if(NOT SARVELA_DB_CA_PEM MATCHES "-----BEGIN CERTIFICATE-----")
  message(FATAL_ERROR "SARVELA_DB_CA_FILE ${SARVELA_DB_CA_FILE} holds no PEM certificate")
endif()
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${SARVELA_DB_CA_FILE}")

configure_file(${CMAKE_CURRENT_LIST_DIR}/builtin_values.h.in
               ${CMAKE_BINARY_DIR}/generated/builtin_values.h @ONLY)
add_library(sarvela_builtin INTERFACE)
target_include_directories(sarvela_builtin INTERFACE ${CMAKE_BINARY_DIR}/generated)
