#!/bin/sh
# Renders the icon's PNG sizes from the SVG (rsvg-convert, Debian's librsvg2-bin);
# run by hand when the drawing changes. The 32-pixel image is also the one the About
# dialog and the break window show, and the 64-pixel one the window icon.
set -e
cd "$(dirname "$0")"
for size in 16 24 32 48 64 128 256; do
    rsvg-convert -w $size -h $size org.example.Vellit.svg -o org.example.Vellit-$size.png
done
cp org.example.Vellit-32.png ../vellit32.png
cp org.example.Vellit-64.png ../vellit.png
