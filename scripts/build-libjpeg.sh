#!/usr/bin/env bash
# Builds libjpeg-turbo (API 62) from Debian's source package as a static
# library, for one of two builds, into build/deps/libjpeg-KIND:
#
#   windows - with the mingw-w64 toolchain, for terrava.scr;
#   fuzz    - with clang, AddressSanitizer, UndefinedBehaviorSanitizer and
#             libFuzzer's coverage instrumentation, so the JPEG fuzz target
#             sees stray reads and writes inside libjpeg (including its
#             writes into the saver's own pixel rows) and is guided by
#             libjpeg's code as well as the glue's.
#
# Skips the work when the library is already there.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
kind=${1:-}
case "$kind" in
  windows | fuzz) ;;
  *) echo "usage: scripts/build-libjpeg.sh windows|fuzz" >&2; exit 2 ;;
esac
prefix="$here/build/deps/libjpeg-$kind"
work="$here/build/deps/libjpeg-src-$kind"
if [ "$kind" = windows ]; then
  cmake_args=(-DCMAKE_TOOLCHAIN_FILE="$work/toolchain.cmake" -DCMAKE_BUILD_TYPE=Release)
else
  flags="-g -O1 -fno-omit-frame-pointer -fsanitize=address,undefined,fuzzer-no-link"
  cmake_args=(-DCMAKE_C_COMPILER=clang "-DCMAKE_C_FLAGS=$flags" -DCMAKE_BUILD_TYPE=None)
fi
[ -f "$prefix/lib/libjpeg.a" ] && exit 0

if [ "$(id -u)" -eq 0 ]; then sudo=""; else sudo="sudo"; fi

# Debian's entries as apt itself reads them, whichever files hold them
# (/etc/apt/sources.list, *.list or deb822 *.sources): "TYPE URI SUITE COMPONENT".
debian_entries() {
  apt-get indextargets --format '$(TARGET_OF) $(ORIGIN) $(REPO_URI) $(RELEASE) $(COMPONENT)' |
    awk '$2 == "Debian" { print $1, $3, $4, $5 }' | sort -u
}

# apt-get source needs deb-src entries. When the machine has none for Debian,
# one file of our own holds them, with the mirrors, suites and components of
# its deb entries; nothing else in /etc/apt is changed.
src_list=/etc/apt/sources.list.d/terrava-deb-src.list
ensure_debian_sources() {
  debian_entries | grep -q '^deb-src ' && return 0
  debian_entries | grep -q '^deb ' || $sudo apt-get update -qq  # origins are known once lists are fetched
  local entries
  entries=$(debian_entries | awk '$1 == "deb" { print "deb-src", $2, $3, $4 }')
  if [ -z "$entries" ]; then
    echo "setup: apt knows no Debian package source; add Debian 12's deb and deb-src entries, then rerun" >&2
    exit 1
  fi
  { echo "# Debian's source packages, added by Terrava's scripts/build-libjpeg.sh to build"
    echo "# libjpeg-turbo for Windows; the same mirrors as the deb entries. Safe to delete."
    echo "$entries"; } | $sudo tee "$src_list" >/dev/null
  echo "setup: wrote Debian's deb-src entries to $src_list (a file of its own)"
  $sudo apt-get update -qq
}
ensure_debian_sources

rm -rf "$work"; mkdir -p "$work"
( cd "$work" && apt-get source -qq --download-only libjpeg-turbo >/dev/null 2>&1 || apt-get source -qq --download-only libjpeg-turbo )
( cd "$work" && dpkg-source -x --no-check ./*.dsc src >/dev/null )
if [ "$kind" = windows ]; then
cat > "$work/toolchain.cmake" <<'TC'
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR AMD64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
TC
fi
cmake -S "$work/src" -B "$work/build" -G Ninja "${cmake_args[@]}" \
  -DCMAKE_INSTALL_PREFIX="$prefix" -DENABLE_SHARED=OFF -DENABLE_STATIC=ON \
  -DWITH_SIMD=OFF -DWITH_TURBOJPEG=OFF -DWITH_JPEG8=OFF -DWITH_JPEG7=OFF -Wno-dev >/dev/null
cmake --build "$work/build" --target jpeg-static >/dev/null
mkdir -p "$prefix/lib" "$prefix/include"
cp "$work/build/libjpeg.a" "$prefix/lib/"
cp "$work/build/jconfig.h" "$work/src/jpeglib.h" "$work/src/jmorecfg.h" "$work/src/jerror.h" "$prefix/include/"
rm -rf "$work"
echo "setup: built libjpeg ($kind) in $prefix"
