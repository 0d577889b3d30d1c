#!/usr/bin/env bash
# Configures and builds one of the trees:
#   scripts/build.sh native   - build/native: core, tool, tests (ASan + UBSan), fuzz replay, benchmarks
#   scripts/build.sh windows  - build/windows: terrava.scr and the Windows tests (needs the native tool)
#   scripts/build.sh tool     - only the native terrava-tool
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
cd "$here"
jobs=${TERRAVA_JOBS:-$(nproc)}

configure_native() {
  [ -f build/native/build.ninja ] || cmake -S . -B build/native -G Ninja -DTERRAVA_SANITIZE=ON >/dev/null
}

case "${1:-}" in
  native)
    configure_native
    cmake --build build/native -j "$jobs" ;;
  tool)
    configure_native
    cmake --build build/native -j "$jobs" --target terrava-tool ;;
  windows)
    "$0" tool
    [ -f build/windows/build.ninja ] || cmake -S . -B build/windows -G Ninja \
      -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake -DCMAKE_BUILD_TYPE=Release \
      -DTERRAVA_TOOL="$here/build/native/tools/terrava-tool" >/dev/null
    cmake --build build/windows -j "$jobs" ;;
  *)
    echo "usage: scripts/build.sh native|windows|tool" >&2; exit 2 ;;
esac
