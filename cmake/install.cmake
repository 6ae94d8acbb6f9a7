# Installing and packaging: the library with its C headers, the CLI, the SQLite extension, the
# server scripts, the man page and the Python bindings; a CMake package, orvrun.pc and a .deb.
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

set(ORV_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/orvrun)
set(ORV_EXTENSION_DIR ${CMAKE_INSTALL_LIBDIR}/orvrun)

# Installed programs find the library beside them, wherever the prefix is.
set_target_properties(orvrun_cli PROPERTIES INSTALL_RPATH "$ORIGIN/../${CMAKE_INSTALL_LIBDIR}")
set_target_properties(tsqlext PROPERTIES INSTALL_RPATH "$ORIGIN/..")

install(TARGETS orvrun EXPORT orvrunTargets
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT runtime NAMELINK_COMPONENT dev)
file(GLOB orv_public_headers ${PROJECT_SOURCE_DIR}/src/exports/orvrun*.h)
install(FILES ${orv_public_headers} DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/orvrun COMPONENT dev)
install(TARGETS orvrun_cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT runtime)
install(TARGETS tsqlext LIBRARY DESTINATION ${ORV_EXTENSION_DIR} COMPONENT runtime)
install(FILES ${PROJECT_SOURCE_DIR}/server/schema.sql ${PROJECT_SOURCE_DIR}/server/demo.sql
  DESTINATION ${CMAKE_INSTALL_DATADIR}/orvrun COMPONENT runtime)
install(FILES ${PROJECT_SOURCE_DIR}/apps/orvrun/orvrun.1
  DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 COMPONENT runtime)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/python/orvrun
  DESTINATION ${CMAKE_INSTALL_LIBDIR}/python3/dist-packages COMPONENT runtime
  PATTERN __pycache__ EXCLUDE)

install(EXPORT orvrunTargets NAMESPACE orvrun:: DESTINATION ${ORV_CMAKE_DIR} COMPONENT dev)
configure_package_config_file(${PROJECT_SOURCE_DIR}/cmake/orvrunConfig.cmake.in
  ${PROJECT_BINARY_DIR}/orvrunConfig.cmake INSTALL_DESTINATION ${ORV_CMAKE_DIR})
write_basic_package_version_file(${PROJECT_BINARY_DIR}/orvrunConfigVersion.cmake
  VERSION ${PROJECT_VERSION} COMPATIBILITY SameMajorVersion)
install(FILES ${PROJECT_BINARY_DIR}/orvrunConfig.cmake ${PROJECT_BINARY_DIR}/orvrunConfigVersion.cmake
  DESTINATION ${ORV_CMAKE_DIR} COMPONENT dev)
# The prefix is found from the .pc file's own place, so `cmake --install --prefix` may move it.
file(RELATIVE_PATH ORV_PC_UP /x/${CMAKE_INSTALL_LIBDIR}/pkgconfig /x)
configure_file(${PROJECT_SOURCE_DIR}/cmake/orvrun.pc.in ${PROJECT_BINARY_DIR}/orvrun.pc @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/orvrun.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig
  COMPONENT dev)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME orvrun)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "orvrun developers <orvrun@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "business-logic library with a C interface, its CLI host and embedded database")
set(CPACK_DEBIAN_PACKAGE_SECTION libs)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
include(CPack)

# The C host example and the Python bindings, run against an installed copy of this build. Not in
# sanitizer builds: an instrumented library cannot load into an uninstrumented program.
if(ORV_TESTS AND NOT ORV_SANITIZE AND NOT ORV_TSAN)
  add_test(NAME host_installed_example
    COMMAND bash ${PROJECT_SOURCE_DIR}/tests/host/installed_example.sh ${PROJECT_BINARY_DIR}
      ${PROJECT_SOURCE_DIR})
  set_tests_properties(host_installed_example PROPERTIES LABELS host)
  add_test(NAME host_python
    COMMAND /usr/bin/python3 -m unittest discover -s ${PROJECT_SOURCE_DIR}/python/tests -t
      ${PROJECT_SOURCE_DIR}/python)
  set_tests_properties(host_python PROPERTIES LABELS host ENVIRONMENT
    "PYTHONPATH=${PROJECT_SOURCE_DIR}/python;ORVRUN_LIBRARY=$<TARGET_FILE:orvrun>;ORV_CLI=$<TARGET_FILE:orvrun_cli>")
endif()
