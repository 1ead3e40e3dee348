#!/usr/bin/env bash
# tinkeli-tool render page 11 to 13 on the demo class: every mode of the
# measurements, the class's offer and a pupil's hobbies, at school screen
# sizes; a mode without its unit is refused; and no file is ever written.
set -euo pipefail
tool=$1
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

kla=$("$tool" demo-class "$tmp/klasse")
sums() { (cd "$tmp/klasse" && find . -print0 | sort -z | xargs -0 stat -c "%n %s %Y.%y" && find . -type f -print0 | sort -z | xargs -0 sha256sum); }
sums > "$tmp/before.txt"
# The demo class offers no more than a class may: fifteen.
"$tool" export "$kla" -o "$tmp/k.json"
offer=$(grep '"Hobbyer"' "$tmp/k.json" | tail -1 | tr -cd 'x' | wc -c)
[ "$offer" -ge 1 ] && [ "$offer" -le 15 ] || { echo "the demo class offers $offer hobbies"; exit 1; }

expect_rc() {
  local want=$1; shift
  set +e; "$@" 2> "$tmp/err.txt"; local rc=$?; set -e
  [ "$rc" -eq "$want" ] || { echo "expected exit $want, got $rc: $*"; cat "$tmp/err.txt"; exit 1; }
}
png() { [ -s "$1" ] && [ "$(head -c 4 "$1" | tail -c 3)" = "PNG" ] || { echo "no PNG: $1"; exit 1; }; }

for m in 0 1 2 3 4 5; do
  "$tool" render page 11 --class "$kla" --mode "$m" -o "$tmp/maal$m.png"
  png "$tmp/maal$m.png"
done
# The modes show different numbers.
! cmp -s "$tmp/maal0.png" "$tmp/maal1.png"
! cmp -s "$tmp/maal1.png" "$tmp/maal5.png"
# Without a mode the page opens typing, as mode 0.
"$tool" render page 11 --class "$kla" -o "$tmp/maal.png"
cmp "$tmp/maal.png" "$tmp/maal0.png"

# Pupil 4 has not measured the hand span and the instep: modes 3 and 4 are
# refused, the foot (mode 5) is there.
expect_rc 2 "$tool" render page 11 --class "$kla" --pupil 4 --mode 3 -o "$tmp/no.png"
grep -q "measurement 13" "$tmp/err.txt"
expect_rc 2 "$tool" render page 11 --class "$kla" --pupil 4 --mode 4 -o "$tmp/no.png"
[ ! -e "$tmp/no.png" ]
"$tool" render page 11 --class "$kla" --pupil 4 --mode 5 -o "$tmp/foot.png"
png "$tmp/foot.png"
# A mode that does not exist, or on another page, is a usage error.
expect_rc 2 "$tool" render page 11 --class "$kla" --mode 6 -o "$tmp/no.png"
expect_rc 2 "$tool" render page 11 --class "$kla" --mode x -o "$tmp/no.png"
expect_rc 2 "$tool" render page 13 --class "$kla" --mode 1 -o "$tmp/no.png"
[ ! -e "$tmp/no.png" ]

for size in 1024x768 1280x1024 900x1040 1920x1080; do
  for p in 11 12 13; do
    "$tool" render page "$p" --class "$kla" --pupil 2 --size "$size" -o "$tmp/p$p-$size.png"
    png "$tmp/p$p-$size.png"
  done
done
# A pupil file alone renders its hobbies too.
"$tool" render page 13 --pupil-file "$tmp/klasse/4a_Ida.ele" -o "$tmp/ida.png"
png "$tmp/ida.png"

sums > "$tmp/after.txt"
diff "$tmp/before.txt" "$tmp/after.txt" || { echo "rendering changed the class folder"; exit 1; }
echo "book CLI: all checks passed"
