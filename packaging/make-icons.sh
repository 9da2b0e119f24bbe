#!/usr/bin/env bash
# Draws the program's icon with ImageMagick at the hicolor sizes into
# icons/<size>/pulsewell.png: the utilization bars of the graph (green,
# yellow, red) under a pulse line, on a dark rounded square. Drawn at each
# size rather than scaled down, so small sizes stay sharp. Run it after a
# change and commit the pictures; builds only install them.
set -euo pipefail
cd "$(dirname "$0")"

for size in 16 32 48 64 128 256; do
    scale=$(awk -v s="$size" 'BEGIN { print s / 256 }')
    # At the smallest sizes the line keeps 2 px, on whole pixels so it stays sharp.
    line=$(awk -v s="$size" 'BEGIN { w = 512 / s; print (w > 16 ? w : 16) }')
    mkdir -p "icons/$size"
    convert -size "${size}x${size}" xc:none -draw "
        scale $scale,$scale
        fill '#16324f' stroke none roundrectangle 16,16 240,240 48,48
        fill '#3cb043' rectangle 48,176 80,208
        fill '#f2c12e' rectangle 112,160 144,208
        fill '#e03c31' rectangle 176,144 208,208
        fill none stroke white stroke-width $line stroke-linecap round stroke-linejoin round
        polyline 40,96 80,96 104,40 136,128 160,80 176,96 216,96
    " -strip "png32:icons/$size/pulsewell.png"
done
