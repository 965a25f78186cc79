# What `cmake --install` puts where, and the Debian package made from it (`cpack -G DEB`).
include(GNUInstallDirs)

set(LINKRAKE_PACKAGING_DIR ${PROJECT_SOURCE_DIR}/packaging)

# The window is optional (LINKRAKE_GUI); the command-line tool is always there.
foreach(program Linkrake linkrake-cli)
  if(TARGET ${program})
    install(TARGETS ${program} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  endif()
endforeach()

install(FILES ${LINKRAKE_PACKAGING_DIR}/linkrake.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)

# The program icon exists once, as the XPM the window itself shows; the desktop menu wants a
# PNG, made from that XPM at build time so the two can never differ.
add_executable(linkrake_icon_png ${LINKRAKE_PACKAGING_DIR}/IconToPng.cpp)
target_link_libraries(linkrake_icon_png PRIVATE Qt6::Gui)
set_target_properties(linkrake_icon_png PROPERTIES AUTOMOC OFF AUTORCC OFF)
set(LINKRAKE_ICON_PNG ${PROJECT_BINARY_DIR}/packaging/linkrake.png)
add_custom_command(
  OUTPUT ${LINKRAKE_ICON_PNG}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/packaging
  COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0
          $<TARGET_FILE:linkrake_icon_png> ${PROJECT_SOURCE_DIR}/src/res/icons/icon128.xpm
          ${LINKRAKE_ICON_PNG}
  DEPENDS linkrake_icon_png ${PROJECT_SOURCE_DIR}/src/res/icons/icon128.xpm
  COMMENT "Converting the program icon to PNG")

# Debian keeps manual pages compressed; -n leaves the name and time out, so the bytes repeat.
set(LINKRAKE_MAN_GZ ${PROJECT_BINARY_DIR}/packaging/linkrake-cli.1.gz)
add_custom_command(
  OUTPUT ${LINKRAKE_MAN_GZ}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/packaging
  COMMAND gzip -9nc ${LINKRAKE_PACKAGING_DIR}/linkrake-cli.1 > ${LINKRAKE_MAN_GZ}
  DEPENDS ${LINKRAKE_PACKAGING_DIR}/linkrake-cli.1
  COMMENT "Compressing the manual page")

add_custom_target(linkrake_install_files ALL DEPENDS ${LINKRAKE_ICON_PNG} ${LINKRAKE_MAN_GZ})

install(FILES ${LINKRAKE_ICON_PNG}
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/32x32/apps)
install(FILES ${LINKRAKE_MAN_GZ} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

# The help page F1 opens, with whatever it shows beside it.
set(LINKRAKE_HELP_DIR ${PROJECT_SOURCE_DIR}/src/about/help)
if(IS_DIRECTORY ${LINKRAKE_HELP_DIR})
  install(DIRECTORY ${LINKRAKE_HELP_DIR}/ DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/linkrake
          FILES_MATCHING PATTERN "*.html" PATTERN "*.css" PATTERN "*.png")
endif()

# The Debian package.
set(CPACK_GENERATOR DEB)
# Texts reach the package as written (the description quotes <a href=").
set(CPACK_VERBATIM_VARIABLES ON)
set(CPACK_PACKAGE_NAME linkrake)
set(CPACK_PACKAGE_VENDOR "Morvane")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "pulls links out of web pages")
# CPack puts the summary in front and indents the lines as Debian wants them.
string(CONCAT CPACK_DEBIAN_PACKAGE_DESCRIPTION
  "Linkrake reads a saved web page, or downloads one by its address, and lists\n"
  "every link in it that begins with <a href=\", http:// or ftp://, optionally\n"
  "without duplicates and without links that contain a given text. The list can\n"
  "be saved as plain text, as an HTML page of anchors, or as a download list.\n"
  "\n"
  "The package holds the window (Linkrake) and the command-line tool\n"
  "linkrake-cli, which runs the same search for scripts and pipelines.")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Linkrake developers <linkrake@morvane.example>")
set(CPACK_DEBIAN_PACKAGE_SECTION web)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "http://www.morvane.example")
# The libraries the programs link come from the binaries themselves.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The About box's link and the help page open in the desktop's browser.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
include(CPack)
