#!/bin/sh
# Program icon PNGs for the desktop: art/icon/tinkeli.svg rendered once at 512 pixels through
# Qt SVG (tools/art/svgrender.cpp), then scaled down with ImageMagick's convert.
# SPDX-License-Identifier: MIT
set -e
cd "$(dirname "$0")/../.."
g++ -O1 -fPIC tools/art/svgrender.cpp -o /tmp/tinkeli-svgrender $(pkg-config --cflags --libs Qt6Gui Qt6Svg)
QT_QPA_PLATFORM=offscreen /tmp/tinkeli-svgrender art/icon/tinkeli.svg /tmp/tinkeli-icon-512.png 512 512
for s in 16 24 32 48 64 128 256; do
  convert /tmp/tinkeli-icon-512.png -filter Lanczos -resize ${s}x${s} -strip PNG32:art/icon/tinkeli-${s}.png
done
