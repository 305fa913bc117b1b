#!/usr/bin/env bash
# Installs what the build and the tests need, only what is missing, and prepares the
# project's own Wine prefix under build/. Safe to run again: a second run installs nothing.
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="${PIX_BUILD_DIR:-$ROOT/build}"
export WINEPREFIX="${WINEPREFIX:-$BUILD/wineprefix}"
export WINEDEBUG=-all
source "$ROOT/tools/wine_env.sh"

SUDO=""
if [ "$(id -u)" -ne 0 ]; then
  SUDO="sudo"
fi

# What both builds need; the Windows tool chain and Wine's loader follow from the processor the
# tests are built for (tools/wine_env.sh).
PACKAGES=(
  cmake make googletest xvfb xauth x11-xkb-utils fonts-wine fonts-liberation imagemagick xdotool
  poppler-utils cups printer-driver-cups-pdf python3
  g++-mingw-w64-i686-posix gcc-mingw-w64-i686-posix binutils-mingw-w64-i686 mingw-w64-i686-dev
)
chosen_by_hand="${PIX_ARCH:-}"
pix_wine_env "$ROOT"
if [ "$PIX_ARCH" = i686 ]; then
  PACKAGES+=(wine wine32:i386 libcups2:i386)
else
  # Wine's 32-bit side cannot start on a kernel that runs no 32-bit code, and once installed it
  # takes the plain `wine` command: only the 64-bit loader goes in.
  if [ -n "$chosen_by_hand" ]; then
    echo "setup: PIX_ARCH=$PIX_ARCH: the tests are built for 64-bit Windows"
  else
    echo "setup: this machine's kernel runs no 32-bit programs: the tests are built for 64-bit Windows"
  fi
  PACKAGES+=(wine wine64 g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix
    binutils-mingw-w64-x86-64 mingw-w64-x86-64-dev)
fi

# The packages of those named that are not installed, a line each.
pix_missing_packages() {
  local p
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || echo "$p"
  done
}

# Installs the packages named, if any.
pix_install_packages() {
  [ $# -gt 0 ] || return 0
  echo "setup: installing $*"
  # A mirror caught mid-sync can fail one index (seen: bookworm-security's i386 list); the
  # rest still serve, so the install goes on and says why if it cannot.
  $SUDO apt-get update -qq || echo "setup: some package lists could not be read; going on" >&2
  local install=($SUDO env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends)
  if ! "${install[@]}" "$@" >/dev/null; then
    # Without one architecture's security list, the i386 and amd64 halves of a library pair
    # come in different versions; the main release has both in the same one.
    local release
    release="$(. /etc/os-release && echo "${VERSION_CODENAME:-}")"
    echo "setup: installing again from the $release release alone" >&2
    "${install[@]}" -t "$release" "$@" >/dev/null
  fi
}

if [ "$PIX_ARCH" = i686 ] && ! dpkg --print-foreign-architectures | grep -qx i386; then
  echo "setup: adding the i386 architecture"
  $SUDO dpkg --add-architecture i386
  pix_install_packages "${PACKAGES[@]}"
else
  mapfile -t missing < <(pix_missing_packages "${PACKAGES[@]}")
  pix_install_packages "${missing[@]}"
fi

# Printing: a running cupsd with a default PDF queue.
if ! lpstat -r >/dev/null 2>&1 || ! lpstat -r 2>/dev/null | grep -q "is running"; then
  $SUDO mkdir -p /run/cups
  ($SUDO cupsd >/dev/null 2>&1 || true)
  for _ in $(seq 1 50); do
    lpstat -r 2>/dev/null | grep -q "is running" && break
    sleep 0.1
  done
fi
if ! lpstat -p PDF >/dev/null 2>&1; then
  ppd="$(ls /usr/share/ppd/cups-pdf/*.ppd 2>/dev/null | head -n1 || true)"
  if [ -n "$ppd" ]; then
    $SUDO lpadmin -p PDF -E -v cups-pdf:/ -P "$ppd" || echo "setup: could not create the PDF queue" >&2
  else
    $SUDO lpadmin -p PDF -E -v cups-pdf:/ -m lsb/usr/cups-pdf/CUPS-PDF_opt.ppd ||
      echo "setup: could not create the PDF queue" >&2
  fi
fi
if ! lpstat -d 2>/dev/null | grep -q "PDF"; then
  $SUDO lpoptions -d PDF >/dev/null 2>&1 || true
fi

if ! why="$(wine --version 2>&1)"; then
  echo "setup: Wine cannot start here, so neither the program nor its tests can run: $why" >&2
  exit 1
fi

# The project's Wine prefix: booted once, without the Mono/Gecko installers.
mkdir -p "$BUILD"
if [ "$(cat "$WINEPREFIX/.pix-ready" 2>/dev/null)" != "$WINEARCH" ]; then
  echo "setup: preparing the Wine prefix in $WINEPREFIX"
  rm -rf "$WINEPREFIX"
  WINEDLLOVERRIDES="mscoree=;mshtml=" wineboot -i >/dev/null 2>&1 || true
  wineserver -w || true
  fonts="$WINEPREFIX/drive_c/windows/Fonts"
  mkdir -p "$fonts"
  for f in marlett.ttf tahoma.ttf tahomabd.ttf; do
    [ -f "/usr/share/wine/fonts/$f" ] && cp "/usr/share/wine/fonts/$f" "$fonts/"
  done
  reg="$BUILD/pix-prefix.reg"
  cat >"$reg" <<'REG'
REGEDIT4

[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]
"Arial"="Liberation Sans"
"Arial Narrow"="Liberation Sans Narrow"
"Times New Roman"="Liberation Serif"
"Courier New"="Liberation Mono"

[HKEY_CURRENT_USER\Software\Wine\WineDbg]
"ShowCrashDialog"=dword:00000000

[HKEY_CURRENT_USER\Software\Wine\X11 Driver]
"Managed"="N"
REG
  wine regedit /S "$reg" >/dev/null 2>&1
  wineserver -w || true
  echo "$WINEARCH" >"$WINEPREFIX/.pix-ready"
fi
