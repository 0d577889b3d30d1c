#!/usr/bin/env bash
# Installs everything Terrava needs to build, run and test on Debian 12.
# Idempotent: installs only missing packages, and builds the Windows
# libjpeg only when it is not already in the build folder.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)

if [ "$(id -u)" -eq 0 ]; then sudo=""; else sudo="sudo"; fi

packages=(
  build-essential cmake ninja-build pkg-config dpkg-dev
  g++-mingw-w64-x86-64-posix mingw-w64-tools
  wine wine64 fonts-wine xvfb xauth xdotool x11-utils imagemagick
  libgl1-mesa-dri libosmesa6-dev libglu1-mesa-dev libgl-dev libx11-dev libxrandr-dev libsdl2-dev
  libgtest-dev googletest libbenchmark-dev
  clang libclang-rt-14-dev
  libjpeg62-turbo-dev libjpeg-turbo-progs
  libstb-dev vorbis-tools xscreensaver xscreensaver-gl-extra lintian
  unar nsis
  python3 python3-numpy python3-pil python3-ephem
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# The Windows build links mingw's posix-thread runtime.
if [ -x /usr/bin/x86_64-w64-mingw32-g++-posix ]; then
  cur=$(readlink -f /usr/bin/x86_64-w64-mingw32-g++ || true)
  case "$cur" in *posix*) ;; *)
    $sudo update-alternatives --set x86_64-w64-mingw32-g++ /usr/bin/x86_64-w64-mingw32-g++-posix >/dev/null
    $sudo update-alternatives --set x86_64-w64-mingw32-gcc /usr/bin/x86_64-w64-mingw32-gcc-posix >/dev/null ;;
  esac
fi

"$here/scripts/build-libjpeg.sh" windows
