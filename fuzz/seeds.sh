#!/usr/bin/env bash
# Seed corpora for the fuzzers, made from the demo class:
#   fuzz/seeds.sh build/bin/tinkeli-tool OUTDIR
# OUTDIR/klasse holds class folders laid out as fuzz_klasse reads them (the
# class file, then each pupil file after "#ELE#"); OUTDIR/json holds pupils
# and a small class as tinkeli-tool export writes them. Needs python3.
set -euo pipefail
tool=$1
out=$2
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
mkdir -p "$out/klasse" "$out/json"
"$tool" demo-class "$tmp/demo" > /dev/null
for f in "$tmp"/demo/4a_*.ele; do
  name=$(basename "$f" .ele)
  "$tool" export "$f" -o "$out/json/$name.json"
done
python3 - "$tmp/demo" "$out" <<'PY'
import json, os, struct, sys
demo, out = sys.argv[1], sys.argv[2]
def counted(b):
    return struct.pack("<i", len(b)) + b
def kla(names):
    return (counted(b"Byskolen") + counted(b"4.a") + counted(b"Hansen") + counted(b"")
            + struct.pack("<i", len(names)) + b"".join(counted(n) for n in names) + counted(b"x" * 10 + b" " * 40))
pupils = sorted(p for p in os.listdir(demo) if p.endswith(".ele"))
small = [p for p in pupils if os.path.getsize(os.path.join(demo, p)) < 4000]
def write(name, names, files):
    data = kla([n.encode("utf-8") for n in names])
    for f in files:
        data += b"#ELE#" + (open(os.path.join(demo, f), "rb").read() if f else b"")
    open(os.path.join(out, "klasse", name), "wb").write(data)
write("empty", [], [])
write("one", ["k_A.ele"], small[:1])
write("three", ["k_A.ele", "k_B.ele", "k_C.ele"], small[:3])
write("windows-paths", ["C:\\Skoler\\k_A.ele", "k_B.ele"], small[3:5])
write("damaged", ["k_A.ele", "k_B.ele", "k_C.ele"], [small[5], "", small[6][:0]])
size = lambda p: os.path.getsize(os.path.join(demo, p))
photo = min((p for p in pupils if size(p) > 129600), key=size)
write("with-photo", ["k_A.ele", "k_B.ele"], [photo, small[7]])
whole = open(os.path.join(demo, "4a.kla"), "rb").read()
open(os.path.join(out, "klasse", "demo-class-file"), "wb").write(whole)
# A small class as JSON: two pupils without photos.
k = {"Skole": "Byskolen", "Klasse": "4.a", "Laerer": "Hansen", "Kode": "", "Hobbyer": "x" * 10 + " " * 40,
     "LaesFejl": False, "Elever": []}
for p in small[:2]:
    e = json.load(open(os.path.join(out, "json", p[:-4] + ".json"), encoding="utf-8"))
    k["Elever"].append(e)
json.dump(k, open(os.path.join(out, "json", "class.json"), "w", encoding="utf-8"), ensure_ascii=False, indent=1)
# Of the pupils with photos, only the smallest: big seeds slow every run.
for p in pupils:
    if size(p) > 4000 and p != photo:
        os.remove(os.path.join(out, "json", p[:-4] + ".json"))
PY
ls "$out/klasse" | wc -l | xargs echo "klasse seeds:"
ls "$out/json" | wc -l | xargs echo "json seeds:"
