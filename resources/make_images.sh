#!/bin/bash
# Draws Tolvane's icon and bitmaps: the program icon (186), the tree's
# image strip (133), the toolbar strip (200) and the chore wizard's picture
# (180). Run after changing a
# drawing; the outputs are kept in the repository so builds need no
# ImageMagick.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
# /usr/bin/convert explicitly: it is ImageMagick's.
IM=/usr/bin/convert
out="$here"
tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT

# One 16x16 image on the magenta the strips use as their transparent colour.
tile() {  # name, draw commands...
  local name="$1"
  shift
  "$IM" -size 16x16 xc:'#FF00FF' +antialias -strokewidth 1 "$@" "$tmp/$name.png"
}

glyph() {  # name, background colour, letter
  tile "$1" -fill "$2" -stroke '#303030' -draw 'roundrectangle 1,1 14,14 3,3' \
    -fill white -stroke none -font DejaVu-Sans-Bold -pointsize 10 -gravity center -annotate +0+0 "$3"
}

# Chore types 0 to 8.
tile explore -fill '#F2C94C' -stroke '#8A6D1A' -draw 'polygon 1,4 6,4 7,6 14,6 14,13 1,13' \
  -stroke '#1F5FA8' -fill none -draw 'circle 10,10 12,10' -draw 'line 11,12 14,15'
tile open -fill white -stroke '#505050' -draw 'polygon 3,1 10,1 13,4 13,14 3,14' \
  -draw 'line 5,6 11,6' -draw 'line 5,8 11,8' -draw 'line 5,10 11,10' -draw 'line 5,12 9,12'
tile print -fill '#D0D0D0' -stroke '#404040' -draw 'rectangle 1,6 14,12' -fill white \
  -draw 'rectangle 4,1 11,6' -draw 'rectangle 4,10 11,14' -fill '#30A030' -stroke none -draw 'rectangle 12,8 13,9'
tile run -fill '#2E8B57' -stroke '#1B5E20' -draw 'roundrectangle 1,1 14,14 3,3' \
  -fill white -stroke none -draw 'polygon 5,4 12,8 5,12'
tile winop -fill white -stroke '#1F3F7F' -draw 'rectangle 1,2 14,14' -fill '#2F5FBF' -draw 'rectangle 1,2 14,5' \
  -fill white -stroke none -draw 'rectangle 11,3 12,4'
tile wndmsg -fill '#E8E8E8' -stroke '#505050' -draw 'rectangle 1,1 14,14' -fill '#3070D0' -stroke none \
  -draw 'rectangle 2,2 13,4' -fill '#505050' -draw 'rectangle 3,7 10,8' -draw 'rectangle 3,10 12,11'
tile fileop -fill white -stroke '#505050' -draw 'rectangle 1,1 8,10' -draw 'rectangle 6,5 14,14' \
  -stroke '#C03030' -draw 'line 3,13 5,13' -draw 'line 5,13 4,12'
tile surf -fill '#4A90D9' -stroke '#1F4F8F' -draw 'circle 8,8 8,1' -stroke '#BFE0FF' -fill none \
  -draw 'ellipse 8,8 3,7 0,360' -draw 'line 1,8 15,8'
tile logon -fill '#E0B030' -stroke '#7A5A10' -draw 'circle 5,8 5,4' -draw 'rectangle 8,7 14,9' \
  -draw 'line 12,9 12,12' -fill '#FF00FF' -draw 'circle 5,8 5,7'
# Roots and list states 9 to 15.
glyph chores '#5B7DB1' 'C'
glyph lists '#8B5BB1' 'L'
tile listplain -fill white -stroke '#404040' -draw 'rectangle 2,1 13,14' -fill '#404040' -stroke none \
  -draw 'rectangle 4,4 5,5' -draw 'rectangle 7,4 11,5' -draw 'rectangle 4,8 5,9' -draw 'rectangle 7,8 11,9' \
  -draw 'rectangle 4,12 5,12' -draw 'rectangle 7,12 11,12'
tile listsched -fill white -stroke '#404040' -draw 'rectangle 1,1 10,14' -fill '#404040' -stroke none \
  -draw 'rectangle 3,4 8,5' -draw 'rectangle 3,8 8,9' -fill '#2E8B57' -stroke '#1B5E20' -draw 'circle 11,11 11,7' \
  -stroke white -draw 'line 11,11 11,8' -draw 'line 11,11 13,11'
tile listtoday -fill white -stroke '#404040' -draw 'rectangle 1,1 10,14' -fill '#404040' -stroke none \
  -draw 'rectangle 3,4 8,5' -draw 'rectangle 3,8 8,9' -fill '#E08A00' -stroke '#8A4A00' -draw 'circle 11,11 11,7' \
  -stroke white -draw 'line 11,11 11,8' -draw 'line 11,11 13,11'
tile unused14 -fill '#FF00FF' -stroke none -draw 'point 0,0'
tile listexpired -fill '#E0E0E0' -stroke '#808080' -draw 'rectangle 1,1 10,14' -fill '#808080' -stroke none \
  -draw 'rectangle 3,4 8,5' -draw 'rectangle 3,8 8,9' -fill '#C03030' -stroke '#801010' -draw 'circle 11,11 11,7' \
  -stroke white -draw 'line 9,9 13,13' -draw 'line 13,9 9,13'
# Types 16 to 18.
glyph unknown '#808080' '?'
tile nothing -fill none -stroke '#606060' -draw 'circle 8,8 8,2' -draw 'line 4,12 12,4'
tile clipboard -fill '#C89858' -stroke '#6A4A20' -draw 'roundrectangle 2,2 13,14 2,2' -fill white \
  -draw 'rectangle 4,4 11,12' -fill '#808080' -stroke none -draw 'rectangle 6,1 9,3' \
  -fill '#505050' -draw 'rectangle 5,6 10,6' -draw 'rectangle 5,8 10,8' -draw 'rectangle 5,10 8,10'

"$IM" "$tmp"/{explore,open,print,run,winop,wndmsg,fileop,surf,logon,chores,lists,listplain,listsched,listtoday,unused14,listexpired,unknown,nothing,clipboard}.png \
  +append -alpha off -type truecolor "BMP3:$out/tree_images.bmp"

# Toolbar in button order: run, stop, new chore, new list, edit, wizard,
# schedule, hot keys, about.
tile tb_stop -fill '#C03030' -stroke '#801010' -draw 'roundrectangle 2,2 13,13 2,2'
tile tb_newchore -fill white -stroke '#505050' -draw 'polygon 2,1 9,1 12,4 12,14 2,14' \
  -fill '#2E8B57' -stroke none -draw 'rectangle 9,9 15,11' -draw 'rectangle 11,7 13,13'
tile tb_newlist -fill white -stroke '#404040' -draw 'rectangle 1,1 10,14' -fill '#404040' -stroke none \
  -draw 'rectangle 3,4 8,5' -draw 'rectangle 3,8 8,9' -fill '#2E8B57' -draw 'rectangle 9,9 15,11' -draw 'rectangle 11,7 13,13'
tile tb_edit -fill '#F2C94C' -stroke '#6A4A20' -draw 'polygon 2,14 3,10 11,2 14,5 6,13' -fill '#505050' -stroke none \
  -draw 'polygon 2,14 3,11 5,13'
tile tb_wizard -fill '#404040' -stroke '#202020' -draw 'line 2,14 11,5' -fill '#F2C94C' -stroke '#B08010' \
  -draw 'polygon 12,1 13,4 16,4 13,6 14,9 12,7 9,8 10,5 8,3 11,3'
tile tb_hotkeys -fill '#E8E8E8' -stroke '#505050' -draw 'roundrectangle 1,4 14,12 2,2' -fill '#505050' -stroke none \
  -draw 'rectangle 3,6 4,7' -draw 'rectangle 6,6 7,7' -draw 'rectangle 9,6 10,7' -draw 'rectangle 12,6 12,7' \
  -draw 'rectangle 4,9 11,10'
glyph tb_about '#1F5FA8' 'i'
"$IM" "$tmp"/{run,tb_stop,tb_newchore,tb_newlist,tb_edit,tb_wizard,listsched,tb_hotkeys,tb_about}.png \
  +append -alpha off -type truecolor "BMP3:$out/toolbar.bmp"

# The chore wizard's picture: a wand over a row of keys on a blue sky, in
# the proportions of the wizard's left column (scaled to fit at run time).
"$IM" -size 114x240 gradient:'#2F6FC0'-'#0B2448' +antialias \
  -fill '#FFFFFF' -stroke none -draw 'circle 20,30 21,30' -draw 'circle 90,18 91,18' -draw 'circle 70,60 71,60' \
  -draw 'circle 30,92 31,92' -draw 'circle 98,100 99,100' \
  -stroke '#3A2410' -strokewidth 6 -draw 'line 26,170 78,86' \
  -stroke '#F2F2F2' -strokewidth 6 -draw 'line 72,96 78,86' \
  -fill '#F2C94C' -stroke '#B08010' -strokewidth 2 \
  -draw 'polygon 84,52 90,70 108,70 94,81 99,99 84,88 69,99 74,81 60,70 78,70' \
  -fill '#E8E8E8' -stroke '#404040' -strokewidth 2 \
  -draw 'roundrectangle 8,196 36,224 4,4' -draw 'roundrectangle 43,196 71,224 4,4' \
  -draw 'roundrectangle 78,196 106,224 4,4' \
  -fill '#404040' -stroke none -font DejaVu-Sans-Bold -pointsize 16 \
  -annotate +15+217 'C' -annotate +51+217 'T' -annotate +86+217 'L' \
  -alpha off -type truecolor "BMP3:$out/wizard.bmp"

# The program icon: a blue tile with a white T, at the sizes Windows asks for.
for size in 16 32 48; do
  r=$((size / 6))
  "$IM" -size ${size}x${size} xc:none -fill '#1F5FA8' -stroke '#0F2F58' \
    -draw "roundrectangle 0,0 $((size - 1)),$((size - 1)) $r,$r" \
    -fill white -stroke none -draw "rectangle $((size * 3 / 16)),$((size * 3 / 16)) $((size * 13 / 16 - 1)),$((size * 6 / 16 - 1))" \
    -draw "rectangle $((size * 6 / 16)),$((size * 3 / 16)) $((size * 10 / 16 - 1)),$((size * 13 / 16 - 1))" \
    -fill '#F2C94C' -draw "circle $((size * 12 / 16)),$((size * 12 / 16)) $((size * 12 / 16)),$((size * 10 / 16))" \
    "$tmp/icon$size.png"
done
"$IM" "$tmp"/icon16.png "$tmp"/icon32.png "$tmp"/icon48.png "$out/tolvane.ico"
echo "wrote $out/tree_images.bmp $out/toolbar.bmp $out/wizard.bmp $out/tolvane.ico"
