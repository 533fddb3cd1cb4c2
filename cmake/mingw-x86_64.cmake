# Toolchain for the 64-bit build that runs the tests under wine64. The posix
# flavour of the compiler gives GoogleTest the std::mutex it needs.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(MINGW_TRIPLET x86_64-w64-mingw32)
set(MINGW_THREADS posix)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
