#!/usr/bin/env bash
# tinkeli-tool save-page and class-csv: the pages' printed areas written as
# "Gem side som billede..." writes them, and the pupil list to and from a
# spreadsheet file; no class or pupil file is written by a picture.
set -euo pipefail
tool=$1
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

"$tool" demo-class "$tmp/klasse" > /dev/null
kla="$tmp/klasse/4a.kla"
( cd "$tmp/klasse" && md5sum * ) > "$tmp/before.md5"

u32() { od -An -tu4 -j"$2" -N4 "$1" | tr -d ' '; }
u16() { od -An -tu2 -j"$2" -N2 "$1" | tr -d ' '; }
# A 24-bit, uncompressed bitmap of W x H whose sizes count the row padding.
check_bmp() {
  local f=$1 w=$2 h=$3
  [ "$(head -c 2 "$f")" = "BM" ] || { echo "$f: no bitmap"; exit 1; }
  local row=$(( (w * 3 + 3) / 4 * 4 ))
  [ "$(u32 "$f" 18)" = "$w" ] && [ "$(u32 "$f" 22)" = "$h" ] || { echo "$f: not $w x $h"; exit 1; }
  [ "$(u16 "$f" 28)" = 24 ] && [ "$(u32 "$f" 30)" = 0 ] || { echo "$f: not 24-bit uncompressed"; exit 1; }
  [ "$(u32 "$f" 34)" = $(( row * h )) ] || { echo "$f: image size without padding"; exit 1; }
  [ "$(u32 "$f" 2)" = "$(stat -c %s "$f")" ] || { echo "$f: file size"; exit 1; }
}

# The overview and the student page at 1920 x 1080.
"$tool" save-page 1 --class "$kla" -o "$tmp/klasse.bmp"
check_bmp "$tmp/klasse.bmp" 1706 1080
"$tool" save-page 3 --class "$kla" --pupil 2 -o "$tmp/elev.bmp"
check_bmp "$tmp/elev.bmp" 1492 1080
# Every page that has a picture, at the smallest school screen: the editors
# between their columns (1024 - 2 * 142), the tree beside its one column.
for n in 4 5 6 7 8 9 10; do
  "$tool" save-page $n --class "$kla" --pupil 5 --size 1024x768 -o "$tmp/side$n.bmp"
  check_bmp "$tmp/side$n.bmp" 740 768
done
"$tool" save-page 14 --class "$kla" --pupil 5 --size 1024x768 -o "$tmp/side14.bmp"
check_bmp "$tmp/side14.bmp" 882 768
# PNG and a one-page PDF, and a pupil file alone.
"$tool" save-page 3 --pupil-file "$tmp/klasse/4a_Ida.ele" --size 1280x1024 -o "$tmp/ida.PNG"
[ "$(head -c 4 "$tmp/ida.PNG" | tail -c 3)" = "PNG" ]
"$tool" save-page 1 --class "$kla" -o "$tmp/klasse.pdf"
[ "$(head -c 4 "$tmp/klasse.pdf")" = "%PDF" ]
[ "$(grep -a -c '/Type /Page$' "$tmp/klasse.pdf")" = 1 ]
# On a screen of two device pixels a point the picture has the screen's
# pixels: the student page at 960 x 540 points is 1492 x 1080 pixels.
QT_SCALE_FACTOR=2 "$tool" save-page 3 --class "$kla" --size 960x540 -o "$tmp/hidpi.bmp"
check_bmp "$tmp/hidpi.bmp" 1492 1080

# No picture: the class setup (exit 1), a page that is not there (exit 1),
# a file type that is not offered (exit 2).
for args in "2 -o $tmp/bad.bmp" "19 -o $tmp/bad.bmp" "3 -o $tmp/bad.jpg"; do
  if "$tool" save-page $args --class "$kla" 2> "$tmp/err.txt"; then
    echo "save-page $args was accepted"; exit 1
  fi
  [ -s "$tmp/err.txt" ] || { echo "save-page $args said nothing"; exit 1; }
  [ ! -e "$tmp/bad.bmp" ] && [ ! -e "$tmp/bad.jpg" ] || { echo "save-page $args wrote a file"; exit 1; }
done
set +e
"$tool" save-page 3 --class "$kla" -o "$tmp/bad.jpg" 2> /dev/null; [ $? = 2 ] || { echo "a .jpg is not exit 2"; exit 1; }
"$tool" save-page 2 --class "$kla" -o "$tmp/bad.bmp" 2> /dev/null; [ $? = 1 ] || { echo "page 2 is not exit 1"; exit 1; }
set -e
( cd "$tmp/klasse" && md5sum -c --quiet "$tmp/before.md5" )

# ---- the pupil list ----
"$tool" class-csv export "$kla" -o "$tmp/liste.csv"
[ "$(head -c 3 "$tmp/liste.csv" | od -An -tx1 | tr -d ' ')" = "efbbbf" ]
head -n 1 "$tmp/liste.csv" | tail -c +4 | grep -q $'^Kaldenavn;Fulde navn;Fødselsdag;Køn;Elevkode\r$'
[ "$(wc -l < "$tmp/liste.csv")" = 25 ]
( cd "$tmp/klasse" && md5sum -c --quiet "$tmp/before.md5" )

# Into the same class every row is already there: exit 3, nothing written.
set +e
"$tool" class-csv import "$tmp/liste.csv" --into "$kla" > /dev/null 2> "$tmp/err.txt"; rc=$?
set -e
[ $rc = 3 ] || { echo "importing duplicates gave $rc"; exit 1; }
grep -q "^Disse rækker blev ikke taget med:" "$tmp/err.txt"
[ "$(grep -c 'findes allerede' "$tmp/err.txt")" = 24 ]
( cd "$tmp/klasse" && md5sum -c --quiet "$tmp/before.md5" )

# Into a new, empty class: the class and every pupil's file are written, and
# its list is the same list.
mkdir "$tmp/ny"
printf '{"Skole":"Byskolen","Klasse":"5b","Laerer":"","Kode":"","Hobbyer":"","Elever":[]}' > "$tmp/ny.json"
"$tool" import "$tmp/ny.json" -o "$tmp/ny/5b.kla"
"$tool" class-csv import "$tmp/liste.csv" --into "$tmp/ny/5b.kla" > "$tmp/out.txt"
grep -q "^24 pupils added" "$tmp/out.txt"
[ "$(ls "$tmp/ny"/*.ele | wc -l)" = 24 ]
"$tool" class-csv export "$tmp/ny/5b.kla" -o "$tmp/ny.csv"
cmp "$tmp/liste.csv" "$tmp/ny.csv"

# Usage and unreadable files.
set +e
"$tool" class-csv 2> /dev/null; [ $? = 2 ] || { echo "no usage"; exit 1; }
"$tool" class-csv export "$kla" 2> /dev/null; [ $? = 2 ] || { echo "export without -o"; exit 1; }
"$tool" class-csv import "$tmp/nothing.csv" --into "$kla" 2> /dev/null; [ $? = 1 ] || { echo "a missing list"; exit 1; }
printf 'Navn\nIda\n' > "$tmp/noter.csv"
"$tool" class-csv import "$tmp/noter.csv" --into "$kla" 2> /dev/null; [ $? = 2 ] || { echo "not a list"; exit 1; }
set -e
( cd "$tmp/klasse" && md5sum -c --quiet "$tmp/before.md5" )
echo ok
