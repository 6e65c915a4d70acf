# cmake --install: the shared library, its public headers, the plexion command, the database
# scripts, the test doubles, a CMake package and a pkg-config file.
include(CMakePackageConfigHelpers)

set(PLEXION_INSTALL_DATADIR ${CMAKE_INSTALL_DATADIR}/plexion)
set(PLEXION_INSTALL_CMAKEDIR ${CMAKE_INSTALL_LIBDIR}/cmake/Plexion)

install(TARGETS plexion EXPORT PlexionTargets
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
  RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(DIRECTORY ${PROJECT_SOURCE_DIR}/plexion/ DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/plexion
  FILES_MATCHING PATTERN "*.hpp")
install(TARGETS plexion_command RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(DIRECTORY ${PROJECT_SOURCE_DIR}/db/ DESTINATION ${PLEXION_INSTALL_DATADIR}/db)

if(TARGET plexion_testing)
  install(TARGETS plexion_testing EXPORT PlexionTargets ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR})
  install(DIRECTORY ${PROJECT_SOURCE_DIR}/testing/plexion/testing/
    DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/plexion/testing FILES_MATCHING PATTERN "*.hpp")
endif()

# The Python package under the prefix's site directory (PYTHONPATH=<prefix>/<that directory>).
if(TARGET plexion_python)
  install(TARGETS plexion_python LIBRARY DESTINATION ${PLEXION_PYTHON_INSTALL_DIR}/plexion)
  install(FILES ${PLEXION_PYTHON_FILES} DESTINATION ${PLEXION_PYTHON_INSTALL_DIR}/plexion)
endif()

install(EXPORT PlexionTargets NAMESPACE Plexion:: DESTINATION ${PLEXION_INSTALL_CMAKEDIR})
configure_package_config_file(${PROJECT_SOURCE_DIR}/cmake/PlexionConfig.cmake.in
  ${PROJECT_BINARY_DIR}/PlexionConfig.cmake
  INSTALL_DESTINATION ${PLEXION_INSTALL_CMAKEDIR}
  PATH_VARS PLEXION_INSTALL_DATADIR)
write_basic_package_version_file(${PROJECT_BINARY_DIR}/PlexionConfigVersion.cmake
  COMPATIBILITY SameMajorVersion)
install(FILES ${PROJECT_BINARY_DIR}/PlexionConfig.cmake ${PROJECT_BINARY_DIR}/PlexionConfigVersion.cmake
  DESTINATION ${PLEXION_INSTALL_CMAKEDIR})
configure_file(${PROJECT_SOURCE_DIR}/cmake/plexion.pc.in ${PROJECT_BINARY_DIR}/plexion.pc @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/plexion.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
