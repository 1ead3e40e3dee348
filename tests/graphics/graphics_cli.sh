#!/usr/bin/env bash
# tinkeli-tool archive info and render, end to end on the sample archive.
set -euo pipefail
tool=$1
make_archive=$2
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

"$make_archive" "$tmp/sample.BIN"
"$tool" archive info "$tmp/sample.BIN" > "$tmp/info.json"
grep -q '"version": 5' "$tmp/info.json"
grep -q '"wide": true' "$tmp/info.json"
grep -q '"designWidth": 551' "$tmp/info.json"
grep -q '"name": "haar12"' "$tmp/info.json"
grep -q '"name": "ansigt"' "$tmp/info.json"
grep -q '"kind": "vector"' "$tmp/info.json"

# A broken archive: exit 1, a message, no JSON.
head -c 3000 "$tmp/sample.BIN" > "$tmp/short.BIN"
if "$tool" archive info "$tmp/short.BIN" > "$tmp/out.txt" 2> "$tmp/err.txt"; then
  echo "a truncated archive was accepted"; exit 1
fi
[ -s "$tmp/err.txt" ] && [ ! -s "$tmp/out.txt" ]

"$tool" render picture "$tmp/sample.BIN" head03 --size 120x150 -o "$tmp/plain.png"
"$tool" render picture "$tmp/sample.BIN" eye02 --size 90x40 --mirror --angle -10 --key 00FF00 -o "$tmp/eye.png"
[ -s "$tmp/plain.png" ] && [ -s "$tmp/eye.png" ]
head -c 8 "$tmp/eye.png" | od -An -tx1 | grep -q '89 50 4e 47'
if "$tool" render picture "$tmp/sample.BIN" nothing --size 10x10 -o "$tmp/x.png" 2> /dev/null; then
  echo "an unknown picture was drawn"; exit 1
fi
[ ! -e "$tmp/x.png" ]

"$tool" demo-class "$tmp/klasse" > /dev/null
ele=$(ls "$tmp"/klasse/*.ele | head -1)
"$tool" render portrait "$ele" --archive "$tmp/sample.BIN" --size 551x450 -o "$tmp/face.png"
[ -s "$tmp/face.png" ]
echo ok
