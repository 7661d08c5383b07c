#!/usr/bin/env bash
# Draws the module's own icon, resources/tunepost.ico: a blue rounded square with a white
# quaver, in 32x32 and 16x16 (each drawn at its own size, so the small one stays sharp).
# The icon is kept in the repository, so building the module needs no ImageMagick; run
# this again after changing the drawing.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

draw() {
  local size=$1 out=$2
  # Coordinates are given for 32 pixels and scaled.
  local s
  s=$(echo "scale=4; $size / 32" | bc)
  convert -size "${size}x${size}" xc:none \
    -fill '#1565c0' -draw "roundrectangle 0,0 $((size - 1)),$((size - 1)) $((size / 5)),$((size / 5))" \
    -fill white \
    -draw "ellipse $(echo "11*$s" | bc),$(echo "23*$s" | bc) $(echo "5*$s" | bc),$(echo "4*$s" | bc) 0,360" \
    -draw "rectangle $(echo "14*$s" | bc),$(echo "6*$s" | bc) $(echo "16.5*$s" | bc),$(echo "23*$s" | bc)" \
    -draw "polygon $(echo "16*$s" | bc),$(echo "6*$s" | bc) $(echo "25*$s" | bc),$(echo "11*$s" | bc) $(echo "25*$s" | bc),$(echo "15*$s" | bc) $(echo "16*$s" | bc),$(echo "10*$s" | bc)" \
    "PNG32:$out"
}

draw 32 "$work/32.png"
draw 16 "$work/16.png"
convert "$work/16.png" "$work/32.png" "$here/tunepost.ico"
identify "$here/tunepost.ico"
