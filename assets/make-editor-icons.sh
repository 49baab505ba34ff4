#!/bin/sh
# Redraws the editor's icons in this folder: the five tool bar images (16 × 16), the two icons
# of the start panel (23 × 22) and the panel's close glyph (14 × 14). The build only uses the
# PNG files this writes; run it by hand after changing a drawing (needs ImageMagick).
# Each is drawn at eight times its size and scaled down, which smooths the edges.
set -eu
cd "$(dirname "$0")"

draw() { # size name drawing...
  size=$1 name=$2
  shift 2
  big=$(echo "$size" | awk -Fx '{ print $1 * 8 "x" $2 * 8 }')
  convert -size "$big" xc:none "$@" -resize "$size" -define png:exclude-chunks=date,time \
    "PNG32:$name"
}

page="polygon 24,8 84,8 108,32 108,120 24,120"
fold="polygon 84,8 84,32 108,32"
folder_back="polygon 8,28 48,28 56,38 112,38 112,112 8,112"
folder_front="polygon 20,56 124,56 108,112 8,112"

# 0: new lesson, a blank page with a spark in its corner.
draw 16x16 editor-new.png \
  -stroke '#404040' -strokewidth 5 -fill white -draw "$page" -fill '#d8d8d8' -draw "$fold" \
  -stroke '#c08a00' -strokewidth 6 -fill '#ffd23f' \
  -draw "polygon 36,60 44,76 60,80 44,86 36,104 28,86 12,80 28,76"

# 1: open, a yellow folder.
draw 16x16 editor-open.png \
  -stroke '#7a5a00' -strokewidth 5 -fill '#e0b030' -draw "$folder_back" \
  -fill '#ffd866' -draw "$folder_front"

# 2: save, a blue disk with its label and shutter.
draw 16x16 editor-save.png \
  -stroke '#1d2f5a' -strokewidth 5 -fill '#3f62b0' -draw "polygon 8,8 104,8 120,24 120,120 8,120" \
  -fill white -draw "rectangle 28,64 100,116" \
  -fill '#c8d0e0' -draw "rectangle 32,8 92,44" -fill '#1d2f5a' -draw "rectangle 72,14 84,38"

# 3: close, a page crossed out in red.
draw 16x16 editor-close.png \
  -stroke '#404040' -strokewidth 5 -fill white -draw "$page" -fill '#d8d8d8' -draw "$fold" \
  -stroke '#c02020' -strokewidth 14 -draw "line 44,52 96,112" -draw "line 96,52 44,112"

# 4: insert, a label with a green arrow pointing into the line.
draw 16x16 editor-insert.png \
  -stroke '#404040' -strokewidth 5 -fill '#fff4c0' -draw "polygon 40,24 120,24 120,72 40,72 24,48" \
  -stroke none -fill '#404040' -draw "rectangle 8,96 120,104" \
  -stroke '#207a20' -strokewidth 5 -fill '#40b040' -draw "polygon 52,76 76,76 76,88 88,88 64,116 40,88 52,88"

# The start panel: an open folder for "Další lekce", a new page for "Typ otázka - odpověď".
draw 23x22 panel-open.png \
  -stroke '#7a5a00' -strokewidth 6 -fill '#e0b030' \
  -draw "polygon 12,40 64,40 76,54 170,54 170,164 12,164" \
  -fill '#ffd866' -draw "polygon 32,82 180,82 158,164 12,164"

draw 23x22 panel-new.png \
  -stroke '#404040' -strokewidth 6 -fill white -draw "polygon 36,10 126,10 160,44 160,168 36,168" \
  -fill '#d8d8d8' -draw "polygon 126,10 126,44 160,44" \
  -stroke '#8a8a8a' -strokewidth 6 -draw "line 60,76 136,76" -draw "line 60,104 136,104" \
  -draw "line 60,132 110,132" \
  -stroke '#c08a00' -fill '#ffd23f' -draw "polygon 40,102 50,124 72,130 50,136 40,160 30,136 8,130 30,124"

# The close glyph of the panel's title strip.
draw 14x14 panel-close.png \
  -stroke '#303030' -strokewidth 14 -draw "line 28,28 84,84" -draw "line 84,28 28,84"
