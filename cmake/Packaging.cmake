# Desktop integration and the Debian package: the .desktop entry, the icon in
# the hicolor sizes the program has, the AppStream metainfo, and CPack's DEB
# generator. `cmake --install` and `cpack -G DEB` both use these rules.
include(GNUInstallDirs)

# The icons are the program's own window icon, written out as PNG at build time
# so that the desktop and the window never show two different flags.
add_executable(quillet_make_icons ${PROJECT_SOURCE_DIR}/packaging/make_icons.cpp)
target_include_directories(quillet_make_icons PRIVATE ${PROJECT_SOURCE_DIR}/src)
target_link_libraries(quillet_make_icons PRIVATE Qt6::Gui)
set(QUILLET_ICON_DIR ${PROJECT_BINARY_DIR}/icons)
add_custom_command(
  OUTPUT ${QUILLET_ICON_DIR}/16x16/quillet.png ${QUILLET_ICON_DIR}/32x32/quillet.png
  COMMAND quillet_make_icons ${QUILLET_ICON_DIR}
  DEPENDS quillet_make_icons ${PROJECT_SOURCE_DIR}/src/ui/flag_icon.h
  COMMENT "Writing the icon PNGs")
add_custom_target(quillet_icons ALL
  DEPENDS ${QUILLET_ICON_DIR}/16x16/quillet.png ${QUILLET_ICON_DIR}/32x32/quillet.png)

install(FILES ${PROJECT_SOURCE_DIR}/packaging/quillet.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/quillet.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
foreach(size 16x16 32x32)
  install(FILES ${QUILLET_ICON_DIR}/${size}/quillet.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}/apps)
endforeach()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quillet)
set(CPACK_PACKAGE_VENDOR "The Quillet developers")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Fill in and print a sheet of 81 small labels")
set(CPACK_PACKAGE_CONTACT "Quillet maintainers <maintainers@quillet.example>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Quillet maintainers <maintainers@quillet.example>")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://quillet.example/")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Fill in and print a sheet of 81 small labels\n Quillet fills in and prints one sheet of labels, nine rows of nine with\n two short lines each, calibrated to the printer with a test page.")
# dpkg-shlibdeps finds the libraries the program links (Qt, libstdc++, libc);
# the fonts are not linked, so they are named here: "Courier New" and "Arial"
# map to Liberation Mono and Liberation Sans, which have the same metrics.
find_program(QUILLET_DPKG_SHLIBDEPS dpkg-shlibdeps)
if(QUILLET_DPKG_SHLIBDEPS)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation2")
else()
  set(CPACK_DEBIAN_PACKAGE_DEPENDS
      "fonts-liberation2, libqt6printsupport6, libqt6widgets6, libqt6gui6, libqt6core6, libstdc++6, libc6")
endif()
# Printing to a CUPS queue and the Qt platform plugin for X11 and Wayland.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-qpa-plugins, cups-client, xdg-utils")
include(CPack)
