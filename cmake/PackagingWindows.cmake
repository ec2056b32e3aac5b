# The Windows setup program, Quillet-<version>-win64.exe, made by CPack's NSIS
# generator with the project's own script template (cmake/NSIS.template.in):
# a per-user install under %LOCALAPPDATA%\Programs\Quillet without
# administrator rights, a Start-menu entry that starts the program in
# Documents\Quillet, where it keeps its files, and an uninstaller that leaves
# that folder alone. `scripts/build-windows` runs cpack after the build.

# Only the program and its licence go in; quillet.exe.debug stays behind.
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION . RENAME LICENSE.txt)

# CPack finds NSIS.template.in here before its own, which asks for
# administrator rights and installs into Program Files.
list(PREPEND CMAKE_MODULE_PATH ${PROJECT_SOURCE_DIR}/cmake)

set(CPACK_GENERATOR NSIS)
set(CPACK_PACKAGE_NAME Quillet)
set(CPACK_PACKAGE_VENDOR "Quillet Labelworks")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Fill in and print a sheet of 81 small labels")
set(CPACK_PACKAGE_FILE_NAME Quillet-${PROJECT_VERSION}-win64)
# The folder's name under %LOCALAPPDATA%\Programs and under Documents, the
# Start-menu entry's name and the uninstall entry's key.
set(CPACK_PACKAGE_INSTALL_DIRECTORY Quillet)
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY Quillet)
set(CPACK_NSIS_PACKAGE_NAME Quillet)
set(CPACK_NSIS_DISPLAY_NAME Quillet)
# The program, which also carries the icon the uninstall entry shows.
set(CPACK_NSIS_INSTALLED_ICON_NAME quillet.exe)
set(CPACK_NSIS_MUI_ICON ${PROJECT_BINARY_DIR}/app/windows/quillet.ico)
set(CPACK_NSIS_MUI_UNIICON ${PROJECT_BINARY_DIR}/app/windows/quillet.ico)
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_NSIS_URL_INFO_ABOUT "https://www.quillet.example/")
set(CPACK_NSIS_CONTACT "maintainers@quillet.example")
set(CPACK_NSIS_COMPRESSOR "/SOLID lzma")
set(CPACK_PRE_BUILD_SCRIPTS ${PROJECT_SOURCE_DIR}/cmake/StagedFileTimes.cmake)

# Where the tests find the setup program once cpack has made it.
set(QUILLET_SETUP_PROGRAM ${PROJECT_BINARY_DIR}/${CPACK_PACKAGE_FILE_NAME}.exe)
include(CPack)
