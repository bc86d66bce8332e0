#!/usr/bin/env bash
# Writes the starting corpus of every fuzz target into fuzz/corpus/TARGET/,
# made by the project's own content tool. What fuzzing found, minimised with
# libFuzzer's -merge=1, lives beside it in fuzz/corpus/TARGET/found/ and is
# kept, as are the hostile inputs made by hand in fuzz/corpus/TARGET/hostile/
# (named pipes aside, what an attacker's content holds). The record of
# picture checks in fuzz/corpus/checkrecord/seed/ is not written here:
# velmora-content cannot make one, so it holds a record velmora itself saved
# on the bundled content, which this script leaves as it is.
# Run it from a tree with a release build:
#   cmake --build --preset release && fuzz/make-corpus.sh
set -euo pipefail
cd "$(dirname "$0")/.."
tool=${TOOL:-build/release/tools/velmora-content}
corpus=fuzz/corpus
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

mkdir -p "$corpus"/{content,picture,clip,ppm,png,jpeg}
find "$corpus" -mindepth 2 -maxdepth 2 -type f -delete

"$tool" make-demo --synthetic 3 2 1 "$work/synthetic" >/dev/null
"$tool" make-demo "$work/demo" >/dev/null

# Content files: the demo's, a small synthetic one, and the grammar's corners.
cp "$work/demo/menl.dat" "$corpus/content/demo.dat"
cp "$work/synthetic/menl.dat" "$corpus/content/synthetic.dat"
printf 'F\xa8 #"Group" "g1" B |"Title" "t1" -"Word" "w1" -"Word 2" "w2" P\xa8 -"Page" "h1" "10" R\xa8 |"Link" "target" -"Slide" "p1"' \
  > "$corpus/content/example.dat"
printf '@ c @F\xa8 ##"a""b"B|"t""u"|"v""w"-"x""y" @ "@" @ P\xa8 -"p""q""-12" R\xa8' > "$corpus/content/comments.dat"

# Packed and unpacked pictures.
cp "$work/synthetic/Data/gra/traba.tbb" "$corpus/picture/pattern.tbb"
cp "$work/demo/Data/gra/traba.tbb" "$corpus/picture/marker.tbb"
cp "$work/demo/Data/gra/sluchaj.tbb" "$corpus/picture/icon.tbb"
printf 'TBB1\x03\x00\x00\x00\x02\x00\x00\x00\x00\x40\x80\xc0\xff\x01' > "$corpus/picture/unpacked.tbb"
printf 'TBBs\x07\x00\x00\x00\x01\x00\x00\x00\x04\x00\x00\x00\x05\x83\x02\x7f' > "$corpus/picture/runs.tbb"

# Clips: a scrambled tone, the same unscrambled, and a tiny silent one.
cp "$work/synthetic/Data/sou/g0_0.cw" "$corpus/clip/tone.cw"
"$tool" unscramble "$work/synthetic/Data/sou/g0_0.cw" "$corpus/clip/tone.wav"
printf 'RIFF\x28\x00\x00\x00WAVEfmt \x10\x00\x00\x00\x01\x00\x01\x00\x22\x56\x00\x00\x22\x56\x00\x00\x01\x00\x08\x00data\x04\x00\x00\x00\x80\x80\x80\x80' \
  > "$work/silence.wav"
"$tool" scramble "$work/silence.wav" "$corpus/clip/silence.cw"

# PPM pictures.
printf 'P6\n2 2\n255\n\x00\x00\x00\xff\x00\x00\x00\xff\x00\x00\x00\xff' > "$corpus/ppm/tiny.ppm"
printf 'P6 # comment\n3 1 255 \x10\x20\x30\x40\x50\x60\x70\x80\x90' > "$corpus/ppm/comment.ppm"

# PNG pictures, unpacked from packed ones.
"$tool" unpack "$work/demo/Data/gra/traba.tbb" "$corpus/png/marker.png"
"$tool" unpack "$corpus/picture/unpacked.tbb" "$corpus/png/small.png"

# JPEG pages: the demo's first presentation page.
cp "$(ls "$work"/demo/Data/pre/*.dat | head -n 1)" "$corpus/jpeg/page.jpg"

du -sh "$corpus"/*
