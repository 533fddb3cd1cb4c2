# The Windows build: HIBIOPEN.EXE with its resources, and, in the 64-bit
# build, the tests that run it under wine64. Included from CMakeLists.txt when
# cross-compiling for Windows with one of the toolchain files in this folder.
enable_language(RC)

# Every byte counts in the shipped program: unused functions and data are
# dropped at link time.
set(HIBIOPEN_WIN32_CODE_OPTIONS -fno-exceptions -fno-rtti -ffunction-sections -fdata-sections)
target_compile_options(hibiopen_core PRIVATE -ffunction-sections -fdata-sections)

add_library(hibiopen_win32 STATIC
  src/platform/clock_win32.cpp
  src/platform/command_tail_win32.cpp
  src/platform/file_status_win32.cpp
  src/platform/message_box_win32.cpp
  src/platform/shell_open_win32.cpp
)
target_link_libraries(hibiopen_win32 PUBLIC hibiopen_core)
target_compile_options(hibiopen_win32 PRIVATE ${HIBIOPEN_WIN32_CODE_OPTIONS})

# The icons, built from their pixel maps.
set(HIBIOPEN_ICON_DIR ${CMAKE_CURRENT_BINARY_DIR}/res)
set(HIBIOPEN_ICONS)
foreach(icon hibiopen log)
  set(ico ${HIBIOPEN_ICON_DIR}/${icon}.ico)
  add_custom_command(OUTPUT ${ico}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${HIBIOPEN_ICON_DIR}
    COMMAND sh ${CMAKE_CURRENT_SOURCE_DIR}/res/make_ico.sh
            ${CMAKE_CURRENT_SOURCE_DIR}/res/${icon}_icon.txt ${ico}
    DEPENDS res/make_ico.sh res/${icon}_icon.txt
    COMMENT "Building icon ${icon}.ico"
    VERBATIM)
  list(APPEND HIBIOPEN_ICONS ${ico})
endforeach()
set_source_files_properties(res/hibiopen.rc PROPERTIES
  OBJECT_DEPENDS "${HIBIOPEN_ICONS}"
  INCLUDE_DIRECTORIES ${HIBIOPEN_ICON_DIR})

# HIBIOPEN.EXE: a GUI program for Windows 95 and later, linked statically
# against the C++ and compiler run times so that it needs only system DLLs.
add_executable(hibiopen_exe WIN32 src/platform/main_win32.cpp res/hibiopen.rc)
set_target_properties(hibiopen_exe PROPERTIES OUTPUT_NAME HIBIOPEN SUFFIX .EXE)
target_compile_options(hibiopen_exe PRIVATE
  $<$<COMPILE_LANGUAGE:CXX>:${HIBIOPEN_WIN32_CODE_OPTIONS}>)
# The core and the Win32 layer call each other; the linker sees them as one
# group.
target_link_libraries(hibiopen_exe PRIVATE
  "$<LINK_GROUP:RESCAN,hibiopen_core,hibiopen_win32>" shell32)
target_link_options(hibiopen_exe PRIVATE
  -static -static-libgcc -static-libstdc++ -s -Wl,--gc-sections
  -Wl,--subsystem,windows:4.0 -Wl,--major-os-version,4 -Wl,--minor-os-version,0)
install(TARGETS hibiopen_exe RUNTIME DESTINATION .)

if(HIBIOPEN_BUILD_TESTS AND CMAKE_SIZEOF_VOID_P EQUAL 4)
  enable_testing()
  # The shipped program: its format, imports, size and resources.
  add_test(NAME hibiopen_exe_checks
    COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/res/hibiopen_exe_test.sh
            $<TARGET_FILE:hibiopen_exe> ${CMAKE_OBJDUMP})
endif()

if(HIBIOPEN_BUILD_TESTS AND CMAKE_SIZEOF_VOID_P EQUAL 8)
  enable_testing()

  # GoogleTest from Debian's sources, built with this compiler and without the
  # project's warning options.
  get_directory_property(HIBIOPEN_SAVED_COMPILE_OPTIONS COMPILE_OPTIONS)
  set_directory_properties(PROPERTIES COMPILE_OPTIONS "")
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_CURRENT_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  set_directory_properties(PROPERTIES COMPILE_OPTIONS "${HIBIOPEN_SAVED_COMPILE_OPTIONS}")

  # The Win32 layer on a real Wine system.
  add_executable(win32_tests
    src/platform/clock_win32_test.cpp
    src/platform/command_tail_win32_test.cpp
    src/platform/file_status_win32_test.cpp
    src/platform/message_box_win32_test.cpp
    src/platform/win32_test_main.cpp
    src/platform/win32_test_util.cpp
  )
  target_link_libraries(win32_tests PRIVATE
    "$<LINK_GROUP:RESCAN,hibiopen_core,hibiopen_win32>" gtest shell32)
  target_link_options(win32_tests PRIVATE -static)

  # The application HIBIOPEN.EXE starts in the tests: it records its command
  # line.
  add_executable(recorder WIN32 src/platform/shell_open_win32_recorder.cpp)
  target_link_options(recorder PRIVATE -static)

  # Every test shares one fresh prefix, made first, and runs alone in it.
  set(HIBIOPEN_WINE_RUN ${CMAKE_CURRENT_SOURCE_DIR}/scripts/wine-run)
  set(HIBIOPEN_WINE_ENV WINEPREFIX=${CMAKE_CURRENT_BINARY_DIR}/wine-prefix TZ=UTC)
  add_test(NAME wine_prefix COMMAND ${HIBIOPEN_WINE_RUN} --init)
  set_tests_properties(wine_prefix PROPERTIES FIXTURES_SETUP wine)
  add_test(NAME win32_tests COMMAND ${HIBIOPEN_WINE_RUN} $<TARGET_FILE:win32_tests>)
  # The same under code page 932, which Wine takes from a Japanese locale; the
  # locale is compiled for the tests, so that the system needs none.
  set(HIBIOPEN_LOCALE_DIR ${CMAKE_CURRENT_BINARY_DIR}/locale)
  file(MAKE_DIRECTORY ${HIBIOPEN_LOCALE_DIR})
  add_test(NAME ja_locale
    COMMAND localedef -i ja_JP -f UTF-8 ${HIBIOPEN_LOCALE_DIR}/ja_JP.UTF-8)
  set_tests_properties(ja_locale PROPERTIES FIXTURES_SETUP ja_locale)
  add_test(NAME win32_tests_cp932 COMMAND ${HIBIOPEN_WINE_RUN} $<TARGET_FILE:win32_tests>)
  # The whole program on an X display.
  add_test(NAME hibiopen_under_wine
    COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/src/platform/main_win32_wine_test.sh
            $<TARGET_FILE:hibiopen_exe> $<TARGET_FILE:recorder>
            ${CMAKE_CURRENT_BINARY_DIR}/about-wine.png)
  set(HIBIOPEN_WINE_TESTS wine_prefix win32_tests win32_tests_cp932 hibiopen_under_wine)
  set_tests_properties(${HIBIOPEN_WINE_TESTS} PROPERTIES
    ENVIRONMENT "${HIBIOPEN_WINE_ENV}"
    SKIP_RETURN_CODE 77
    RESOURCE_LOCK wine
    TIMEOUT 900)
  set_tests_properties(win32_tests win32_tests_cp932 hibiopen_under_wine PROPERTIES
    FIXTURES_REQUIRED wine)
  set_property(TEST win32_tests_cp932 APPEND PROPERTY
    ENVIRONMENT LC_ALL=ja_JP.UTF-8 LOCPATH=${HIBIOPEN_LOCALE_DIR} HIBIOPEN_TEST_ACP=932)
  set_property(TEST win32_tests_cp932 APPEND PROPERTY FIXTURES_REQUIRED ja_locale)
endif()
