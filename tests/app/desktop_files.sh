#!/usr/bin/env bash
# What `cmake --install` gives the desktop: the entry, the two file types and
# their icons, consistent with one another, and a type database that the
# desktop's own tool builds from them without a complaint.
# Usage: desktop_files.sh BUILD_DIR
# SPDX-License-Identifier: GPL-3.0-or-later
set -euo pipefail
build="$1"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
fail() { echo "desktop_files: $*" >&2; exit 1; }

cmake --install "$build" --prefix "$tmp/usr" >/dev/null
share="$tmp/usr/share"
xml="$share/mime/packages/tinkeli.xml"
desktop="$share/applications/tinkeli.desktop"
[ -f "$xml" ] || fail "no $xml"
[ -f "$desktop" ] || fail "no $desktop"

# The types the entry opens are exactly the types the package defines.
defined=$(grep -o '<mime-type type="[^"]*"' "$xml" | cut -d'"' -f2 | sort | tr '\n' ' ')
named=$(grep '^MimeType=' "$desktop" | cut -d= -f2 | tr ';' '\n' | grep -v '^$' | sort | tr '\n' ' ')
[ "$defined" = "application/x-tinkeli-elev application/x-tinkeli-klasse " ] || fail "defined: $defined"
[ "$named" = "$defined" ] || fail "the entry names '$named', the package defines '$defined'"
grep -q '^Exec=tinkeli %f$' "$desktop" || fail "Exec"

# Every icon the entry and the types use is there, scalable and in every size.
icon_of() { echo "${1//\//-}"; }
check_icon() { # name context
  [ -f "$share/icons/hicolor/scalable/$2/$1.svg" ] || fail "no scalable icon $1"
  for s in 16 24 32 48 64 128 256; do
    [ -f "$share/icons/hicolor/${s}x${s}/$2/$1.png" ] || fail "no ${s}x${s} icon $1"
  done
}
check_icon "$(grep '^Icon=' "$desktop" | cut -d= -f2)" apps
for t in $defined; do
  grep -q "<icon name=\"$(icon_of "$t")\"/>" "$xml" || fail "$t names another icon"
  check_icon "$(icon_of "$t")" mimetypes
done

# The desktop's database: names and globs as meant, and no warning.
if command -v update-mime-database >/dev/null; then
  XDG_DATA_DIRS="$share" update-mime-database "$share/mime" 2>"$tmp/warnings"
  [ ! -s "$tmp/warnings" ] || fail "update-mime-database: $(cat "$tmp/warnings")"
  grep -qx '50:application/x-tinkeli-klasse:\*\.kla' "$share/mime/globs2" || fail "no *.kla glob"
  grep -qx '50:application/x-tinkeli-elev:\*\.ele' "$share/mime/globs2" || fail "no *.ele glob"
  grep -q '<comment>Tinkeli-klasse</comment>' "$share/mime/application/x-tinkeli-klasse.xml" || fail "class name"
  grep -q '<comment>Tinkeli-elev</comment>' "$share/mime/application/x-tinkeli-elev.xml" || fail "pupil name"
fi
echo "desktop files ok"
