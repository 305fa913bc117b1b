# Which Windows the tests are built for and Wine runs, on this machine.
# shellcheck shell=bash
#
# The program is a 32-bit Windows program, and it and its tests run as such wherever this
# machine's kernel runs 32-bit code. A kernel that runs none (its 32-bit emulation off, or a guest
# that cannot have it) starts none of Wine's 32-bit side: there the tests are built for 64-bit
# Windows from the same sources and run under Wine's 64-bit loader, and the 32-bit program is
# built beside them. PIX_ARCH=i686 or x86_64 chooses by hand.
#
# Sets PIX_ARCH, PIX_TOOLCHAIN and WINEARCH; for x86_64 puts tools/wine64 (a `wine` that starts
# the 64-bit loader) first on PATH.

pix_wine_env() {
  local root="$1"
  if [ -z "${PIX_ARCH:-}" ]; then
    # Wine's 32-bit loader starts wherever the kernel runs 32-bit code (or is not installed yet).
    if [ ! -x /usr/lib/wine/wine ] || /usr/lib/wine/wine --version >/dev/null 2>&1; then
      PIX_ARCH=i686
    else
      PIX_ARCH=x86_64
    fi
  fi
  export PIX_ARCH
  export PIX_TOOLCHAIN="$root/cmake/mingw-$PIX_ARCH.cmake"
  if [ "$PIX_ARCH" = x86_64 ]; then
    export WINEARCH=win64
    case ":$PATH:" in
    *":$root/tools/wine64:"*) ;;
    *) export PATH="$root/tools/wine64:$PATH" ;;
    esac
  else
    export WINEARCH=win32
  fi
}

# Usage: pix_configure <source> <build folder>
# Configures the build folder for PIX_TOOLCHAIN; a folder configured for the other processor
# starts again, since CMake keeps its first compiler.
pix_configure() {
  local src="$1" build="$2" cache="$2/CMakeCache.txt"
  if [ -f "$cache" ] && ! grep -q "^CMAKE_TOOLCHAIN_FILE:[A-Z]*=$PIX_TOOLCHAIN\$" "$cache"; then
    rm -rf "$cache" "$build/CMakeFiles"
  fi
  cmake -S "$src" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$PIX_TOOLCHAIN" >/dev/null
}
