# What `cmake --install` puts beside the programs, and the Debian package
# that `cpack -G DEB` makes of it. The programs install themselves from
# their own folders.
include(GNUInstallDirs)

# On Windows, a zip to unpack anywhere: dxfconv.exe and dxfconv-gui.exe,
# which need no DLL, with the README and the licence beside them; and an
# installer made with NSIS from the same files. The README goes as text with
# CR LF line ends, which a stock Windows opens in Notepad.
if(WIN32)
  file(READ README.md DXFCONV_README)
  string(REPLACE "\n" "\r\n" DXFCONV_README "${DXFCONV_README}")
  file(WRITE ${PROJECT_BINARY_DIR}/README.txt "${DXFCONV_README}")
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS README.md)
  install(FILES ${PROJECT_BINARY_DIR}/README.txt DESTINATION .)
  install(FILES LICENSE DESTINATION . RENAME LICENSE.txt)
  set(CPACK_GENERATOR ZIP)
  set(CPACK_PACKAGE_NAME dxfconv)
  set(CPACK_PACKAGE_FILE_NAME dxfconv-${PROJECT_VERSION}-win64)
  set(CPACK_STRIP_FILES ON)
  include(CPack)
  if(TARGET dxfconv-gui)
    find_program(DXFCONV_MAKENSIS makensis REQUIRED)
    set(DXFCONV_INSTALLER_FILES ${PROJECT_BINARY_DIR}/installer-files)
    set(DXFCONV_INSTALLER ${PROJECT_BINARY_DIR}/dxfconv-${PROJECT_VERSION}-win64-installer.exe)
    set(DXFCONV_NSIS_SCRIPT ${PROJECT_SOURCE_DIR}/packaging/windows/dxfconv.nsi)
    add_custom_command(OUTPUT ${DXFCONV_INSTALLER}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${DXFCONV_INSTALLER_FILES}
      COMMAND ${CMAKE_STRIP} -o ${DXFCONV_INSTALLER_FILES}/dxfconv-gui.exe $<TARGET_FILE:dxfconv-gui>
      COMMAND ${CMAKE_STRIP} -o ${DXFCONV_INSTALLER_FILES}/dxfconv.exe $<TARGET_FILE:dxfconv>
      COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_BINARY_DIR}/README.txt ${PROJECT_SOURCE_DIR}/LICENSE
        ${PROJECT_SOURCE_DIR}/ui/res/app_icon.ico ${DXFCONV_INSTALLER_FILES}
      COMMAND ${DXFCONV_MAKENSIS} -V2 -WX -DVERSION=${PROJECT_VERSION}
        -DFILES=${DXFCONV_INSTALLER_FILES} -DOUTFILE=${DXFCONV_INSTALLER} ${DXFCONV_NSIS_SCRIPT}
      DEPENDS dxfconv-gui dxfconv ${DXFCONV_NSIS_SCRIPT} ${PROJECT_BINARY_DIR}/README.txt
        ${PROJECT_SOURCE_DIR}/LICENSE ${PROJECT_SOURCE_DIR}/ui/res/app_icon.ico
      COMMENT "Making the installer with NSIS"
      VERBATIM)
    add_custom_target(installer ALL DEPENDS ${DXFCONV_INSTALLER})
  endif()
  return()
endif()

install(FILES README.md LICENSE DESTINATION ${CMAKE_INSTALL_DOCDIR})
# What the README links to, at the same places beside it.
install(FILES docs/images/sample-before.png docs/images/sample-after.png
  docs/images/modern-before.png docs/images/modern-after.png docs/images/inkscape-before.png
  docs/images/inkscape-after.png
  docs/images/dialog-with-source.png docs/images/windows-dialog-with-source.png
  docs/images/windows-exit-question.png DESTINATION ${CMAKE_INSTALL_DOCDIR}/docs/images)
install(FILES docs/reliability.md DESTINATION ${CMAKE_INSTALL_DOCDIR}/docs)

# Debian's copyright file: the licence in its machine-readable form.
file(READ LICENSE DXFCONV_LICENSE_TEXT)
string(REGEX REPLACE "^MIT License\n\n" "" DXFCONV_LICENSE_TEXT "${DXFCONV_LICENSE_TEXT}")
string(REGEX REPLACE "\n+$" "" DXFCONV_LICENSE_TEXT "${DXFCONV_LICENSE_TEXT}")
string(REGEX MATCH "Copyright \\(c\\) ([^\n]*)" DXFCONV_COPYRIGHT_LINE "${DXFCONV_LICENSE_TEXT}")
set(DXFCONV_COPYRIGHT_HOLDER "${CMAKE_MATCH_1}")
string(REGEX REPLACE "Copyright \\(c\\) [^\n]*\n+" "" DXFCONV_LICENSE_TEXT "${DXFCONV_LICENSE_TEXT}")
string(REGEX REPLACE "\n\n" "\n.\n" DXFCONV_LICENSE_TEXT "${DXFCONV_LICENSE_TEXT}")
string(REPLACE "\n" "\n " DXFCONV_LICENSE_TEXT "${DXFCONV_LICENSE_TEXT}")
file(WRITE ${PROJECT_BINARY_DIR}/packaging/copyright
  "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/\n"
  "Upstream-Name: ${PROJECT_NAME}\n"
  "\n"
  "Files: *\n"
  "Copyright: ${DXFCONV_COPYRIGHT_HOLDER}\n"
  "License: Expat\n"
  " ${DXFCONV_LICENSE_TEXT}\n")
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS LICENSE)
install(FILES ${PROJECT_BINARY_DIR}/packaging/copyright DESTINATION ${CMAKE_INSTALL_DOCDIR})

# Manual pages and the changelog go compressed, as Debian has them: at the
# highest level and without the file's name and time, so that each build
# gives the same bytes.
set(DXFCONV_MAN_PAGES docs/dxfconv.1)
if(DXFCONV_BUILD_UI)
  list(APPEND DXFCONV_MAN_PAGES docs/dxfconv-gui.1)
endif()
set(DXFCONV_COMPRESSED)
foreach(file IN LISTS DXFCONV_MAN_PAGES ITEMS packaging/changelog)
  set(compressed ${PROJECT_BINARY_DIR}/${file}.gz)
  get_filename_component(folder ${compressed} DIRECTORY)
  get_filename_component(name ${file} NAME)
  add_custom_command(OUTPUT ${compressed}
    COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_SOURCE_DIR}/${file} ${folder}/${name}
    COMMAND gzip -9nf ${folder}/${name}
    DEPENDS ${PROJECT_SOURCE_DIR}/${file}
    VERBATIM)
  list(APPEND DXFCONV_COMPRESSED ${compressed})
endforeach()
add_custom_target(compressed_docs ALL DEPENDS ${DXFCONV_COMPRESSED})
list(TRANSFORM DXFCONV_MAN_PAGES PREPEND ${PROJECT_BINARY_DIR}/)
list(TRANSFORM DXFCONV_MAN_PAGES APPEND .gz)
install(FILES ${DXFCONV_MAN_PAGES} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${PROJECT_BINARY_DIR}/packaging/changelog.gz DESTINATION ${CMAKE_INSTALL_DOCDIR})

if(DXFCONV_BUILD_UI)
  install(FILES packaging/dxfconv-gui.desktop packaging/dxfconv-gui-modern.desktop
    DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  foreach(size IN ITEMS 16 32 48 256)
    install(FILES ui/res/app_icon_${size}.png
      DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
      RENAME dxfconv-gui.png)
  endforeach()
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME dxfconv)
set(CPACK_PACKAGE_VENDOR "The dxfconv authors")
set(CPACK_PACKAGE_CONTACT "The dxfconv authors <maintainers@users.noreply.c-seed-7ecef0cf.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "DXF linetype converter for plotters and viewers")
set(CPACK_PACKAGE_DESCRIPTION
  "dxfconv copies a DXF drawing in text form into a new file and gives every\n"
  "entity that draws with its layer's linetype (CONTINUOUS, HIDDEN, PHANTOM,\n"
  "CENTER, DASHED, DOT, DASHDOT or DIVIDE) that linetype explicitly, so that\n"
  "plotters, CNC and laser software and viewers that ignore by-layer\n"
  "linetypes draw the drawing as it is meant.\n"
  "This package holds the command dxfconv and the dialog application\n"
  "dxfconv-gui.")
string(JOIN "" CPACK_PACKAGE_DESCRIPTION ${CPACK_PACKAGE_DESCRIPTION})
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# The dialog takes IPA Mincho in place of the font its template names; it
# opens without it too, in the toolkit's default font.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS fonts-ipafont-mincho)
# dpkg-shlibdeps reads the libraries and their versions off the programs;
# without it (or without file(1), which CPack needs to find them) the
# packages are those of Debian 12.
find_program(DXFCONV_DPKG_SHLIBDEPS dpkg-shlibdeps)
find_program(DXFCONV_FILE_UTILITY file)
if(DXFCONV_DPKG_SHLIBDEPS AND DXFCONV_FILE_UTILITY)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
else()
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "libc6 (>= 2.34), libgcc-s1 (>= 3.0), libstdc++6 (>= 12)")
  if(DXFCONV_BUILD_UI)
    string(APPEND CPACK_DEBIAN_PACKAGE_DEPENDS ", libwxgtk3.2-1 (>= 3.2.2)")
  endif()
endif()

include(CPack)
