#!/usr/bin/env bash
# The Debian package of the native program: scripts/package-deb builds it,
# dpkg installs it into a root tree of the test's own (dpkg --root, with an
# empty package database), every listed file lands where it belongs, the
# program there prints its usage line, and removing the package leaves none
# of its files.
set -euo pipefail
here=$(cd "$(dirname "$0")/../.." && pwd)
out=${1:-$here/build/test-output/package}
rm -rf "$out"
mkdir -p "$out/root/var/lib/dpkg/info" "$out/root/var/lib/dpkg/updates"
touch "$out/root/var/lib/dpkg/status"
"$here/scripts/package-deb" >"$out/package.log" 2>&1
deb=$(sed -n 's/^package-deb: \(.*\.deb\) .*/\1/p' "$out/package.log")
cat "$out/package.log"
failed=0
check() {  # check CONDITION-EXIT-CODE MESSAGE
  if [ "$1" -eq 0 ]; then echo "ok   $2"; else echo "FAIL $2"; failed=1; fi
}
files=(usr/libexec/xscreensaver/terrava usr/share/xscreensaver/config/terrava.xml
       usr/share/man/man6/terrava.6.gz usr/share/doc/terrava/copyright usr/share/doc/terrava/changelog.gz)
# The private database lists no packages, so the dependencies are not checked there.
dpkg --root="$out/root" --force-not-root --force-depends --force-script-chrootless -i "$here/$deb" >/dev/null 2>&1
present=0
for f in "${files[@]}"; do [ -f "$out/root/$f" ] || { echo "missing $f"; present=1; }; done
check $present "dpkg installs every file where it is listed"
usage=0
"$out/root/usr/libexec/xscreensaver/terrava" -help | grep -q "^usage: terrava" || usage=1
check $usage "the installed program prints its usage line"
dpkg --root="$out/root" --force-not-root --force-script-chrootless -r terrava >/dev/null
left=0
for f in "${files[@]}"; do [ ! -e "$out/root/$f" ] || { echo "left behind: $f"; left=1; }; done
check $left "removing the package leaves none of its files"
exit $failed
