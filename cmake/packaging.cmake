# Installation and packages.
#
# Linux:   cmake --install puts hibiopen in bin/, its manual page in
#          share/man/man1/ and the example desktop entry in
#          share/doc/hibiopen/examples/; `cpack --preset deb` makes the .deb.
# Windows: `cpack --preset zip` makes a .zip holding HIBIOPEN.EXE.
set(CPACK_PACKAGE_NAME hibiopen)
set(CPACK_PACKAGE_VENDOR "HIBIOPEN developers")
set(CPACK_PACKAGE_CONTACT "HIBIOPEN developers <hibiopen@example.org>")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://hibiopen.example.org/")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "open the file of the day")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})

if(WIN32)
  set(CPACK_GENERATOR ZIP)
  set(CPACK_PACKAGE_FILE_NAME hibiopen-${PROJECT_VERSION}-win32)
  set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
else()
  # Debian wants manual pages compressed.
  set(HIBIOPEN_MAN_PAGE ${CMAKE_CURRENT_BINARY_DIR}/hibiopen.1.gz)
  add_custom_command(OUTPUT ${HIBIOPEN_MAN_PAGE}
    COMMAND gzip -9 -n -c ${CMAKE_CURRENT_SOURCE_DIR}/doc/hibiopen.1 > ${HIBIOPEN_MAN_PAGE}
    DEPENDS doc/hibiopen.1
    COMMENT "Compressing the manual page")
  add_custom_target(hibiopen_man_page ALL DEPENDS ${HIBIOPEN_MAN_PAGE})
  install(FILES ${HIBIOPEN_MAN_PAGE} DESTINATION share/man/man1)
  install(FILES doc/hibiopen-today-log.desktop DESTINATION share/doc/hibiopen/examples)

  set(CPACK_GENERATOR DEB)
  set(CPACK_STRIP_FILES ON)  # HIBIOPEN.EXE is stripped when it is linked
  set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
  set(CPACK_DEBIAN_PACKAGE_SECTION utils)
  set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
  # posix_spawn and the rest of the C library as of glibc 2.34; the opener
  # comes from xdg-utils, the dialogs from any one of the three.
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "libc6 (>= 2.34), xdg-utils")
  set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "zenity | kdialog | x11-utils")
  set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "hibiopen opens the file whose name carries today's date, such as a \
daily log named NI970321.LOG, or yesterday's when today's is missing. A selector of date \
digits picks the characters of the date that replace the first '*' of a file pattern; the \
file is opened with the desktop's opener or with a named application. Its messages are \
in Japanese.")
endif()
include(CPack)

if(HIBIOPEN_BUILD_TESTS AND NOT CMAKE_CROSSCOMPILING AND NOT WIN32)
  add_test(NAME deb_package COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/cmake/packaging_test.sh
                                    ${CMAKE_BINARY_DIR})
endif()

if(HIBIOPEN_BUILD_TESTS AND WIN32 AND CMAKE_SIZEOF_VOID_P EQUAL 4)
  add_test(NAME zip_package COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/cmake/zip_test.sh
                                    ${CMAKE_BINARY_DIR} $<TARGET_FILE:hibiopen_exe>)
endif()
