#!/usr/bin/env bash
# tinkeli-tool render page 18: the statistics chosen from the command line,
# its refusals, and that rendering writes nothing.
set -euo pipefail
tool=$1
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
# Whatever the page would remember lands here.
export HOME="$tmp/home" XDG_CONFIG_HOME="$tmp/home/.config"
mkdir -p "$HOME"

kla=$("$tool" demo-class "$tmp/klasse")
sums() { (cd "$tmp/klasse" && ls -l --time-style=full-iso && md5sum ./*); }
sums > "$tmp/before.txt"

expect_rc() {
  local want=$1; shift
  set +e; "$@" 2> "$tmp/err.txt"; local rc=$?; set -e
  [ "$rc" -eq "$want" ] || { echo "expected exit $want, got $rc: $*"; cat "$tmp/err.txt"; exit 1; }
}
png() { [ "$(head -c 8 "$1" | od -An -tx1 | tr -d ' \n')" = "89504e470d0a1a0a" ] || { echo "$1 is no PNG"; exit 1; }; }

expect_rc 0 "$tool" render page 18 --class "$kla" --size 1024x768 -o "$tmp/none.png"
png "$tmp/none.png"
expect_rc 0 "$tool" render page 18 --class "$kla" --stat 4 --diagram 1 --select 2 --faces --size 1024x768 -o "$tmp/height.png"
png "$tmp/height.png"
expect_rc 0 "$tool" render page 18 --class "$kla" --stat 1 --diagram 3 --size 900x1040 -o "$tmp/hobbies.png"
expect_rc 0 "$tool" render page 18 --class "$kla" --stat 0 -o "$tmp/zero.png"
# Different choices draw different pages.
if cmp -s "$tmp/none.png" "$tmp/height.png"; then echo "--stat 4 drew the empty page"; exit 1; fi

# Out of range or on another page: usage, exit 2, no picture.
for bad in "--stat 18" "--stat -1" "--diagram 4" "--select x" "--stat abc"; do
  # shellcheck disable=SC2086
  expect_rc 2 "$tool" render page 18 --class "$kla" $bad -o "$tmp/bad.png"
done
expect_rc 2 "$tool" render page 1 --class "$kla" --stat 3 -o "$tmp/bad.png"
expect_rc 2 "$tool" render page 3 --class "$kla" --faces -o "$tmp/bad.png"
# A square the chart does not have.
expect_rc 2 "$tool" render page 18 --class "$kla" --stat 3 --select 500 -o "$tmp/bad.png"
grep -q "no square 500" "$tmp/err.txt"
[ ! -e "$tmp/bad.png" ]

# A class without pupils renders; its measurements cannot be chosen.
printf '{"Klasse": "tom", "Skole": "", "Laerer": "", "Kode": "", "Hobbyer": "%50s", "Elever": []}\n' "" \
  > "$tmp/empty.json"
mkdir "$tmp/tom"
"$tool" import "$tmp/empty.json" -o "$tmp/tom/tom.kla"
expect_rc 0 "$tool" render page 18 --class "$tmp/tom/tom.kla" --stat 3 --size 1280x1024 -o "$tmp/empty.png"
png "$tmp/empty.png"
expect_rc 2 "$tool" render page 18 --class "$tmp/tom/tom.kla" --stat 4 -o "$tmp/bad.png"
grep -q "statistic 4 (Højde) is not available" "$tmp/err.txt"
expect_rc 2 "$tool" render page 18 --class "$tmp/tom/tom.kla" --stat 1 -o "$tmp/bad.png"
grep -q "not available" "$tmp/err.txt"
[ ! -e "$tmp/bad.png" ]
# Other pages still want pupils.
expect_rc 1 "$tool" render page 1 --class "$tmp/tom/tom.kla" -o "$tmp/bad.png"

# Nothing was written: not the class, not its pupils, not a setting.
sums > "$tmp/after.txt"
cmp "$tmp/before.txt" "$tmp/after.txt"
[ -z "$(find "$HOME" -type f)" ] || { echo "rendering wrote:"; find "$HOME" -type f; exit 1; }
