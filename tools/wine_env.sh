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

# Whether this machine's kernel starts a 32-bit x86 program: a 93-byte static i386 program that
# only exits 0 is written and run. Asked of the kernel itself, not of Wine, so that set-up knows
# before anything is installed whether Wine's 32-bit side could ever start here.
pix_runs_32bit_code() {
  local probe status=0
  probe="$(mktemp "${TMPDIR:-/tmp}/pix-i386.XXXXXX")" || return 0
  # The ELF header; one loadable segment, the whole file at 0x08048000; then mov eax,1 /
  # xor ebx,ebx / int 0x80.
  printf '\177\105\114\106\1\1\1\0\0\0\0\0\0\0\0\0\2\0\3\0\1\0\0\0\124\200\4\10\64\0\0\0\0\0\0\0\0\0\0\0\64\0\40\0\1\0\0\0\0\0\0\0' >"$probe"
  printf '\1\0\0\0\0\0\0\0\0\200\4\10\0\200\4\10\135\0\0\0\135\0\0\0\5\0\0\0\0\20\0\0' >>"$probe"
  printf '\270\1\0\0\0\61\333\315\200' >>"$probe"
  chmod +x "$probe"
  "$probe" 2>/dev/null || status=$?
  rm -f "$probe"
  return $status
}

pix_wine_env() {
  local root="$1"
  if [ -z "${PIX_ARCH:-}" ]; then
    if pix_runs_32bit_code; then
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
