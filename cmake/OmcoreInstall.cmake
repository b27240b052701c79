include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

install(TARGETS omcore EXPORT omcoreTargets
        ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
        LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
        RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(DIRECTORY include/om DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
install(EXPORT omcoreTargets NAMESPACE omcore:: FILE omcoreTargets.cmake
        DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/omcore)

configure_package_config_file(${CMAKE_CURRENT_SOURCE_DIR}/cmake/omcoreConfig.cmake.in
    ${CMAKE_CURRENT_BINARY_DIR}/omcoreConfig.cmake
    INSTALL_DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/omcore)
write_basic_package_version_file(${CMAKE_CURRENT_BINARY_DIR}/omcoreConfigVersion.cmake
    COMPATIBILITY SameMinorVersion)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/omcoreConfig.cmake
              ${CMAKE_CURRENT_BINARY_DIR}/omcoreConfigVersion.cmake
        DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/omcore)
