#!/usr/bin/env bash
# Checks a built Debian package: it holds the programs, the desktop entry, the icon and the
# manual page; its entry passes desktop-file-validate; its dependencies came from the binaries.
#   packaging/check-package.sh PACKAGE.deb BUILD_DIR
set -euo pipefail
deb=$1
build=$2
fail() { echo "check-package: $*" >&2; exit 1; }

files=$(dpkg-deb -c "$deb" | awk '{print $NF}')
want=(./usr/bin/linkrake-cli
      ./usr/share/applications/linkrake.desktop
      ./usr/share/icons/hicolor/32x32/apps/linkrake.png
      ./usr/share/man/man1/linkrake-cli.1.gz)
# The window is part of the package whenever the build made it.
window=$(find "$build" -type f -name Linkrake -perm -u+x -print -quit)
[ -n "$window" ] && want+=(./usr/bin/Linkrake)
for page in src/about/help/*.html; do
  [ -f "$page" ] && want+=("./usr/share/doc/linkrake/$(basename "$page")")
done
for f in "${want[@]}"; do
  grep -qxF -- "$f" <<<"$files" || fail "$f is missing from $deb"
done

[ "$(dpkg-deb -f "$deb" Package)" = linkrake ] || fail "the package is not named linkrake"
depends=$(dpkg-deb -f "$deb" Depends)
grep -q 'libc6' <<<"$depends" || fail "no dependencies from the binaries: '$depends'"

unpacked=$(mktemp -d)
trap 'rm -rf "$unpacked"' EXIT
dpkg-deb -x "$deb" "$unpacked"
# Every library a packaged program loads comes with a package it depends on.
needed=$(for b in "$unpacked"/usr/bin/*; do
  readelf -d "$b" | sed -n 's/.*Shared library: \[\(.*\)\]/\1/p'
done)
for pair in libcurl:libcurl libQt6Widgets:libqt6widgets6; do
  if grep -q "^${pair%%:*}" <<<"$needed" && ! grep -q "${pair#*:}" <<<"$depends"; then
    fail "${pair%%:*} is loaded but no dependency brings it: '$depends'"
  fi
done
desktop-file-validate "$unpacked/usr/share/applications/linkrake.desktop" \
  || fail "the desktop entry does not validate"
file "$unpacked/usr/share/icons/hicolor/32x32/apps/linkrake.png" | grep -q 'PNG image data, 32 x 32' \
  || fail "the icon is not a 32x32 PNG"
zcat "$unpacked/usr/share/man/man1/linkrake-cli.1.gz" | grep -q '^\.TH LINKRAKE-CLI 1' \
  || fail "the manual page is not a section 1 page"
"$unpacked/usr/bin/linkrake-cli" --version | grep -q '^linkrake-cli ' \
  || fail "the packaged linkrake-cli does not run"
echo "check-package: $deb is complete"
