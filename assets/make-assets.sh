#!/bin/sh
# Redraws the two logos and remakes the two sounds in this folder. The build only uses the files
# this writes; run it by hand after changing a drawing (needs ImageMagick and sox).
set -eu
cd "$(dirname "$0")"

# Both logos are drawn at four times their size and scaled down, which smooths the edges.
convert -size 400x600 xc:'#666666' \
  -stroke '#2e2e2e' -strokewidth 4 -fill '#7a2a2a' \
  -draw "polygon 28,322 200,346 372,322 372,418 200,442 28,418" \
  -fill '#f4ecd6' -stroke '#3a3a3a' \
  -draw "polygon 44,308 196,330 196,420 44,400" \
  -draw "polygon 204,330 356,308 356,400 204,420" \
  -stroke '#b9ae92' -strokewidth 3 \
  -draw "line 64,330 176,346" -draw "line 64,352 176,368" -draw "line 64,374 176,390" \
  -draw "line 224,346 336,330" -draw "line 224,368 336,352" \
  -stroke '#6b5516' -strokewidth 4 -fill '#e6bf55' \
  -draw "path 'M 236,296 C 216,210 262,120 330,44 C 326,140 296,228 236,296 Z'" \
  -stroke '#4a3a10' -strokewidth 6 -draw "line 330,44 226,336" \
  -stroke none -fill '#222222' -draw "polygon 222,330 232,334 214,372" \
  -fill white -stroke none -font DejaVu-Serif-Bold -pointsize 104 \
  -gravity north -annotate +0+462 'LQ 4' \
  -resize 100x150 -quality 92 logo-main.jpg

convert -size 300x200 xc:'#666666' \
  -stroke '#2e2e2e' -strokewidth 4 -fill '#7a2a2a' \
  -draw "polygon 10,118 80,128 150,118 150,178 80,188 10,178" \
  -fill '#f4ecd6' -stroke '#3a3a3a' \
  -draw "polygon 18,108 78,118 78,178 18,168" \
  -draw "polygon 82,118 142,108 142,168 82,178" \
  -stroke '#6b5516' -strokewidth 4 -fill '#e6bf55' \
  -draw "path 'M 104,112 C 92,70 116,36 150,12 C 148,56 134,90 104,112 Z'" \
  -stroke '#4a3a10' -strokewidth 5 -draw "line 150,12 98,132" \
  -fill white -stroke none -font DejaVu-Serif-Bold -pointsize 64 \
  -gravity northwest -annotate +166+36 'LQ' -annotate +190+104 '4' \
  -resize 75x50 -quality 92 logo-small.jpg

# A soft falling pair of low tones for a wrong answer, a rising chime for a right one.
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
wave="-r 22050 -c 1 -b 16"
sox -n $wave "$tmp/c1.wav" synth 0.15 sine 233 fade t 0.01 0.15 0.05 vol 0.35
sox -n $wave "$tmp/c2.wav" synth 0.17 sine 175 fade t 0.01 0.17 0.08 vol 0.35
sox "$tmp/c1.wav" "$tmp/c2.wav" chyba.wav
sox -n $wave "$tmp/s1.wav" synth 0.12 sine 784 sine 1568 remix - fade t 0.005 0.12 0.04 vol 0.3
sox -n $wave "$tmp/s2.wav" synth 0.2 sine 1047 sine 2093 remix - fade t 0.005 0.2 0.15 vol 0.3
sox "$tmp/s1.wav" "$tmp/s2.wav" spravne.wav
