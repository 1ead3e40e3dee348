#!/usr/bin/env bash
# tinkeli-tool render page 16 and 17: the poetry book and its background page
# come out as pictures of the size asked for, and no file of the class is
# written or touched.
set -euo pipefail
tool=$1
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

"$tool" demo-class "$tmp/klasse" > /dev/null
state() { (cd "$tmp/klasse" && ls -l --time-style=full-iso && sha256sum ./*); }
before=$(state)

# The width and height stored in a PNG's header.
png_size() { od -An -tu1 -j16 -N8 "$1" | awk '{ printf "%dx%d", $1*16777216+$2*65536+$3*256+$4, $5*16777216+$6*65536+$7*256+$8 }'; }

for pupil in 0 7; do
  for n in 16 17; do
    for size in 1024x768 1920x1080; do
      out="$tmp/p$n-$pupil-$size.png"
      "$tool" render page "$n" --class "$tmp/klasse/4a.kla" --pupil "$pupil" --size "$size" -o "$out"
      [ "$(png_size "$out")" = "$size" ] || { echo "page $n: $(png_size "$out"), wanted $size"; exit 1; }
    done
  done
  # The background page is more than the book's background: its thumbnails.
  ! cmp -s "$tmp/p16-$pupil-1024x768.png" "$tmp/p17-$pupil-1024x768.png"
done
# Pupils with other backgrounds give other pictures.
! cmp -s "$tmp/p17-0-1024x768.png" "$tmp/p17-7-1024x768.png"

after=$(state)
[ "$before" = "$after" ] || { echo "rendering changed the class folder"; exit 1; }
