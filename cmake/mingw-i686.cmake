# Cross-compiling for 32-bit Windows: the program, and its tests wherever this machine runs 32-bit
# code.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(PIX_MINGW_TRIPLE i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)

# Tests run under Wine; tools/test.sh points WINEPREFIX at the project's own prefix.
find_program(WINE_PROGRAM NAMES wine REQUIRED)
set(CMAKE_CROSSCOMPILING_EMULATOR ${WINE_PROGRAM})
