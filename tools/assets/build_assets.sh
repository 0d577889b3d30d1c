#!/usr/bin/env bash
# Rebuilds Terrava's shipped pictures, meshes and music from Debian packages
# and the generators in this folder, writing into the source tree. Run by
# hand when content changes; the results are committed. A rerun gives the
# same bytes. See tools/assets/README.md.
#
# Usage: tools/assets/build_assets.sh [--tool PATH] [STEP ...]
#   --tool PATH  a native terrava-tool (default build/tool/tools/terrava-tool,
#                made by scripts/build.sh tool); needed by the meshes and
#                bitmaps steps
#   STEP         fetch meshes earth clouds sky stars sprites lettering icon
#                music bitmaps gallery (default: all, in this order)
set -eu

REPO=$(cd "$(dirname "$0")/../.." && pwd)
WORK=$REPO/build/assets-src
PYTHON=/usr/bin/python3          # Debian's, with python3-numpy and python3-pil
TOOL=$REPO/build/tool/tools/terrava-tool
MUSIC_SERIAL=1996                # Ogg stream serial: fixed, so the file is reproducible
MUSIC_QUALITY=2                  # oggenc -q: about 70 kbit/s, 0.8 MB for the 96 s loop
# For a tool built with AddressSanitizer (build/native's): Mesa's own leaks are not ours.
export LSAN_OPTIONS="suppressions=$REPO/tests/lsan.supp${LSAN_OPTIONS:+:$LSAN_OPTIONS}"
# Python keeps its byte-code caches under build/, out of the source tree.
export PYTHONPYCACHEPREFIX="${PYTHONPYCACHEPREFIX:-$REPO/build/pycache}"

# Debian 12 packages and the files taken from each (nothing is installed).
PACKAGES="
xplanet-images=1.3.1-3 ./usr/share/xplanet/images/earth.jpg ./usr/share/xplanet/images/night.jpg ./usr/share/doc/xplanet-images/copyright
libmagics++-data=4.13.0-1 ./usr/share/magics/50m/ne_50m_land.shp ./usr/share/doc/libmagics++-data/copyright
flightgear-data-models=1:2020.3.16+dfsg-1 ./usr/share/games/flightgear/Models/Astro/Textures/clouds_N1.png ./usr/share/games/flightgear/Models/Astro/Textures/clouds_N2.png ./usr/share/games/flightgear/Models/Astro/Textures/clouds_N3.png ./usr/share/games/flightgear/Models/Astro/Textures/clouds_N4.png ./usr/share/games/flightgear/Models/Astro/Textures/clouds_S1.png ./usr/share/games/flightgear/Models/Astro/Textures/clouds_S2.png ./usr/share/games/flightgear/Models/Astro/Textures/clouds_S3.png ./usr/share/games/flightgear/Models/Astro/Textures/clouds_S4.png ./usr/share/doc/flightgear-data-models/copyright
stellarium-data=0.22.2-1 ./usr/share/stellarium/textures/milkyway.png ./usr/share/stellarium/textures/mars.png ./usr/share/doc/stellarium-data/copyright
fonts-dejavu-core=2.37-6 ./usr/share/fonts/truetype/dejavu/DejaVuSans.ttf ./usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf ./usr/share/doc/fonts-dejavu-core/copyright
"

fetch() {
  mkdir -p "$WORK/debs" "$WORK/root"
  echo "$PACKAGES" | while read -r package files; do
    [ -n "$package" ] || continue
    name=${package%%=*}
    version=${package#*=}
    deb=$(ls "$WORK/debs/${name}_"*"_all.deb" 2>/dev/null | head -n 1 || true)
    if [ -z "$deb" ]; then
      (cd "$WORK/debs" && apt-get download "$package")
      deb=$(ls "$WORK/debs/${name}_"*"_all.deb" | head -n 1)
    fi
    got=$(dpkg-deb -f "$deb" Version)
    [ "$got" = "$version" ] || { echo "fetch: $deb is version $got, not $version" >&2; exit 1; }
    # shellcheck disable=SC2086  # the file list is split on purpose
    dpkg-deb --fsys-tarfile "$deb" | tar -x -C "$WORK/root" $files
  done
}

meshes() {
  "$TOOL" mesh sphere 3 "$REPO/resources/data/meshes/sphere.dat"
  "$TOOL" mesh sphere 1 "$REPO/resources/data/meshes/sph_low.dat"
  "$TOOL" mesh cube "$REPO/resources/data/meshes/env.dat"
}

generate() {
  "$PYTHON" "$REPO/tools/assets/make_assets.py" --src "$WORK/root/usr/share" --repo "$REPO" --work "$WORK" "$@"
}

music() {
  generate music
  oggenc -Q -q "$MUSIC_QUALITY" -s "$MUSIC_SERIAL" "$WORK/music.wav" -o "$REPO/resources/data/music.ogg"
}

# The dialog picture and the preview are frames of the shipped scene.
bitmaps() {
  mkdir -p "$WORK/frames"
  "$TOOL" render "$REPO/resources/data" "$WORK/frames/bitmaps.png" --width 800 --height 600 --time 130
  generate --frame "$WORK/frames/bitmaps.png" bitmaps
}

# docs/gallery/: the views a person should look at after a change, as
# NAME:SECONDS of flight, or NAME:SECONDS:UTC for the Earth lit as it was at
# that instant (YYYY-MM-DDTHH:MM), each at 800 x 600, 1920 x 1080 and
# 2560 x 1080. "realtime" is the evening terminator over West Africa at the
# March equinox, in the real day and night.
GALLERY="day:132 terminator:138 night:234 sun:150 sunrise:168 eclipse:24 realtime:138:2026-03-20T18:00"
gallery() {
  mkdir -p "$WORK/frames"
  rm -f "$WORK/frames"/gallery_*.png
  local view name seconds utc size
  for view in $GALLERY; do
    IFS=: read -r name seconds utc <<<"$view"
    for size in 800x600 1920x1080 2560x1080; do
      "$TOOL" render "$REPO/resources/data" "$WORK/frames/gallery_${name}_$size.png" \
        --width "${size%x*}" --height "${size#*x}" --time "$seconds" ${utc:+--utc "$utc"}
    done
  done
  generate gallery
}

while [ $# -gt 0 ]; do
  case $1 in
    --tool) TOOL=$2; shift 2 ;;
    *) break ;;
  esac
done
STEPS=${*:-fetch meshes earth clouds sky stars sprites lettering icon music bitmaps gallery}
for step in $STEPS; do
  echo "== $step"
  case $step in
    fetch | meshes | music | bitmaps | gallery) $step ;;
    earth | clouds | sky | stars | sprites | lettering | icon) generate "$step" ;;
    *) echo "unknown step $step" >&2; exit 2 ;;
  esac
done
