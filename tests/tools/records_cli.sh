#!/usr/bin/env bash
# tinkeli-tool export/import/demo-class end to end: every demo pupil survives
# export + import byte for byte, bad input is refused and writes nothing.
set -euo pipefail
tool=$1
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

"$tool" demo-class "$tmp/klasse" > "$tmp/path.txt"
kla=$(cat "$tmp/path.txt")
[ "$kla" = "$tmp/klasse/4a.kla" ] || { echo "demo class written to $kla"; exit 1; }

n=0
for f in "$tmp"/klasse/*.ele; do
  "$tool" export "$f" -o "$tmp/e.json"
  "$tool" import "$tmp/e.json" -o "$tmp/back.ele"
  cmp "$f" "$tmp/back.ele"
  n=$((n + 1))
done
[ "$n" -eq 24 ] || { echo "expected 24 pupils, found $n"; exit 1; }
# Pupil files hold Windows-1252; the JSON holds UTF-8.
grep -q "$(printf 'S\xf8ren')" "$tmp/klasse/4a_Søren.ele"
"$tool" export "$tmp/klasse/4a_Søren.ele" > "$tmp/soren.json"
grep -q '"Kaldenavn": "Søren"' "$tmp/soren.json"

# A class goes out and comes back with all its pupils.
"$tool" export "$kla" -o "$tmp/k.json"
grep -q '"Klasse": "4.a"' "$tmp/k.json"
mkdir "$tmp/k2"
"$tool" import "$tmp/k.json" -o "$tmp/k2/4a.kla"
for f in "$tmp"/klasse/*.ele; do cmp "$f" "$tmp/k2/$(basename "$f")"; done
cmp "$kla" "$tmp/k2/4a.kla" > /dev/null || true   # paths differ by folder; the pupils matter

# The demo class is the same every time.
"$tool" demo-class "$tmp/igen" > /dev/null
for f in "$tmp"/klasse/*.ele; do cmp "$f" "$tmp/igen/$(basename "$f")"; done

expect_rc() {
  local want=$1; shift
  set +e; "$@" 2> "$tmp/err.txt"; local rc=$?; set -e
  [ "$rc" -eq "$want" ] || { echo "expected exit $want, got $rc: $*"; cat "$tmp/err.txt"; exit 1; }
}

# Broken JSON, a wrong type, an unstorable character: exit 2, nothing written.
echo '{"FuldeNavn": 5' > "$tmp/bad.json"
expect_rc 2 "$tool" import "$tmp/bad.json" -o "$tmp/bad.ele"
[ ! -e "$tmp/bad.ele" ]
"$tool" export "$tmp/klasse/4a_Ida.ele" -o "$tmp/ida.json"
sed 's/"Kaldenavn": "Ida"/"Kaldenavn": "Łucja"/' "$tmp/ida.json" > "$tmp/pl.json"
expect_rc 2 "$tool" import "$tmp/pl.json" -o "$tmp/pl.ele"
[ ! -e "$tmp/pl.ele" ]
grep -q "cannot store" "$tmp/err.txt"
sed 's/"Maal": \[/"Maal": [1, /' "$tmp/ida.json" > "$tmp/maal.json"
expect_rc 2 "$tool" import "$tmp/maal.json" -o "$tmp/maal.ele"
[ ! -e "$tmp/maal.ele" ]
sed 's/"Elever": \[/"Elever": [7, /' "$tmp/k.json" > "$tmp/k-bad.json"
mkdir "$tmp/k3"
expect_rc 2 "$tool" import "$tmp/k-bad.json" -o "$tmp/k3/4a.kla"
[ -z "$(ls -A "$tmp/k3")" ]

# A JSON array at the top is not a pupil, and says so plainly.
echo '[1, 2]' > "$tmp/array.json"
expect_rc 2 "$tool" import "$tmp/array.json" -o "$tmp/array.ele"
grep -q "is not a JSON object but an array" "$tmp/err.txt"
if grep -q "no error" "$tmp/err.txt"; then echo "a parse error where there is none"; exit 1; fi
[ ! -e "$tmp/array.ele" ]

# A photo's base64 is decoded strictly: one foreign character, a line
# break, padding or a byte too many or too few is refused.
"$tool" export "$tmp/klasse/4a_Ida.ele" -o "$tmp/ida.json"
grep -q '"HarFoto": true' "$tmp/ida.json" || { echo "Ida has no photo to test with"; exit 1; }
# Ida's first photo cut out of her JSON, to be put back spoilt.
off=$(grep -m1 -b -o '"Foto": "' "$tmp/ida.json" | cut -d: -f1)
start=$((off + 9))
head -c "$start" "$tmp/ida.json" > "$tmp/pre"
head -c "$((start + 172800))" "$tmp/ida.json" | tail -c 172800 > "$tmp/photo"
tail -c +"$((start + 172800 + 1))" "$tmp/ida.json" > "$tmp/post"
[ "$(head -c 1 "$tmp/post")" = '"' ] || { echo "Ida's photo is not 172800 characters"; exit 1; }
p="$tmp/photo"
spoil() { { cat "$tmp/pre"; cat; cat "$tmp/post"; } > "$tmp/$1.json"; }
# Each of the first four would decode to the right size if junk were skipped.
{ head -c 1000 "$p"; printf '*'; tail -c +1001 "$p"; } | spoil star
{ head -c 76 "$p"; printf '\\n'; tail -c +77 "$p"; } | spoil newline
{ cat "$p"; printf ' '; } | spoil blank
{ cat "$p"; printf '===='; } | spoil equals
head -c 172796 "$p" | spoil short
{ cat "$p"; printf 'AAAA'; } | spoil long
{ head -c 172796 "$p"; printf 'AA=='; } | spoil padded
spoil same < "$p"
for bad in star newline blank equals short long padded; do
  expect_rc 2 "$tool" import "$tmp/$bad.json" -o "$tmp/$bad.ele"
  grep -q '"Foto" must be base64 of 129600 bytes' "$tmp/err.txt"
  [ ! -e "$tmp/$bad.ele" ]
done
"$tool" import "$tmp/same.json" -o "$tmp/same.ele"
cmp "$tmp/same.ele" "$tmp/klasse/4a_Ida.ele"

# A save that fails says why.
mkdir "$tmp/ro"
"$tool" import "$tmp/ida.json" -o "$tmp/ro/ida.ele"
chmod 0444 "$tmp/ro/ida.ele"
sed 's/"Kaldenavn": "Ida"/"Kaldenavn": "Ide"/' "$tmp/ida.json" > "$tmp/ide.json"
expect_rc 1 "$tool" import "$tmp/ide.json" -o "$tmp/ro/ida.ele"
grep -q "ida.ele: Permission denied" "$tmp/err.txt"
cmp "$tmp/ro/ida.ele" "$tmp/klasse/4a_Ida.ele"
expect_rc 1 "$tool" import "$tmp/ide.json" -o "$tmp/ingen/ida.ele"
grep -q "No such file or directory" "$tmp/err.txt"

# A class with a damaged pupil exports the rest, names it and exits 1.
cp -r "$tmp/klasse" "$tmp/skadet"
head -c 100 "$tmp/klasse/4a_Ida.ele" > "$tmp/skadet/4a_Ida.ele"
expect_rc 1 "$tool" export "$tmp/skadet/4a.kla" -o "$tmp/skadet.json"
grep -q "pupil file .*4a_Ida.ele could not be read" "$tmp/err.txt"
[ "$(grep -c '"Kaldenavn"' "$tmp/skadet.json")" -eq 24 ]

# A cut file: exit 1, and the JSON is still written, saying so.
head -c 300 "$tmp/klasse/4a_Ida.ele" > "$tmp/cut.ele"
expect_rc 1 "$tool" export "$tmp/cut.ele" -o "$tmp/cut.json"
grep -q '"LaesFejl": true' "$tmp/cut.json"
echo "records CLI: all checks passed"
