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
