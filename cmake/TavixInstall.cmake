include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

install(TARGETS tavix tavix_sqlite EXPORT TavixTargets
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
  RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(DIRECTORY include/tavix DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
install(EXPORT TavixTargets NAMESPACE tavix:: DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/Tavix)

file(WRITE ${PROJECT_BINARY_DIR}/TavixConfig.cmake.in
  "@PACKAGE_INIT@\ninclude(\"\${CMAKE_CURRENT_LIST_DIR}/TavixTargets.cmake\")\n")
configure_package_config_file(${PROJECT_BINARY_DIR}/TavixConfig.cmake.in
  ${PROJECT_BINARY_DIR}/TavixConfig.cmake INSTALL_DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/Tavix)
write_basic_package_version_file(${PROJECT_BINARY_DIR}/TavixConfigVersion.cmake COMPATIBILITY SameMajorVersion)
install(FILES ${PROJECT_BINARY_DIR}/TavixConfig.cmake ${PROJECT_BINARY_DIR}/TavixConfigVersion.cmake
  DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/Tavix)

foreach(pc tavix tavix-sqlite)
  configure_file(${PROJECT_SOURCE_DIR}/cmake/${pc}.pc.in ${PROJECT_BINARY_DIR}/${pc}.pc @ONLY)
  install(FILES ${PROJECT_BINARY_DIR}/${pc}.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
endforeach()
