#!/usr/bin/env bash
# Draws the about dialog's picture (about-picture.jpg): a traffic pulse over a
# measuring grid. Run it again after changing the drawing; needs ImageMagick
# and the DejaVu fonts.
set -euo pipefail
cd "$(dirname "$0")"
width=335
height=185

grid=()
for x in $(seq 0 24 "$width"); do grid+=(-draw "line $x,0 $x,$height"); done
for y in $(seq 5 20 "$height"); do grid+=(-draw "line 0,$y $width,$y"); done

# The pulse: flat, a sharp beat, a smaller echo, flat again.
pulse="0,140 70,140 88,132 100,140 118,140 130,80 142,176 154,124 166,140 200,140 214,116 \
226,150 238,140 335,140"

convert -size "${width}x${height}" gradient:'#0b1a3a-#13606b' \
    -stroke '#2b7f8a' -strokewidth 1 "${grid[@]}" \
    -fill none -stroke '#1fd17a' -strokewidth 7 -draw "stroke-opacity 0.25 polyline $pulse" \
    -stroke '#7dffb5' -strokewidth 2 -draw "polyline $pulse" \
    -stroke none -fill white -font DejaVu-Sans-Bold -pointsize 30 \
    -annotate +16+44 'Pulsewell' \
    -fill '#bfe8ec' -font DejaVu-Sans -pointsize 12 \
    -annotate +18+64 'watching the traffic of your network' \
    -quality 90 about-picture.jpg
