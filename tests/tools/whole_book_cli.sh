#!/usr/bin/env bash
# tinkeli-tool book: a pupil's book and the demo class book as one PDF, their
# pages, footers and cover, drawn at the paper's resolution whatever the
# screen; the exit codes; and no class or pupil file written.
set -euo pipefail
tool=$1
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

"$tool" demo-class "$tmp/klasse" > /dev/null
kla="$tmp/klasse/4a.kla"
( cd "$tmp/klasse" && md5sum * ) > "$tmp/before.md5"
pages() { pdfinfo "$1" | awk '/^Pages:/ { print $2 }'; }
text() { pdftotext -layout -f "$2" -l "$2" "$1" -; }

# Ida's book: the student page, measurements, hobbies, the tree, six
# relatives' branch pages and the poetry book.
"$tool" book --class "$kla" --pupil 0 -o "$tmp/ida.pdf" > "$tmp/out.txt"
grep -q "^11 pages written" "$tmp/out.txt"
[ "$(pages "$tmp/ida.pdf")" = 11 ] || { echo "Ida's book has $(pages "$tmp/ida.pdf") pages"; exit 1; }
pdfinfo "$tmp/ida.pdf" | grep -q "^Title: *Ida Jensen$"
pdfinfo "$tmp/ida.pdf" | grep -q "^Page size: *842 x 595 pts (A4)"
text "$tmp/ida.pdf" 1 | grep -q "Ida Jensen .*Side 1 af 11"
text "$tmp/ida.pdf" 11 | grep -q "Side 11 af 11"
# One picture a page at 200 pixels an inch; on a screen of two device pixels
# a point the pages are drawn the same, not scaled up.
pdfimages -list "$tmp/ida.pdf" | awk 'NR > 2 { print $4, $5, $13, $14 }' > "$tmp/images.txt"
[ "$(wc -l < "$tmp/images.txt")" = 11 ]
[ "$(awk '$3 != 200 || $4 != 200' "$tmp/images.txt" | wc -l)" = 0 ] || { cat "$tmp/images.txt"; exit 1; }
QT_SCALE_FACTOR=2 "$tool" book --class "$kla" --pupil 0 -o "$tmp/ida2.pdf" > /dev/null
pdfimages -list "$tmp/ida2.pdf" | awk 'NR > 2 { print $4, $5, $13, $14 }' | cmp - "$tmp/images.txt"

# The class book: the cover, 24 books and the four statistics.
"$tool" book --class "$kla" -o "$tmp/klasse.pdf" > /dev/null
[ "$(pages "$tmp/klasse.pdf")" = 279 ] || { echo "the class book has $(pages "$tmp/klasse.pdf") pages"; exit 1; }
cover=$(text "$tmp/klasse.pdf" 1)
for line in "4.a" "Byskolen" "Lærer: Hansen" "$(date +%Y)" "Side 1 af 279"; do
  grep -qF "$line" <<< "$cover" || { echo "the cover lacks $line"; exit 1; }
done
text "$tmp/klasse.pdf" 2 | grep -q "Ida Jensen .*Side 2 af 279"
text "$tmp/klasse.pdf" 279 | grep -q "4.a, Byskolen – Højde .*Side 279 af 279"
( cd "$tmp/klasse" && md5sum -c --quiet "$tmp/before.md5" )

# Wrong use: exit 2, nothing written.
set +e
for args in "" "--class $kla" "--class $kla -o $tmp/bad.png" "--class $kla --pupil 24 -o $tmp/bad.pdf" \
            "--class $kla --pupil x -o $tmp/bad.pdf" "--class $kla --pupil -1 -o $tmp/bad.pdf" \
            "--class $kla -o $tmp/bad.pdf extra"; do
  "$tool" book $args > /dev/null 2> "$tmp/err.txt"; rc=$?
  [ $rc = 2 ] || { echo "book $args gave $rc"; exit 1; }
  [ -s "$tmp/err.txt" ] || { echo "book $args said nothing"; exit 1; }
done
# Files that cannot be read or written: exit 1, nothing written.
"$tool" book --class "$tmp/ingen.kla" -o "$tmp/bad.pdf" 2> /dev/null; [ $? = 1 ] || { echo "a missing class"; exit 1; }
"$tool" book --class "$kla" -o "$tmp/ikke/her.pdf" 2> /dev/null; [ $? = 1 ] || { echo "nowhere to write"; exit 1; }
"$tool" book --class "$kla" --archive "$tmp/ingen.BIN" -o "$tmp/bad.pdf" 2> "$tmp/err.txt"; rc=$?
[ $rc = 1 ] && grep -q "could not be read" "$tmp/err.txt" || { echo "a missing archive gave $rc"; exit 1; }
cp "$tmp/klasse/4a_Ida.ele" "$tmp/ida.ele"
printf 'noget andet' > "$tmp/klasse/4a_Ida.ele"
"$tool" book --class "$kla" --pupil 0 -o "$tmp/bad.pdf" 2> "$tmp/err.txt"; rc=$?
[ $rc = 1 ] && grep -q "could not be read" "$tmp/err.txt" || { echo "an unreadable pupil gave $rc"; exit 1; }
set -e
[ ! -e "$tmp/bad.pdf" ] && [ ! -e "$tmp/bad.png" ] || { echo "a refused book was written"; exit 1; }
cp "$tmp/ida.ele" "$tmp/klasse/4a_Ida.ele"
( cd "$tmp/klasse" && md5sum -c --quiet "$tmp/before.md5" )
echo ok
