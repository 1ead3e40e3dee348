#!/usr/bin/env bash
# tinkeli-tool render page 14|15 [--select I]: the family tree drawn, a leaf
# selected as a click would, its branch page, and the pupil's file never
# written.
set -euo pipefail
tool=$1
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

"$tool" demo-class "$tmp/klasse" > /dev/null
kla="$tmp/klasse/4a.kla"
( cd "$tmp/klasse" && md5sum * ) > "$tmp/before.md5"

"$tool" render page 14 --class "$kla" --pupil 3 --size 1024x768 -o "$tmp/plain.png"
"$tool" render page 14 --class "$kla" --pupil 3 --size 1024x768 --select 2 -o "$tmp/selected.png"
[ -s "$tmp/plain.png" ] && [ -s "$tmp/selected.png" ]
if cmp -s "$tmp/plain.png" "$tmp/selected.png"; then
  echo "--select changed nothing on the page"; exit 1
fi
# The branch page of leaf 2, as the tree's edit button opens it, and of
# nobody: the fields empty and off.
"$tool" render page 15 --class "$kla" --pupil 3 --size 1024x768 --select 2 -o "$tmp/branch.png"
"$tool" render page 15 --class "$kla" --pupil 3 --size 1024x768 -o "$tmp/nobody.png"
[ -s "$tmp/branch.png" ] && [ -s "$tmp/nobody.png" ]
if cmp -s "$tmp/branch.png" "$tmp/nobody.png"; then
  echo "--select showed nobody on the branch page"; exit 1
fi
# A pupil file alone, too.
"$tool" render page 14 --pupil-file "$tmp/klasse/4a_Ida.ele" --select 0 -o "$tmp/ida.png"
[ -s "$tmp/ida.png" ]

# Wrong leaves and pages: an error exit, no picture.
for args in "14 --select 99" "14 --select x" "3 --select 0" "15 --select 99"; do
  if "$tool" render page $args --class "$kla" -o "$tmp/bad.png" 2> "$tmp/err.txt"; then
    echo "render page $args was accepted"; exit 1
  fi
  [ -s "$tmp/err.txt" ] && [ ! -e "$tmp/bad.png" ]
done

( cd "$tmp/klasse" && md5sum -c --quiet "$tmp/before.md5" )
echo ok
