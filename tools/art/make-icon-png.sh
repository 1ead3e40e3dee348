#!/bin/sh
# Icon PNGs for the desktop: the program icon art/icon/tinkeli.svg and the two file type
# icons, each rendered once at 512 pixels through Qt SVG (tools/art/svgrender.cpp), then
# scaled down with ImageMagick's convert.
# SPDX-License-Identifier: MIT
set -e
cd "$(dirname "$0")/../.."
g++ -O1 -fPIC tools/art/svgrender.cpp -o /tmp/tinkeli-svgrender $(pkg-config --cflags --libs Qt6Gui Qt6Svg)
for icon in tinkeli application-x-tinkeli-klasse application-x-tinkeli-elev; do
  QT_QPA_PLATFORM=offscreen /tmp/tinkeli-svgrender art/icon/$icon.svg /tmp/$icon-512.png 512 512
  for s in 16 24 32 48 64 128 256; do
    convert /tmp/$icon-512.png -filter Lanczos -resize ${s}x${s} -strip PNG32:art/icon/$icon-${s}.png
  done
done
