#!/bin/sh
# Renders the icon's PNG sizes from the SVG (rsvg-convert, Debian's librsvg2-bin);
# run by hand when the drawing changes. The program's window icon is made of these;
# its dialogs draw the icon from the SVG itself (src/app/appicon.cpp).
set -e
cd "$(dirname "$0")"
for size in 16 24 32 48 64 128 256; do
    rsvg-convert -w $size -h $size org.example.Vellit.svg -o org.example.Vellit-$size.png
done
