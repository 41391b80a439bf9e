#!/usr/bin/env bash
# Draws the pictures of Dorvanta Romania. The start and help pages are not
# made here: they are written by hand in dist/Internet and dist/Help, the one
# place to edit them.
#
# Run from anywhere:  bash tools/make_assets.sh
# Needs ImageMagick 6 ("convert") and the DejaVu Sans fonts. The outputs are
# committed, so building the program does not need this script or its tools.
#
# Writes:
#   dist/icon/*.gif            18x18 profile row icons
#   resources/pictures/*       window pictures (Qt resources)
#   dist/Internet/*.png        banner stills and the start pages' pictures
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$ROOT"

FONT=/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf
FONTB=/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf
for f in "$FONT" "$FONTB"; do
  [ -r "$f" ] || { echo "missing font: $f" >&2; exit 1; }
done
command -v convert >/dev/null || { echo "ImageMagick 'convert' not found" >&2; exit 1; }

TMP="$(mktemp -d)"
trap 'rm -rf "$TMP"' EXIT

ICON=dist/icon
PIC=resources/pictures
NET=dist/Internet
mkdir -p "$ICON" "$PIC" "$NET"

# Theme colours
BLUE='#3175FF'        # main blue 49,117,255
BLUE_DARK='#1F56D6'
BLUE_DEEP='#173F9E'
BLUE_LIGHT='#8DB2FF'
BLUE_PALE='#EAF1FF'
GREY_BG='#DEDFDE'     # window background 222,223,222
OLIVE='#808040'       # accent 128,128,64
OLIVE_LIGHT='#C9C98F'

# Output options that keep files small and the script reproducible.
PNGOPT=(-strip -define png:exclude-chunk=date,time,tIME)
JPGOPT=(-strip -sampling-factor 4:2:0 -quality 85 -interlace none)


###########################################################################
# Pixel-art icons. Each icon is drawn as text, one character a pixel, and
# turned into an XPM image with the palette below.
###########################################################################
PALETTE=(
  ". c None"
  "K c #1E3A78"   # navy outline
  "B c #3175FF"   # main blue
  "D c #2152C4"   # dark blue
  "L c #8DB2FF"   # light blue
  "P c #DCE7FF"   # pale blue
  "W c #FFFFFF"   # white
  "N c #3A3A3A"   # near black
  "G c #7C7C7C"   # grey
  "g c #BDBDBD"   # light grey
  "S c #E4E4E4"   # silver
  "O c #808040"   # olive
  "o c #B4B478"   # light olive
  "V c #55552A"   # dark olive
  "Y c #F4CB52"   # folder yellow
  "Z c #FBE6A6"   # folder highlight
  "y c #DDA932"   # folder back
  "X c #8F6A12"   # folder outline
  "R c #D9412E"   # red
  "r c #F29A8C"   # light red
  "Q c #8A2416"   # dark red
  "E c #3C9A4A"   # green
  "H c #1F6630"   # dark green
  "s c #F1C7A0"   # skin
  "h c #5B3A1E"   # hair
)

# xpm OUT [convert options...] < rows
xpm() {
  local out=$1; shift
  local rows=() line
  while IFS= read -r line; do
    [ -n "$line" ] && rows+=("$line")
  done
  local w=${#rows[0]} h=${#rows[@]} r
  for r in "${rows[@]}"; do
    if [ ${#r} -ne "$w" ]; then
      echo "icon $out: row '$r' is ${#r} wide, expected $w" >&2; exit 1
    fi
  done
  {
    echo '/* XPM */'
    echo 'static char *icon[] = {'
    echo "\"$w $h ${#PALETTE[@]} 1\","
    for r in "${PALETTE[@]}"; do echo "\"$r\","; done
    for r in "${rows[@]}"; do echo "\"$r\","; done
    echo '};'
  } > "$TMP/icon.xpm"
  case "$out" in
    *.gif) convert "$TMP/icon.xpm" "$@" -strip "$out" ;;
    *.png) convert "$TMP/icon.xpm" "$@" "${PNGOPT[@]}" "$out" ;;
  esac
}

###########################################################################
# 1. Profile row icons, 18x18 GIF
###########################################################################

xpm "$ICON/company.gif" <<'ART'
..................
..KKKKKKKKK.......
..KBBBBBBBK.......
..KBPBPBPBK.......
..KBBBBBBBK.......
..KBPBPBPBKKKKKKK.
..KBBBBBBBKLLLLLK.
..KBPBPBPBKLWLWLK.
..KBBBBBBBKLLLLLK.
..KBPBPBPBKLWLWLK.
..KBBBBBBBKLLLLLK.
..KBPBPBPBKLWLWLK.
..KBBBBBBBKLLLLLK.
..KBBKKKBBKLWLWLK.
..KBBKPKBBKLLLLLK.
..KBBKPKBBKLLLLLK.
..KKKKKKKKKKKKKKK.
..................
ART

GEAR='
..................
.......KKKK.......
..KKK..KBBK..KKK..
..KBBKKKBBKKKBBK..
..KBLLLBBBBBBBBK..
...KLBBBBBBBBBK...
.KKKLBBKKKKBBBKKK.
.KBBBBK....KBBBBK.
.KBBBBK....KBBBBK.
.KBBBBK....KBBBBK.
.KBBBBK....KBBBBK.
.KKKBBBKKKKBBBKKK.
...KBBBBBBBBBBK...
..KBBBBBBBBBBBDK..
..KBBKKKBBKKKDDK..
..KKK..KBBK..KKK..
.......KKKK.......
..................'
xpm "$ICON/1activity.gif" <<<"$GEAR"
# secondary activity: the same gear, lighter
xpm "$ICON/2activity.gif" <<<"$(tr 'KBLD' 'DLPL' <<<"$GEAR")"

xpm "$ICON/postal.gif" <<'ART'
..................
..................
..................
.KKKKKKKKKKKKKKKK.
.KBWWWWWWWWWWWWBK.
.KWBWWWWWWWWWWBWK.
.KWWBWWWWWWWWBWWK.
.KWWWBWWWWWWBWWWK.
.KWWWWBWWWWBWWWWK.
.KWWWWWBWWBWWWWWK.
.KWWWWWWBBWWWWWWK.
.KWWWWWWWWWWWWWWK.
.KWWWWWWWWWWWWWWK.
.KWWWWWWWWWWWWWWK.
.KKKKKKKKKKKKKKKK.
..................
..................
..................
ART

xpm "$ICON/county.gif" <<'ART'
..................
......QQQQQQ......
....QQRRRRRRQQ....
...QRrrRRRRRRRQ...
...QRrRRWWRRRRQ...
..QRRRRWWWWRRRRQ..
..QRRRRWWWWRRRRQ..
..QRRRRRWWRRRRRQ..
...QRRRRRRRRRRQ...
...QRRRRRRRRRRQ...
....QRRRRRRRRQ....
.....QRRRRRRQ.....
......QRRRRQ......
.......QRRQ.......
........QQ........
.....gggggggg.....
..................
..................
ART

xpm "$ICON/representative.gif" <<'ART'
..................
.......KKKK.......
......KhhhhK......
.....KhhhhhhK.....
.....KhsssshK.....
.....KssssssK.....
.....KssssssK.....
......KssssK......
.......KssK.......
...KKKKBWWBKKKK...
..KBBBBBWWBBBBBK..
.KBBBBBBDDBBBBBBK.
.KBBBBBBDDBBBBBBK.
.KBBBBBBDDBBBBBBK.
.KBBBBBBBBBBBBBBK.
.KKKKKKKKKKKKKKKK.
..................
..................
ART

xpm "$ICON/mobile.gif" <<'ART'
..................
..................
.....KKKKKKKK.....
....KDDDGGDDDK....
....KDDDDDDDDK....
....KDPLLLLLDK....
....KDLPLLLLDK....
....KDLLLLLLDK....
....KDLLLLLLDK....
....KDLLLLLLDK....
....KDLLLLLLDK....
....KDDDDDDDDK....
....KDDDDDDDDK....
....KDDDWWDDDK....
....KDDDDDDDDK....
.....KKKKKKKK.....
..................
..................
ART

xpm "$ICON/phone.gif" <<'ART'
..................
..................
...KKKKKKKKKKKK...
..KBBBBBBBBBBBBK..
.KBBKKKKKKKKKKBBK.
.KBBK........KBBK.
.KKKK..KKKK..KKKK.
.......KBBK.......
...KKKKKBBKKKKK...
..KBBBBBBBBBBBBK..
..KBBBBBBBBBBBBK..
..KBBPPBPPBPPBBK..
..KBBBBBBBBBBBBK..
..KBBPPBPPBPPBBK..
..KBBBBBBBBBBBBK..
..KKKKKKKKKKKKKK..
..................
..................
ART

xpm "$ICON/fax.gif" <<'ART'
..................
.....KKKKKKKK.....
.....KWWWWWWK.....
.....KWGGGGWK.....
.....KWWWWWWK.....
.KKKKKKKKKKKKKKKK.
.KSSSSSSSSSSSSSSK.
.KggggggggggggggK.
.KgLLLLgggggggEgK.
.KggggggggggggggK.
.KgggKKKKKKKKgggK.
.KgggKWWWWWWKgggK.
.KKKKKWGGGGWKKKKK.
.....KWWWWWWK.....
.....KWGGGWWK.....
.....KKKKKKKK.....
..................
..................
ART

xpm "$ICON/email.gif" <<'ART'
..................
..................
......BBBBBB......
....BBBBBBBBBB....
...BBB......BBB...
..BB..........BB..
.BB....BBBBB...BB.
.BB...BBB.BB...BB.
.BB..BB...BB...BB.
.BB..BB...BB...BB.
.BB..BB..BBB..BB..
.BB...BBBB.BBBBB..
..BB..............
...BBB............
....BBBBBBBBB.....
......BBBBBB......
..................
..................
ART

xpm "$ICON/web.gif" <<'ART'
..................
......KKKKKK......
....KKBLBBLBKK....
...KBBLBBBBLBBK...
..KBBBLBBBBLBBBK..
..KLLLLLLLLLLLLK..
.KBBBLBBBBBBLBBBK.
.KBBLBBBBBBBBLBBK.
.KLLLLLLLLLLLLLLK.
.KBBLBBBBBBBBLBBK.
.KBBLBBBBBBBBLBBK.
.KBBBLBBBBBBLBBBK.
..KLLLLLLLLLLLLK..
..KBBBLBBBBLBBBK..
...KBBLBBBBLBBK...
....KKBLBBLBKK....
......KKKKKK......
..................
ART

xpm "$ICON/story.gif" <<'ART'
..................
...KKKKKKKK.......
...KWWWWWWKK......
...KWBBBBWKgK.....
...KWWWWWWKggK....
...KWBBBWWKKKKK...
...KWWWWWWWWWWK...
...KWGGGGGGGGWK...
...KWWWWWWWWWWK...
...KWGGGGGGGGWK...
...KWWWWWWWWWWK...
...KWGGGGGGGGWK...
...KWWWWWWWWWWK...
...KWGGGGGWWWWK...
...KWWWWWWWWWWK...
...KWWWWWWWWWWK...
...KKKKKKKKKKKK...
..................
ART

xpm "$ICON/subject.gif" <<'ART'
..................
..................
...KKKKKKKKKKKK...
..KPPPPPPPPPPPPK..
.KPPPPPPPPPPPPPPK.
.KPPBBBBBBBBBBPPK.
.KPPPPPPPPPPPPPPK.
.KPPBBBBBBBBBBPPK.
.KPPPPPPPPPPPPPPK.
.KPPBBBBBBPPPPPPK.
.KPPPPPPPPPPPPPPK.
..KPPPPPPPPPPPPK..
...KKKPPPKKKKKK...
.....KPPK.........
.....KPK..........
.....KK...........
..................
..................
ART

xpm "$ICON/category.gif" <<'ART'
..................
..................
..XXXXX...........
.XyyyyyXXXXXXXXX..
.XyyyyyyyyyyyyyyX.
.XyyyyyyyyyyyyyyX.
.XXXXXXXXXXXXXXXX.
.XZZZZZZZZZZZZZZX.
.XYYYYYYYYYYYYYYX.
.XYYYYYYYYYYYYYYX.
.XYYYYYYYYYYYYYYX.
.XYYYYYYYYYYYYYYX.
.XYYYYYYYYYYYYYYX.
.XYYYYYYYYYYYYYYX.
.XXXXXXXXXXXXXXXX.
..................
..................
..................
ART

xpm "$ICON/insert.gif" <<'ART'
..................
.....K......K.....
..KKKKKKKKKKKKKK..
..KBBKBBBBBBKBBK..
..KBBBBBBBBBBBBK..
..KDDDDDDDDDDDDK..
..KWWWWWWWWWWWWK..
..KWGWGWGWGWGWWK..
..KWWWWWWWWWWWWK..
..KWGWGWGWGWGWWK..
..KWWWWWWWWWWWWK..
..KWGWGWRRGWGWWK..
..KWWWWWRRWWWWWK..
..KWGWGWGWGWWWWK..
..KWWWWWWWWWWWWK..
..KKKKKKKKKKKKKK..
..................
..................
ART

###########################################################################
# 2a. Menu icons, 16x16 PNG with transparent background
###########################################################################

# 0-4: simple generic shapes
xpm "$PIC/menu_00.png" <<'ART'
................
................
................
......DDDD......
....DDLLBBDD....
....DLBBBBBD....
...DLBBBBBBBD...
...DBBBBBBBBD...
...DBBBBBBBBD...
...DBBBBBBBBD...
....DBBBBBBD....
....DDBBBBDD....
......DDDD......
................
................
................
ART

xpm "$PIC/menu_01.png" <<'ART'
................
................
................
....VVVVVVVV....
...VooooooooV...
...VoOOOOOOOV...
...VoOOOOOOOV...
...VoOOOOOOOV...
...VoOOOOOOOV...
...VoOOOOOOOV...
...VoOOOOOOOV...
...VOOOOOOOOV...
....VVVVVVVV....
................
................
................
ART

xpm "$PIC/menu_02.png" <<'ART'
................
................
................
.......DD.......
......DLBD......
......DLBD......
.....DLBBBD.....
.....DBBBBD.....
....DBBBBBBD....
....DBBBBBBD....
...DBBBBBBBBD...
...DBBBBBBBBD...
..DDDDDDDDDDDD..
................
................
................
ART

xpm "$PIC/menu_03.png" <<'ART'
................
................
.......VV.......
......VooV......
.....VoOOOV.....
....VoOOOOOV....
...VoOOOOOOOV...
..VoOOOOOOOOOV..
..VOOOOOOOOOOV..
...VOOOOOOOOV...
....VOOOOOOV....
.....VOOOOV.....
......VOOV......
.......VV.......
................
................
ART

xpm "$PIC/menu_04.png" <<'ART'
................
.......XX.......
......XYYX......
......XYYX......
.....XYZYYX.....
XXXXXXYZYYXXXXXX
.XYYYYZYYYYYYYX.
..XYYYYYYYYYYX..
...XYYYYYYYYX...
....XYYYYYYX....
....XYYYYYYX....
...XYYYXXYYYX...
...XYYX..XYYX...
..XYX......XYX..
..XX........XX..
................
ART

# 5: all (folder)
xpm "$PIC/menu_05.png" <<'ART'
................
................
.XXXXX..........
XyyyyyXXXXXXXXX.
XyyyyyyyyyyyyyyX
XyyyyyyyyyyyyyyX
XXXXXXXXXXXXXXXX
XZZZZZZZZZZZZZZX
XYYYYYYYYYYYYYYX
XYYYYYYYYYYYYYYX
XYYYYYYYYYYYYYYX
XYYYYYYYYYYYYYYX
XYYYYYYYYYYYYYYX
XXXXXXXXXXXXXXXX
................
................
ART

# 6: domain (smaller folder)
xpm "$PIC/menu_06.png" <<'ART'
................
................
................
................
...XXXX.........
..XyyyyXXXXXX...
..XyyyyyyyyyyX..
..XXXXXXXXXXXX..
..XZZZZZZZZZZX..
..XYYYYYYYYYYX..
..XYYYYYYYYYYX..
..XYYYYYYYYYYX..
..XXXXXXXXXXXX..
................
................
................
ART

# 7: category (document)
xpm "$PIC/menu_07.png" <<'ART'
................
..KKKKKKKK......
..KWWWWWWKK.....
..KWWWWWWKgK....
..KWWWWWWKggK...
..KWWWWWWKKKKK..
..KWBBBBBBBBWK..
..KWWWWWWWWWWK..
..KWBBBBBBBBWK..
..KWWWWWWWWWWK..
..KWBBBBBBBBWK..
..KWWWWWWWWWWK..
..KWBBBBBWWWWK..
..KWWWWWWWWWWK..
..KKKKKKKKKKKK..
................
ART

# 8: ad type (tag)
xpm "$PIC/menu_08.png" <<'ART'
................
................
................
................
....VVVVVVVVVVVV
...VooooooooooOV
..VoOOOOOOOOOOOV
.VoO..OWWWWWWWOV
.VOO..OOOOOOOOOV
..VOOOOWWWWWOOOV
...VOOOOOOOOOOOV
....VVVVVVVVVVVV
................
................
................
................
ART

# 9: language (globe)
xpm "$PIC/menu_09.png" <<'ART'
................
.....KKKKKK.....
...KKBLBBLBKK...
..KBBLBBBBLBBK..
..KLLLLLLLLLLK..
.KBBBLBBBBLBBBK.
.KBBLBBBBBBLBBK.
.KLLLLLLLLLLLLK.
.KBBLBBBBBBLBBK.
.KBBBLBBBBLBBBK.
.KBBBLBBBBLBBBK.
..KLLLLLLLLLLK..
..KBBLBBBBLBBK..
...KKBLBBLBKK...
.....KKKKKK.....
................
ART

# 10: insert (document with plus)
xpm "$PIC/menu_10.png" <<'ART'
................
.KKKKKKKK.......
.KWWWWWWKK......
.KWWWWWWKgK.....
.KWWWWWWKKKK....
.KWBBBBBBBWK....
.KWWWWWWWWWK....
.KWBBBBBBBWK....
.KWWWWWWWWHHHH..
.KWBBBBBBBHEEH..
.KWWWWWWHHHEEHHH
.KWBBBBBHEEEEEEH
.KWWWWWWHEEEEEEH
.KWBBBBWHHHEEHHH
.KKKKKKKKKHEEH..
..........HHHH..
ART

# 11: banner (picture)
xpm "$PIC/menu_11.png" <<'ART'
................
................
KKKKKKKKKKKKKKKK
KPPPPPPPPPPYYPPK
KPPPPPPPPPYYYYPK
KPPPPPPPPPPYYPPK
KPPPPEPPPPPPPPPK
KPPPEEEPPPPPPPPK
KPPEEEEEPPPEPPPK
KPEEEEEEEPEEEPPK
KEEEEEEEEEEEEEEK
KHHHHHHHHHHHHHHK
KKKKKKKKKKKKKKKK
................
................
................
ART

# 12: update (refresh arrows)
xpm "$PIC/menu_12.png" <<'ART'
................
................
.....DDDDDD.....
...DDDDDDDDDD...
...DDD....DDD...
............DD..
..........DDDDDD
..DD.......DDDD.
.DDDD.......DD..
DDDDDD..........
..DD............
...DDD....DDD...
...DDDDDDDDDD...
.....DDDDDD.....
................
................
ART

# 13: help contents (book)
xpm "$PIC/menu_13.png" <<'ART'
................
..KKKKKKKKKKKK..
..KDBBBBBBBBBK..
..KDBBBWWWBBBK..
..KDBBWBBBWBBK..
..KDBBBBBBWBBK..
..KDBBBBBWBBBK..
..KDBBBBWBBBBK..
..KDBBBBBBBBBK..
..KDBBBBWBBBBK..
..KDBBBBBBBBBK..
..KDBBBBBBBBBK..
..KDKKKKKKKKKK..
..KDWWWWWWWWWK..
..KKKKKKKKKKKK..
................
ART

# 14: about (info)
xpm "$PIC/menu_14.png" <<'ART'
................
.....DDDDDD.....
...DDBBBBBBDD...
..DBBBBWWBBBBD..
..DBBBBWWBBBBD..
.DBBBBBBBBBBBBD.
.DBBBBWWWBBBBBD.
.DBBBBBWWBBBBBD.
.DBBBBBWWBBBBBD.
.DBBBBBWWBBBBBD.
.DBBBBBWWBBBBBD.
..DBBBWWWWBBBD..
..DBBBBBBBBBBD..
...DDBBBBBBDD...
.....DDDDDD.....
................
ART

# 15: print (printer)
xpm "$PIC/menu_15.png" <<'ART'
................
....KKKKKKKK....
....KWWWWWWK....
....KWGGGGWK....
....KWWWWWWK....
.KKKKKKKKKKKKKK.
KSSSSSSSSSSSSSSK
KggggggggggggEgK
KggggggggggggggK
KggKKKKKKKKKKggK
KggKWWWWWWWWKggK
KKKKWGGGGGGWKKKK
...KWWWWWWWWK...
...KWGGGGWWWK...
...KKKKKKKKKK...
................
ART

###########################################################################
# Shared drawing helpers
###########################################################################

# Simplified outline of Romania (longitude latitude), clockwise from the
# western tip.
ROMANIA_LL='
20.26 46.12  20.73 46.18  21.17 46.30  21.45 46.70  21.65 46.95
21.95 47.35  22.15 47.60  22.45 47.80  22.89 47.95  23.20 48.08
23.55 47.98  23.90 47.94  24.60 47.95  24.90 47.72  25.25 47.89
25.70 47.93  26.10 47.98  26.35 48.10  26.62 48.26  26.90 48.15
27.20 47.85  27.55 47.45  27.80 47.22  28.10 46.85  28.25 46.40
28.10 45.95  28.15 45.60  28.20 45.47  28.50 45.28  28.95 45.33
29.40 45.43  29.68 45.28  29.65 45.05  29.40 44.85  29.05 44.70
28.85 44.45  28.65 44.17  28.58 43.82  28.58 43.74  28.20 43.78
27.70 43.95  27.27 44.12  26.60 44.05  25.97 43.88  25.37 43.63
24.88 43.73  24.50 43.77  24.00 43.76  23.40 43.84  22.94 43.99
22.90 44.20  22.67 44.22  22.55 44.50  22.40 44.72  22.15 44.50
21.70 44.62  21.38 44.81  21.40 45.05  21.50 45.20  21.05 45.35
20.80 45.50  20.70 45.78  20.26 46.12'

# romania X Y WIDTH -> "x,y x,y ..." polygon of the map at (X,Y), WIDTH wide
romania() {
  echo "$ROMANIA_LL" | awk -v X="$1" -v Y="$2" -v W="$3" '
    BEGIN { n = 0 }
    { for (i = 1; i < NF; i += 2) { lon[n] = $i; lat[n] = $(i+1); n++ } }
    END {
      k = cos(46 * 3.14159265 / 180); s = W / ((29.70 - 20.26) * k)
      for (i = 0; i < n; i++)
        printf "%.1f,%.1f ", X + (lon[i] - 20.26) * k * s, Y + (48.26 - lat[i]) * s
    }'
}
# height of the map drawn WIDTH wide
romania_h() { awk -v W="$1" 'BEGIN { k = cos(46*3.14159265/180); printf "%d", W * (48.26-43.63) / ((29.70-20.26)*k) + 0.5 }'; }
# romania_pt X Y WIDTH LON LAT -> "x,y" of a place on the map drawn by romania
romania_pt() {
  awk -v X="$1" -v Y="$2" -v W="$3" -v lon="$4" -v lat="$5" 'BEGIN {
    k = cos(46 * 3.14159265 / 180); s = W / ((29.70 - 20.26) * k)
    printf "%.1f,%.1f", X + (lon - 20.26) * k * s, Y + (48.26 - lat) * s }'
}

# text_w FONT SIZE TEXT -> width in pixels of TEXT
text_w() { convert -font "$1" -pointsize "$2" label:"$3" -format '%w' info:; }

# fit_size FONT MAXSIZE MAXWIDTH TEXT -> largest size <= MAXSIZE that fits
fit_size() {
  local s=$2
  while [ "$s" -gt 8 ] && [ "$(text_w "$1" "$s" "$4")" -gt "$3" ]; do s=$((s - 1)); done
  echo "$s"
}

###########################################################################
# 2b. Window pictures
###########################################################################

# --- splash.jpg, 400x200 -------------------------------------------------
MAPX=232; MAPY=34; MAPW=158
BUC="$(romania_pt $MAPX $MAPY $MAPW 26.10 44.43)"
splash() {  # LINE1 LINE2 OUT: the splash with its two lines of words
  convert -size 400x200 xc: \
  -sparse-color Bilinear "0,0 #4C8DFF 400,0 #2F6CF0 0,200 #2A63E0 400,200 #173F9E" \
  \( -size 400x200 xc:none -fill '#FFFFFF38' -stroke '#FFFFFF' -strokewidth 1.2 \
     -draw "polygon $(romania $MAPX $MAPY $MAPW)" -channel A -evaluate multiply 0.55 +channel \) \
  -composite \
  -fill "$OLIVE_LIGHT" -stroke none -draw "translate ${BUC} circle 0,0 4,0" \
  -fill none -stroke "$OLIVE_LIGHT" -strokewidth 1 -draw "translate ${BUC} circle 0,0 8,0" \
  -stroke none \
  -fill '#0B2A7A55' -font "$FONTB" -pointsize 40 -annotate +25+85 'Dorvanta' \
  -fill '#FFFFFF' -annotate +24+83 'Dorvanta' \
  -fill '#D7E4FF' -font "$FONT" -pointsize 15 -kerning 7 -annotate +26+108 'ROMANIA' \
  -kerning 0 -fill "$OLIVE_LIGHT" -draw 'rectangle 26,121 86,123' \
  -fill '#FFFFFF' -font "$FONT" -pointsize 12 -annotate +25+147 "$1" \
  -annotate +25+163 "$2" \
  -fill '#FFFFFF' -draw 'rectangle 0,180 400,200' \
  -fill "$BLUE" -draw 'rectangle 0,180 400,180' \
  -fill "$BLUE_DEEP" -font "$FONTB" -pointsize 11 -annotate +25+194 'www.dorvanta.ro' \
  -fill '#6A6A6A' -font "$FONT" -pointsize 11 \
  -annotate +$((400 - 16 - $(text_w "$FONT" 11 'office@dorvanta.ro')))+194 'office@dorvanta.ro' \
  "${JPGOPT[@]}" "$3"
}
splash 'Companies & business opportunities' 'directory' "$PIC/splash.jpg"
splash 'Catalogul companiilor si al' 'oportunitatilor de afaceri' "$PIC/splash_RO.jpg"

# --- logo.jpg, 509x356 about-window background ---------------------------
# Only the top-left 400x282 is shown; text is drawn over x 120..400,
# y 35..270, so that part stays a calm pale gradient.
BANDW=116
centre_x() { echo $(( ($3 - $(text_w "$1" "$2" "$4")) / 2 )); }  # FONT SIZE WIDTH TEXT
LMAPW=84; LMAPX=16; LMAPY=44
convert -size 509x356 gradient:'#FFFFFF'-'#E6EDFB' \
  \( -size ${BANDW}x356 gradient:'#3F84FF'-'#1B48B8' \) -geometry +0+0 -composite \
  -fill "$OLIVE" -draw "rectangle $BANDW,0 $((BANDW + 1)),356" \
  -fill '#FFFFFF' -stroke none -draw "polygon $(romania $LMAPX $LMAPY $LMAPW)" \
  -fill "$OLIVE" -draw "translate $(romania_pt $LMAPX $LMAPY $LMAPW 26.10 44.43) circle 0,0 3,0" \
  -fill '#FFFFFF' -font "$FONTB" -pointsize 18 \
  -annotate +"$(centre_x "$FONTB" 18 $BANDW Dorvanta)"+130 'Dorvanta' \
  -fill '#D7E4FF' -font "$FONT" -pointsize 10 -kerning 4 \
  -annotate +"$(( $(centre_x "$FONT" 10 $BANDW ROMANIA) - 12 ))"+147 'ROMANIA' -kerning 0 \
  -fill "$OLIVE_LIGHT" -draw "rectangle 38,158 77,159" \
  -fill '#D7E4FF' -font "$FONT" -pointsize 9 \
  -annotate +"$(centre_x "$FONT" 9 $BANDW www.dorvanta.ro)"+268 'www.dorvanta.ro' \
  "${JPGOPT[@]}" "$PIC/logo.jpg"

# --- bars ------------------------------------------------------------------
# gloss W H TOP1 MID1 MID2 BOTTOM OUT: two-tone glossy vertical gradient
gloss() {
  local w=$1 h=$2 top=$((${2} / 2))
  convert -size "${w}x${top}" gradient:"$3"-"$4" \
          -size "${w}x$((h - top))" gradient:"$5"-"$6" -append "${@:7}"
}
# Both bars dark enough for white text at 4.5:1; each also at twice the size.
for s in 1 2; do
  suffix=""; [ "$s" -eq 2 ] && suffix="@2x"
  gloss $((2000 * s)) $((20 * s)) '#3A6EE6' '#2F64DE' '#2A5CD0' '#2453C2' \
    -fill '#5A82E0' -draw "rectangle 0,0 $((2000 * s)),$((s - 1))" \
    -fill '#1B46A8' -draw "rectangle 0,$((20 * s - s)) $((2000 * s)),$((20 * s - 1))" \
    "${JPGOPT[@]}" "$PIC/title_bar$suffix.jpg"
  gloss $((2000 * s)) $((30 * s)) '#3468DC' '#2E62D6' '#2A5CD0' '#2453C2' \
    -fill '#5A82E0' -draw "rectangle 0,0 $((2000 * s)),$((s - 1))" \
    -fill '#173C96' -draw "rectangle 0,$((30 * s - s)) $((2000 * s)),$((30 * s - 1))" \
    "${JPGOPT[@]}" "$PIC/menu_bar$suffix.jpg"
done
convert -size 2000x16 gradient:'#F3F3F3'-"$GREY_BG" \
  \( -size 2000x1 xc:'#B4B5B4' \) +swap -append \
  "${JPGOPT[@]}" "$PIC/status_bar.jpg"

# --- grip.jpg, 17x15: dotted size grip on the status bar grey --------------
GRIP=()
for row in 0 1 2; do                       # three diagonal rows of dots
  for i in $(seq 0 "$row"); do
    x=$((13 - 4 * (row - i))); y=$((11 - 4 * i))
    GRIP+=(-fill '#FFFFFF' -draw "rectangle $((x + 1)),$((y + 1)) $((x + 2)),$((y + 2))")
    GRIP+=(-fill '#8E8F8E' -draw "rectangle $x,$y $((x + 1)),$((y + 1))")
  done
done
convert "$PIC/status_bar.jpg" -crop 17x15+0+2 +repage "${GRIP[@]}" \
  "${JPGOPT[@]}" "$PIC/grip.jpg"

# --- rounded glossy button faces --------------------------------------------
# face W H RADIUS OUT [extra convert drawing options]
face() {
  local w=$1 h=$2 r=$3 out=$4; shift 4
  local top=$((h / 2)) s=${S:-1}
  # Dark enough for white captions at 4.5:1 and more on every pixel.
  local inner="1.5,1.5 $((w - 2)).5,$((h - 2)).5" outer="0.5,0.5 $((w - 1)).5,$((h - 1)).5"
  if [ "$s" -eq 2 ]; then inner="3,3 $((w - 3)),$((h - 3))" outer="1,1 $((w - 1)),$((h - 1))"; fi
  convert -size "${w}x${top}" gradient:'#3A6EE6'-'#2F64DE' \
          -size "${w}x$((h - top))" gradient:'#2A5CD0'-'#2453C2' -append \
    \( -size "${w}x${h}" xc:black -fill white \
       -draw "roundrectangle 0,0 $((w - 1)),$((h - 1)) $r,$r" \) \
    -alpha off -compose CopyOpacity -composite -compose Over \
    -fill none -stroke '#FFFFFF30' -strokewidth "$s" \
    -draw "roundrectangle $inner $((r - s)),$((r - s))" \
    -stroke '#163C96' \
    -draw "roundrectangle $outer $r,$r" \
    -stroke none "$@" "${PNGOPT[@]}" "PNG32:$out"
}
# label_face W H RADIUS SIZE TEXT OUT (S=2: the same face at twice the size)
label_face() {
  local w=$1 h=$2 size=$4 text=$5 s=${S:-1}
  local tw; tw=$(text_w "$FONTB" "$size" "$text")
  local x=$(( (w - tw) / 2 )) y=$(( (h + size * 72 / 100) / 2 ))
  face "$w" "$h" "$3" "$6" -font "$FONTB" -pointsize "$size" \
    -fill '#0E2F8A90' -annotate +"$x"+"$((y + s))" "$text" \
    -fill '#FFFFFF' -annotate +"$x"+"$y" "$text"
}

# --- title bar buttons, 17x17 -----------------------------------------------
glyph() {   # OUT drawing... (each picture also at twice the size, OUT@2x)
  local out=$1; shift
  local s a next args suffix
  for s in 1 2; do
    args=(); next=0
    for a in "$@"; do
      if [ "$next" = 1 ]; then args+=("scale $s,$s $a"); next=0; else args+=("$a"); fi
      [ "$a" = -draw ] && next=1
    done
    suffix=""; [ "$s" -eq 2 ] && suffix="@2x"
    convert -size $((17 * s))x$((17 * s)) xc:none -fill '#2A64E6' -stroke '#1A4AB0' -strokewidth 1 \
      -draw "scale $s,$s roundrectangle 0.5,0.5 16.5,16.5 3,3" -stroke none -fill '#FFFFFF' "${args[@]}" \
      "${PNGOPT[@]}" "PNG32:$PIC/${out%.png}$suffix.png"
  done
}
glyph glyph_minimize.png -draw 'rectangle 5,11 11,12'
glyph glyph_maximize.png -draw 'rectangle 4,4 12,5' -draw 'rectangle 4,4 4,12' -draw 'rectangle 12,4 12,12' -draw 'rectangle 4,12 12,12'
glyph glyph_restore.png \
  -draw 'rectangle 6,4 12,5' -draw 'rectangle 12,4 12,10' -draw 'rectangle 10,10 12,10' -draw 'rectangle 6,4 6,6' \
  -draw 'rectangle 4,7 10,8' -draw 'rectangle 4,7 4,13' -draw 'rectangle 10,7 10,13' -draw 'rectangle 4,13 10,13'
glyph glyph_close.png -stroke '#FFFFFF' -strokewidth 1.7 -draw 'line 5,5 11.5,11.5' -draw 'line 11.5,5 5,11.5'

# --- menu bar faces, 100x31, and the drop-down arrow, 17x27 -----------------
FACES_EN=(Companies Opportunities Update Insert Settings Help)
FACES_RO=(Companii Oportunitati Actualizare Adauga Setari Ajutor)
FSIZE=12
for t in "${FACES_EN[@]}" "${FACES_RO[@]}"; do
  FSIZE=$(fit_size "$FONTB" "$FSIZE" 88 "$t")
done
for i in 1 2 3 4 5 6; do
  label_face 100 31 5 "$FSIZE" "${FACES_EN[i - 1]}" "$PIC/face_${i}EN.png"
  label_face 100 31 5 "$FSIZE" "${FACES_RO[i - 1]}" "$PIC/face_${i}RO.png"
  S=2 label_face 200 62 10 $((FSIZE * 2)) "${FACES_EN[i - 1]}" "$PIC/face_${i}EN@2x.png"
  S=2 label_face 200 62 10 $((FSIZE * 2)) "${FACES_RO[i - 1]}" "$PIC/face_${i}RO@2x.png"
done
# The "My companies" face, number 8 (7 is the search button's), at the size
# of the six above unless its words need a smaller one.
MSIZE=$FSIZE
for t in 'My companies' 'Firmele mele'; do
  MSIZE=$(fit_size "$FONTB" "$MSIZE" 88 "$t")
done
label_face 100 31 5 "$MSIZE" 'My companies' "$PIC/face_8EN.png"
label_face 100 31 5 "$MSIZE" 'Firmele mele' "$PIC/face_8RO.png"
S=2 label_face 200 62 10 $((MSIZE * 2)) 'My companies' "$PIC/face_8EN@2x.png"
S=2 label_face 200 62 10 $((MSIZE * 2)) 'Firmele mele' "$PIC/face_8RO@2x.png"
label_face 67 20 4 11 'Search' "$PIC/face_7EN.png"
label_face 67 20 4 11 'Cauta' "$PIC/face_7RO.png"
S=2 label_face 134 40 8 22 'Search' "$PIC/face_7EN@2x.png"
S=2 label_face 134 40 8 22 'Cauta' "$PIC/face_7RO@2x.png"
face 17 27 4 "$PIC/arrow_down.png" \
  -fill '#0E2F8A90' -draw 'polygon 4.5,12.5 12.5,12.5 8.5,16.5' \
  -fill '#FFFFFF' -draw 'polygon 4.5,11.5 12.5,11.5 8.5,15.5'
S=2 face 34 54 8 "$PIC/arrow_down@2x.png" \
  -fill '#0E2F8A90' -draw 'polygon 9,25 25,25 17,33' \
  -fill '#FFFFFF' -draw 'polygon 9,23 25,23 17,31'

###########################################################################
# 3a. Banner stills, 472x70 PNG
###########################################################################

# split_title TEXT MAXW SIZE -> one line, or two lines split at a " - "
# (or, without one, at the space) that balances the two lines best
split_title() {
  local text=$1 maxw=$2 size=$3
  if [ "$(text_w "$FONTB" "$size" "$text")" -le "$maxw" ] || [[ "$text" != *" "* ]]; then
    echo "$text"; return
  fi
  awk -v t="$text" 'BEGIN {
    if (index(t, " - ")) { sep = " - "; n = split(t, p, / - /); tail = " -" }
    else { sep = " "; n = split(t, p, / /); tail = "" }
    best = 1e9
    for (k = 1; k < n; k++) {
      a = p[1]; for (i = 2; i <= k; i++) a = a sep p[i]; a = a tail
      b = p[k + 1]; for (i = k + 2; i <= n; i++) b = b sep p[i]
      m = length(a) > length(b) ? length(a) : length(b)
      if (m < best) { best = m; l1 = a; l2 = b }
    }
    print l1; print l2 }'
}

# banner OUT STYLE TITLE TAGLINE [CTA1 CTA2]
#   STYLE 1: blue gradient, white map, white call-to-action box
#   STYLE 2: light, olive block with the map, blue call-to-action button
#   STYLE 3: dark navy, olive call-to-action button
banner() {
  local out=$1 style=$2 title=$3 tag=$4
  local cta1=${5:-Advertise here} cta2=${6:-www.dorvanta.ro}
  local tx=84 ctx=344 ctw=116 tend=332
  [ "$style" = 3 ] && tend=322
  local bg mapc titlec tagc ctabg ctastroke cta1c cta2c border
  case $style in
    1) bg=(xc: -sparse-color Bilinear "0,0 #4C8DFF 472,0 #2B66E8 0,70 #2F6CF0 472,70 #1A48B8")
       mapc='#FFFFFF'; titlec='#FFFFFF'; tagc='#D7E4FF'
       ctabg='#FFFFFF'; ctastroke='#FFFFFF'; cta1c="$BLUE_DARK"; cta2c="$OLIVE"; border='#1A48AE' ;;
    2) bg=(gradient:'#FFFFFF'-'#E3ECFF' -rotate 0)
       mapc='#FFFFFF'; titlec="$BLUE_DARK"; tagc='#555555'
       ctabg="$BLUE"; ctastroke='#1A48AE'; cta1c='#FFFFFF'; cta2c='#E6EEFF'; border='#9DB8EE' ;;
    3) bg=(xc: -sparse-color Bilinear "0,0 #1E4AAE 472,0 #122F78 0,70 #163A8E 472,70 #0C2360")
       mapc="$OLIVE_LIGHT"; titlec='#FFFFFF'; tagc="$OLIVE_LIGHT"
       ctabg="$OLIVE"; ctastroke='#A3A35C'; cta1c='#FFFFFF'; cta2c='#F0F0D8'; border='#0C2360' ;;
  esac
  local lines=() l
  while IFS= read -r l; do lines+=("$l"); done < <(split_title "$title" $((tend - tx)) 15)
  local size=15
  for l in "${lines[@]}"; do size=$(fit_size "$FONTB" "$size" $((tend - tx)) "$l"); done
  local tsize; tsize=$(fit_size "$FONT" 11 $((tend - tx)) "$tag")
  local y
  if [ ${#lines[@]} -eq 1 ]; then y=30; else y=23; fi
  local draw=(-font "$FONTB" -pointsize "$size" -fill "$titlec")
  for l in "${lines[@]}"; do draw+=(-annotate +$tx+$y "$l"); y=$((y + size + 3)); done
  draw+=(-font "$FONT" -pointsize "$tsize" -fill "$tagc" -annotate +$tx+$((y + 2)) "$tag")
  local c1s c2s
  c1s=$(fit_size "$FONTB" 13 $((ctw - 12)) "$cta1")
  c2s=$(fit_size "$FONT" 11 $((ctw - 12)) "$cta2")
  if [ "$style" = 3 ]; then
    draw+=(-fill "$ctabg" -draw "polygon 350,0 472,0 472,70 330,70"
           -fill "$ctastroke" -draw "polygon 350,0 353,0 333,70 330,70")
    ctx=352
  else
    draw+=(-fill "$ctabg" -stroke "$ctastroke" -strokewidth 1
           -draw "roundrectangle $ctx.5,14.5 $((ctx + ctw)).5,55.5 6,6" -stroke none)
  fi
  draw+=(
         -font "$FONTB" -pointsize "$c1s" -fill "$cta1c"
         -annotate +$((ctx + (ctw - $(text_w "$FONTB" "$c1s" "$cta1")) / 2))+32 "$cta1"
         -font "$FONT" -pointsize "$c2s" -fill "$cta2c"
         -annotate +$((ctx + (ctw - $(text_w "$FONT" "$c2s" "$cta2")) / 2))+48 "$cta2")
  local left=()
  case $style in
    1) left=(-fill '#FFFFFF30' -draw 'rectangle 72,12 72,58'
             -fill "$mapc" -draw "polygon $(romania 12 15 54)") ;;
    2) left=(-fill "$OLIVE" -draw 'rectangle 0,0 70,70'
             -fill '#A3A35C' -draw 'rectangle 70,0 71,70'
             -fill "$mapc" -draw "polygon $(romania 9 17 52)") ;;
    3) left=(-fill "$OLIVE" -draw 'rectangle 0,0 4,70'
             -fill none -stroke "$mapc" -strokewidth 1.5 -draw "polygon $(romania 14 15 54)"
             -stroke none -fill "$mapc" -draw "translate $(romania_pt 14 15 54 26.10 44.43) circle 0,0 2,0") ;;
  esac
  convert -size 472x70 "${bg[@]}" "${left[@]}" "${draw[@]}" \
    -fill none -stroke "$border" -strokewidth 1 -draw 'rectangle 0.5,0.5 471.5,69.5' \
    "${PNGOPT[@]}" "PNG24:$out"
}

BANNER_GROUPS=(
  "a|Business - Mass media - Advertising"
  "b|Agriculture - Alimentation - Beverages"
  "c|Household - Recreation - Sport - Tourism"
  "d|Chemistry - Wood - Plastics - Glass"
  "e|Trade - Services"
  "f|Computers - Communications - Electrical - Electronics"
  "g|Constructions - Transport - Auto"
  "h|Clothing - Shoes"
  "i|Equipments - Industrial - Appliance - Machinery"
  "j|Culture - Institutions - Education - Health"
)
for g in "${BANNER_GROUPS[@]}"; do
  letter=${g%%|*}; name=${g#*|}
  banner "$NET/${letter}1.png" 1 "$name" 'Reach the buyers and partners of this group'
  banner "$NET/${letter}2.png" 2 "$name" 'Your banner on every company and ad page here'
  banner "$NET/${letter}3.png" 3 "$name" 'Promote your business to this group'
done
banner "$NET/1.png" 1 'Business opportunities from all over Romania' 'Offers - Requests - Services'
banner "$NET/2.png" 2 'Present your company in the directory' 'Send your data to office@dorvanta.ro' \
  'Join us' 'www.dorvanta.ro'
banner "$NET/3.png" 3 'Your banner here: 472 x 70 pixels' 'Shown on company and business ad pages'

# Dorvanta.png: the company page banner (brand and slogan)
convert -size 472x70 xc: \
  -sparse-color Bilinear "0,0 #4C8DFF 472,0 #2B66E8 0,70 #2F6CF0 472,70 #1A48B8" \
  -fill '#FFFFFF' -draw "polygon $(romania 14 13 62)" \
  -fill "$OLIVE" -draw "translate $(romania_pt 14 13 62 26.10 44.43) circle 0,0 2.5,0" \
  -fill '#FFFFFF40' -draw 'rectangle 88,12 88,58' \
  -font "$FONTB" -pointsize 24 -fill '#0B2A7A60' -annotate +103+35 'Dorvanta Romania' \
  -fill '#FFFFFF' -annotate +102+34 'Dorvanta Romania' \
  -font "$FONT" -pointsize 11 -fill '#E1EBFF' \
  -annotate +103+54 'Romanian companies & business opportunities' \
  -fill "$OLIVE_LIGHT" -draw 'rectangle 382,17 383,53' \
  -font "$FONTB" -pointsize 11 -fill '#FFFFFF' -annotate +392+33 'www.' \
  -annotate +392+48 'dorvanta.ro' \
  -fill none -stroke '#1A48AE' -strokewidth 1 -draw 'rectangle 0.5,0.5 471.5,69.5' \
  "${PNGOPT[@]}" "PNG24:$NET/Dorvanta.png"
