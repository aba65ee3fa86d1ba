# Cross toolchain: 64-bit Windows, for the Wine runs on a machine that runs no 32-bit
# programs (scripts/wine_build). The shipped binaries are the 32-bit ones.
set(VARIMO_MINGW_CPU x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-i686.cmake)
