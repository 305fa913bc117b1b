# What both tool-chain files share: Debian's MinGW-w64 (posix thread model) for PIX_MINGW_TRIPLE,
# Windows XP headers, ANSI, SSE2 arithmetic everywhere so float results match the reference machine
# (x87 excess precision changes truncated divisions), a static runtime. The project applies these
# flags to every translation unit (CMakeLists.txt), whatever the cache holds.
set(CMAKE_SYSTEM_NAME Windows)

set(CMAKE_C_COMPILER ${PIX_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${PIX_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${PIX_MINGW_TRIPLE}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${PIX_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

set(PIX_TARGET_FLAGS -msse2 -mfpmath=sse -DWINVER=0x0501 -D_WIN32_WINNT=0x0501 -D_WIN32_IE=0x0501 -D_MBCS)
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
