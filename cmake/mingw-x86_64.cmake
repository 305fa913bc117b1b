# Cross-compiling for 64-bit Windows: the tests' build on a machine whose kernel runs no 32-bit code
# (tools/wine_env.sh). The program ships as the 32-bit build of cmake/mingw-i686.cmake.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(PIX_MINGW_TRIPLE x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)

# Wine's 64-bit loader, by name: Debian's wine script starts the 32-bit one whenever it is installed.
find_program(WINE_PROGRAM NAMES wine64 PATHS /usr/lib/wine NO_DEFAULT_PATH REQUIRED)
set(CMAKE_CROSSCOMPILING_EMULATOR ${WINE_PROGRAM})
