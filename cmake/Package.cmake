# Installation as a desktop program and the Debian package: `cpack -G DEB` in a build tree gives
# korvane_<version>_amd64.deb (tools/package.sh builds it).

include(GNUInstallDirs)

set(KORVANE_APP_ID org.korvane.Korvane)
set(KORVANE_ICON_SIZES 16 22 24 32 48 64 128 256)

# The icon, drawn by the program's own picture code at every size of the icon theme.
add_executable(korvane_icons packaging/WriteIcons.cpp)
target_link_libraries(korvane_icons PRIVATE korvane_app)
set(KORVANE_ICON_FOLDER ${CMAKE_BINARY_DIR}/package-files/icons)
set(KORVANE_ICON_FILES)
foreach(size ${KORVANE_ICON_SIZES})
  list(APPEND KORVANE_ICON_FILES ${KORVANE_ICON_FOLDER}/${size}x${size}/apps/korvane.png)
endforeach()
add_custom_command(OUTPUT ${KORVANE_ICON_FILES}
  COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen
          $<TARGET_FILE:korvane_icons> ${KORVANE_ICON_FOLDER} korvane ${KORVANE_ICON_SIZES}
  DEPENDS korvane_icons
  COMMENT "Drawing the program's icon")

# The manual page and the package's change log, compressed without a time stamp.
file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/package-files)
set(KORVANE_ZIPPED)
foreach(file korvane.1 changelog)
  set(zipped ${CMAKE_BINARY_DIR}/package-files/${file}.gz)
  add_custom_command(OUTPUT ${zipped}
    COMMAND sh -c "gzip -9n -c \"$0\" > \"$1\"" ${CMAKE_SOURCE_DIR}/packaging/${file} ${zipped}
    DEPENDS ${CMAKE_SOURCE_DIR}/packaging/${file}
    VERBATIM)
  list(APPEND KORVANE_ZIPPED ${zipped})
endforeach()
add_custom_target(korvane_package_files ALL DEPENDS ${KORVANE_ICON_FILES} ${KORVANE_ZIPPED})

install(TARGETS korvane RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES packaging/${KORVANE_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES packaging/${KORVANE_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(DIRECTORY ${KORVANE_ICON_FOLDER}/ DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor)
install(FILES ${CMAKE_BINARY_DIR}/package-files/korvane.1.gz
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES packaging/copyright ${CMAKE_BINARY_DIR}/package-files/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/korvane)

# Installing builds nothing: tools/package.sh builds the program and these files, not the tests.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME korvane)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "The Korvane developers <korvane@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "rank the applicants for an open position")
string(CONCAT CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Korvane helps a hiring committee rank the applicants for one open position.\n"
    "The secretary keeps the committee, the applicants and the required and\n"
    "weighted preferred criteria; every member rates every applicant still in\n"
    "the pool, and the program prints the screening sheets, the members' rating\n"
    "sheets and the final rating sheet with the ranking.")
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
# The libraries come from the program file itself.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The printouts are laid out with the metrics of "Times New Roman", which this font family has.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS fonts-liberation)
include(CPack)
