#!/usr/bin/env bash
# Configures and builds one of the trees:
#   scripts/build.sh native   - build/native: core, tool, tests (ASan + UBSan), fuzz replay
#   scripts/build.sh windows  - build/windows: terrava.scr and the Windows tests (packs its data
#                               archive with build/native's terrava-tool, which it builds first)
#   scripts/build.sh tool     - build/tool: an optimised terrava-tool without sanitizers, the one
#                               scene authors run, and the optimised native program terrava
# A tree is configured when it has no build files yet, and again whenever one of the -D options
# below differs from its CMake cache, so an option changed here reaches every existing tree.
# CMake's warnings and errors show on the terminal; its status lines go to <tree>/configure.log.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
cd "$here"
jobs=${TERRAVA_JOBS:-$(nproc)}

# cache_matches CACHE -DNAME=VALUE...: true when every NAME has VALUE in the cache file.
cache_matches() {
  local cache=$1 option name value line
  shift
  [ -f "$cache" ] || return 1
  for option in "$@"; do
    name=${option#-D}
    value=${name#*=}
    name=${name%%=*}
    line=$(grep -m 1 "^${name}:" "$cache" || true)
    [ -n "$line" ] && [ "${line#*=}" = "$value" ] || return 1
  done
}

# configure TREE -DNAME=VALUE...: configures the tree when it is new or its options changed.
configure() {
  local tree=$1
  shift
  if [ -f "$tree/build.ninja" ] && cache_matches "$tree/CMakeCache.txt" "$@"; then return 0; fi
  if [ -f "$tree/CMakeCache.txt" ] && ! grep -qx "CMAKE_GENERATOR:INTERNAL=Ninja" "$tree/CMakeCache.txt"; then
    echo "build.sh: $tree was made by another generator; configuring it afresh"
    rm -rf "$tree/CMakeCache.txt" "$tree/CMakeFiles"
  fi
  echo "build.sh: configuring $tree ($*)"
  mkdir -p "$tree"
  cmake -S . -B "$tree" -G Ninja "$@" >"$tree/configure.log"
}

native_options=(-DTERRAVA_SANITIZE=ON -DTERRAVA_FUZZ=OFF)

case "${1:-}" in
  native)
    configure build/native "${native_options[@]}"
    cmake --build build/native -j "$jobs" ;;
  tool)
    configure build/tool -DCMAKE_BUILD_TYPE=Release -DTERRAVA_SANITIZE=OFF -DTERRAVA_FUZZ=OFF
    cmake --build build/tool -j "$jobs" --target terrava-tool terrava
    echo "build.sh: $here/build/tool/tools/terrava-tool"
    echo "build.sh: $here/build/tool/bin/terrava" ;;
  windows)
    configure build/native "${native_options[@]}"
    cmake --build build/native -j "$jobs" --target terrava-tool
    configure build/windows -DCMAKE_TOOLCHAIN_FILE="$here/cmake/mingw-w64-x86_64.cmake" \
      -DCMAKE_BUILD_TYPE=Release -DTERRAVA_TOOL="$here/build/native/tools/terrava-tool"
    cmake --build build/windows -j "$jobs" ;;
  *)
    echo "usage: scripts/build.sh native|windows|tool" >&2; exit 2 ;;
esac
