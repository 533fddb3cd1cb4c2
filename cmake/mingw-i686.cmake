# Toolchain for the shipped 32-bit HIBIOPEN.EXE. The program has no threads, so
# the win32 flavour of the compiler, which needs no thread library, is used.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(MINGW_TRIPLET i686-w64-mingw32)
set(MINGW_THREADS win32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
