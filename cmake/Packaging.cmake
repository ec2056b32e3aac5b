# Desktop integration and the Debian package: the .desktop entry, the icon in
# the hicolor sizes the program has, the AppStream metainfo, and CPack's DEB
# generator. `cmake --install` and `cpack -G DEB` both use these rules.
include(GNUInstallDirs)

# The icons are the program's own window icon, written out as PNG at build time
# so that the desktop and the window never show two different flags.
add_executable(quillet_make_icon_pngs ${PROJECT_SOURCE_DIR}/packaging/make_icon_pngs.cpp)
target_include_directories(quillet_make_icon_pngs PRIVATE ${PROJECT_SOURCE_DIR}/src)
target_link_libraries(quillet_make_icon_pngs PRIVATE Qt6::Gui)
set(QUILLET_ICON_DIR ${PROJECT_BINARY_DIR}/icons)
add_custom_command(
  OUTPUT ${QUILLET_ICON_DIR}/16x16/quillet.png ${QUILLET_ICON_DIR}/32x32/quillet.png
  COMMAND quillet_make_icon_pngs ${QUILLET_ICON_DIR}
  DEPENDS quillet_make_icon_pngs ${PROJECT_SOURCE_DIR}/src/ui/flag_icon.h
  COMMENT "Writing the icon PNGs")
add_custom_target(quillet_icons ALL
  DEPENDS ${QUILLET_ICON_DIR}/16x16/quillet.png ${QUILLET_ICON_DIR}/32x32/quillet.png)

# The manual page and the AppStream data carry the project's version and the
# release's date: the time of the last commit, which scripts/release passes in
# SOURCE_DATE_EPOCH and string(TIMESTAMP) reads; other builds take today.
string(TIMESTAMP QUILLET_RELEASE_DATE "%Y-%m-%d" UTC)
string(TIMESTAMP QUILLET_RELEASE_MONTH "%B %Y" UTC)
set(QUILLET_PACKAGING_DIR ${PROJECT_BINARY_DIR}/packaging)
configure_file(${PROJECT_SOURCE_DIR}/packaging/quillet.metainfo.xml.in
               ${QUILLET_PACKAGING_DIR}/quillet.metainfo.xml @ONLY)
configure_file(${PROJECT_SOURCE_DIR}/packaging/quillet.1.in ${QUILLET_PACKAGING_DIR}/quillet.1 @ONLY)
configure_file(${PROJECT_SOURCE_DIR}/packaging/changelog ${QUILLET_PACKAGING_DIR}/changelog COPYONLY)

install(FILES ${PROJECT_SOURCE_DIR}/packaging/quillet.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${QUILLET_PACKAGING_DIR}/quillet.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
foreach(size 16x16 32x32)
  install(FILES ${QUILLET_ICON_DIR}/${size}/quillet.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}/apps)
endforeach()

# The documents a Debian package carries: the licence in DEP-5 form, the
# changelog and a short manual page, the last two compressed with gzip -9n so
# that the bytes do not depend on when they were built. Debian-style systems only.
if(UNIX)
  set(QUILLET_DOC_DIR ${PROJECT_BINARY_DIR}/doc)
  find_program(QUILLET_GZIP gzip REQUIRED)
  set(quillet_compressed_docs)
  foreach(doc changelog quillet.1)
    add_custom_command(
      OUTPUT ${QUILLET_DOC_DIR}/${doc}.gz
      COMMAND ${CMAKE_COMMAND} -E make_directory ${QUILLET_DOC_DIR}
      COMMAND ${CMAKE_COMMAND} -E copy ${QUILLET_PACKAGING_DIR}/${doc} ${QUILLET_DOC_DIR}/${doc}
      COMMAND ${QUILLET_GZIP} -9nf ${QUILLET_DOC_DIR}/${doc}
      DEPENDS ${QUILLET_PACKAGING_DIR}/${doc}
      COMMENT "Compressing ${doc}")
    list(APPEND quillet_compressed_docs ${QUILLET_DOC_DIR}/${doc}.gz)
  endforeach()
  add_custom_target(quillet_docs ALL DEPENDS ${quillet_compressed_docs})
  install(FILES ${PROJECT_SOURCE_DIR}/packaging/copyright ${QUILLET_DOC_DIR}/changelog.gz
          DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/quillet)
  install(FILES ${QUILLET_DOC_DIR}/quillet.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endif()

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
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://www.quillet.example/")
# The long description only: CPack puts the summary above it as the first line.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Quillet lays out one sheet of labels, nine rows of nine with two short lines
each, in a window grid. Every line is printed centred in a field of seven
characters of a monospaced face, at a fixed place on a landscape page.
Two offsets in inches, checked with a test page, move the whole print to fit
the printer and the label stock. The filled labels can be appended to a plain
text list.")
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
# Printing to a CUPS queue, the Qt platform plugin for X11 and Wayland, and a
# sans-serif face for the menus and dialogs, which come out monospaced when the
# Liberation fonts are the only ones installed.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-qpa-plugins, cups-client, xdg-utils, fonts-dejavu-core")
include(CPack)
