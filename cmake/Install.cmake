# `cmake --install` and the Debian package (cpack). The station keeps its
# lists and week files beside the executable, so both programs go into a
# folder of their own, /opt/timeclock unless another prefix is given; the
# sample lists go beside them under samples/ (the package's postinst copies
# them up on the first install only, so an upgrade keeps the shop's lists).
if(CMAKE_INSTALL_PREFIX_INITIALIZED_TO_DEFAULT)
  set(CMAKE_INSTALL_PREFIX /opt/timeclock CACHE PATH "Install folder" FORCE)
endif()
install(TARGETS timeclock timeclock-report RUNTIME DESTINATION .)
install(FILES ${PROJECT_SOURCE_DIR}/resources/employeelist.txt ${PROJECT_SOURCE_DIR}/resources/Jobs.dat
        DESTINATION samples)
configure_file(${PROJECT_SOURCE_DIR}/packaging/timeclock.desktop.in ${CMAKE_BINARY_DIR}/timeclock.desktop @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/timeclock.desktop DESTINATION /usr/share/applications)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME timeclock)
set(CPACK_PACKAGE_CONTACT "Time Clock maintainers <timeclock@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Shop-floor time clock station and week report")
set(CPACK_PACKAGING_INSTALL_PREFIX ${CMAKE_INSTALL_PREFIX})
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
configure_file(${PROJECT_SOURCE_DIR}/packaging/postinst.in ${CMAKE_BINARY_DIR}/packaging/postinst @ONLY
               FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ
                                WORLD_EXECUTE)
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${CMAKE_BINARY_DIR}/packaging/postinst)
include(CPack)
