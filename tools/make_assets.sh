#!/usr/bin/env bash
# Generates the pictures and static HTML pages of Dorvanta Romania.
#
# Run from anywhere:  bash tools/make_assets.sh
# Needs ImageMagick 6 ("convert") and the DejaVu Sans fonts. The outputs are
# committed, so building the program does not need this script or its tools.
#
# Writes:
#   dist/icon/*.gif            18x18 profile row icons
#   resources/pictures/*       window pictures (Qt resources)
#   dist/Internet/*            start pages and banner stills
#   dist/Help/*                help pages
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
HELP=dist/Help
mkdir -p "$ICON" "$PIC" "$NET" "$HELP"

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
  -fill '#FFFFFF' -font "$FONT" -pointsize 12 -annotate +25+147 'Companies & business opportunities' \
  -annotate +25+163 'directory' \
  -fill '#FFFFFF' -draw 'rectangle 0,180 400,200' \
  -fill "$BLUE" -draw 'rectangle 0,180 400,180' \
  -fill "$BLUE_DEEP" -font "$FONTB" -pointsize 11 -annotate +25+194 'www.dorvanta.ro' \
  -fill '#6A6A6A' -font "$FONT" -pointsize 11 \
  -annotate +$((400 - 16 - $(text_w "$FONT" 11 'office@dorvanta.ro')))+194 'office@dorvanta.ro' \
  "${JPGOPT[@]}" "$PIC/splash.jpg"

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
gloss 2000 20 '#6FA0FF' '#4D88FF' '#3175FF' '#2A68EC' \
  -fill '#8FB6FF' -draw 'rectangle 0,0 2000,0' \
  -fill '#2157CC' -draw 'rectangle 0,19 2000,19' \
  "${JPGOPT[@]}" "$PIC/title_bar.jpg"
gloss 2000 30 '#4A86FF' '#3A7BFB' '#3070F2' '#2860DC' \
  -fill '#6E9EFF' -draw 'rectangle 0,0 2000,0' \
  -fill '#1B4AB4' -draw 'rectangle 0,29 2000,29' \
  "${JPGOPT[@]}" "$PIC/menu_bar.jpg"
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
  local top=$((h / 2))
  convert -size "${w}x${top}" gradient:'#78A8FF'-'#4E8AFF' \
          -size "${w}x$((h - top))" gradient:'#3878FA'-'#2A66E6' -append \
    \( -size "${w}x${h}" xc:black -fill white \
       -draw "roundrectangle 0,0 $((w - 1)),$((h - 1)) $r,$r" \) \
    -alpha off -compose CopyOpacity -composite -compose Over \
    -fill none -stroke '#FFFFFF50' -strokewidth 1 \
    -draw "roundrectangle 1.5,1.5 $((w - 2)).5,$((h - 2)).5 $((r - 1)),$((r - 1))" \
    -stroke '#1A48AE' \
    -draw "roundrectangle 0.5,0.5 $((w - 1)).5,$((h - 1)).5 $r,$r" \
    -stroke none "$@" "${PNGOPT[@]}" "PNG32:$out"
}
# label_face W H RADIUS SIZE TEXT OUT
label_face() {
  local w=$1 h=$2 size=$4 text=$5
  local tw; tw=$(text_w "$FONTB" "$size" "$text")
  local x=$(( (w - tw) / 2 )) y=$(( (h + size * 72 / 100) / 2 ))
  face "$w" "$h" "$3" "$6" -font "$FONTB" -pointsize "$size" \
    -fill '#0E2F8A90' -annotate +"$x"+"$((y + 1))" "$text" \
    -fill '#FFFFFF' -annotate +"$x"+"$y" "$text"
}

# --- title bar buttons, 17x17 -----------------------------------------------
glyph() {   # OUT drawing...
  local out=$1; shift
  convert -size 17x17 xc:none -fill '#2A64E6' -stroke '#1A4AB0' -strokewidth 1 \
    -draw 'roundrectangle 0.5,0.5 16.5,16.5 3,3' -stroke none -fill '#FFFFFF' "$@" \
    "${PNGOPT[@]}" "PNG32:$PIC/$out"
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
done
label_face 67 20 4 11 'Search' "$PIC/face_7EN.png"
label_face 67 20 4 11 'Cauta' "$PIC/face_7RO.png"
face 17 27 4 "$PIC/arrow_down.png" \
  -fill '#0E2F8A90' -draw 'polygon 4.5,12.5 12.5,12.5 8.5,16.5' \
  -fill '#FFFFFF' -draw 'polygon 4.5,11.5 12.5,11.5 8.5,15.5'

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

###########################################################################
# HTML helpers (plain ASCII, HTML 4 subset understood by QTextBrowser)
###########################################################################

# html_start OUT TITLE SUBTITLE
html_start() {
  cat > "$1" <<HTML
<!DOCTYPE HTML PUBLIC "-//W3C//DTD HTML 4.01 Transitional//EN">
<html>
<head>
<meta http-equiv="Content-Type" content="text/html; charset=utf-8">
<title>$2</title>
<style type="text/css">
body { font-family: Verdana, Arial, Helvetica, sans-serif; font-size: 9pt; color: #202020; background-color: #FFFFFF; }
h2 { font-size: 12pt; color: #1F56D6; margin-top: 14px; margin-bottom: 4px; }
h3 { font-size: 10pt; color: #808040; margin-top: 10px; margin-bottom: 2px; }
p { margin-top: 4px; margin-bottom: 6px; }
a { color: #1F56D6; }
td { font-family: Verdana, Arial, Helvetica, sans-serif; font-size: 9pt; }
pre { font-family: "Courier New", Courier, monospace; font-size: 9pt; }
</style>
</head>
<body bgcolor="#FFFFFF" text="#202020" link="#1F56D6" vlink="#55552A">
<table width="100%" border="0" cellspacing="0" cellpadding="10" bgcolor="#3175FF">
<tr>
<td valign="middle"><font face="Verdana, Arial" size="5" color="#FFFFFF"><b>Dorvanta Romania</b></font><br>
<font face="Verdana, Arial" size="2" color="#DCE7FF">$3</font></td>
<td align="right" valign="middle"><font face="Verdana, Arial" size="2" color="#FFFFFF"><b>www.dorvanta.ro</b></font></td>
</tr>
</table>
<table width="100%" border="0" cellspacing="0" cellpadding="0" bgcolor="#808040"><tr><td style="font-size: 2px;">&nbsp;</td></tr></table>
<table width="100%" border="0" cellspacing="0" cellpadding="12"><tr><td>
HTML
}

# html_end OUT
html_end() {
  cat >> "$1" <<'HTML'
</td></tr></table>
<table width="100%" border="0" cellspacing="0" cellpadding="6" bgcolor="#DEDFDE">
<tr><td align="center" style="font-size: 8pt; color: #505050;">Dorvanta Romania &middot;
<a href="http://www.dorvanta.ro">www.dorvanta.ro</a> &middot;
<a href="mailto:office@dorvanta.ro">office@dorvanta.ro</a></td></tr>
</table>
</body>
</html>
HTML
}

# note OUT TEXT: a pale blue tip box
note() {
  cat >> "$1" <<HTML
<table width="100%" border="0" cellspacing="0" cellpadding="8" bgcolor="#EAF1FF"><tr><td>
$2
</td></tr></table>
HTML
}

# banner_img OUT: the brand banner on start pages
banner_img() {
  cat >> "$1" <<'HTML'
<p align="center"><img src="Dorvanta.png" width="472" height="70" alt="Dorvanta Romania"></p>
HTML
}

###########################################################################
# 3b. Start pages of the HTML view
###########################################################################

f="$NET/companies_EN.htm"
html_start "$f" 'Dorvanta Romania - Companies' 'Directory of Romanian companies'
banner_img "$f"
cat >> "$f" <<'HTML'
<h2>Welcome to the companies directory</h2>
<p>Dorvanta Romania gathers companies from every county of Romania, grouped by
domain and section of activity. Find suppliers, customers and partners, and read
their complete profile: address, representative, phone, fax, e-mail, web page,
activities and description.</p>

<h2>How to search</h2>
<p>Fill in one or more of the search fields at the top and press <b>Search</b>.
The more fields you fill in, the narrower the result.</p>
<table border="0" cellspacing="0" cellpadding="4">
<tr><td valign="top"><font color="#3175FF"><b>1.</b></font></td>
<td><b>Company name</b> - type the whole name or only a part of it
(for example <i>construct</i> finds every company with that word in its name).</td></tr>
<tr><td valign="top"><font color="#3175FF"><b>2.</b></font></td>
<td><b>Domain and section</b> - choose a domain of activity, then a section of
that domain, to see only the companies working in it.</td></tr>
<tr><td valign="top"><font color="#3175FF"><b>3.</b></font></td>
<td><b>County</b> - choose a county to see only the companies located there.</td></tr>
<tr><td valign="top"><font color="#3175FF"><b>4.</b></font></td>
<td><b>Type</b> - Trader, Services, Importer-Exporter, Headquarter,
Organization or Manufacturer.</td></tr>
</table>
<p>Click a company in the result list to open its profile on this page.</p>

<h2>Keep the directory up to date</h2>
<p>New companies are added and existing data changes all the time. Connect to the
Internet, open the <b>Update</b> menu and update the companies: the newest data
is downloaded from www.dorvanta.ro.</p>
HTML
note "$f" '<b>Your company is missing?</b> Add it to the directory: see the <b>Insert</b> menu,
or write to <a href="mailto:office@dorvanta.ro">office@dorvanta.ro</a>.'
html_end "$f"

f="$NET/companies_RO.htm"
html_start "$f" 'Dorvanta Romania - Companii' 'Catalogul firmelor din Romania'
banner_img "$f"
cat >> "$f" <<'HTML'
<h2>Bine ati venit in catalogul firmelor</h2>
<p>Dorvanta Romania reuneste firme din toate judetele tarii, grupate pe domenii
si sectiuni de activitate. Gasiti furnizori, clienti si parteneri si cititi
profilul complet al fiecarei firme: adresa, reprezentant, telefon, fax, e-mail,
pagina web, activitati si descriere.</p>

<h2>Cum cautati</h2>
<p>Completati unul sau mai multe campuri de cautare din partea de sus si apasati
<b>Cauta</b>. Cu cat completati mai multe campuri, cu atat rezultatul este mai precis.</p>
<table border="0" cellspacing="0" cellpadding="4">
<tr><td valign="top"><font color="#3175FF"><b>1.</b></font></td>
<td><b>Denumirea firmei</b> - scrieti numele intreg sau doar o parte din el
(de exemplu <i>construct</i> gaseste toate firmele care au acest cuvant in nume).</td></tr>
<tr><td valign="top"><font color="#3175FF"><b>2.</b></font></td>
<td><b>Domeniu si sectiune</b> - alegeti un domeniu de activitate, apoi o sectiune
a acestuia, pentru a vedea doar firmele care lucreaza in ea.</td></tr>
<tr><td valign="top"><font color="#3175FF"><b>3.</b></font></td>
<td><b>Judet</b> - alegeti un judet pentru a vedea doar firmele de acolo.</td></tr>
<tr><td valign="top"><font color="#3175FF"><b>4.</b></font></td>
<td><b>Tip</b> - Comerciant, Servicii, Importator-Exportator, Sediu central,
Organizatie sau Producator.</td></tr>
</table>
<p>Dati clic pe o firma din lista de rezultate pentru a-i deschide profilul in aceasta pagina.</p>

<h2>Pastrati catalogul la zi</h2>
<p>Firme noi sunt adaugate, iar datele existente se schimba mereu. Conectati-va la
Internet, deschideti meniul <b>Actualizare</b> si actualizati firmele: cele mai noi
date sunt descarcate de pe www.dorvanta.ro.</p>
HTML
note "$f" '<b>Firma dumneavoastra lipseste?</b> Adaugati-o in catalog: vedeti meniul <b>Adauga</b>
sau scrieti la <a href="mailto:office@dorvanta.ro">office@dorvanta.ro</a>.'
html_end "$f"

f="$NET/opportunities_EN.htm"
html_start "$f" 'Dorvanta Romania - Business opportunities' 'Business opportunities: offers, requests, services'
banner_img "$f"
cat >> "$f" <<'HTML'
<h2>Welcome to the business opportunities</h2>
<p>Here companies and entrepreneurs publish short business ads of three kinds:</p>
<table border="0" cellspacing="0" cellpadding="4">
<tr><td valign="top"><font color="#808040"><b>Offers</b></font></td>
<td>products and goods for sale</td></tr>
<tr><td valign="top"><font color="#808040"><b>Requests</b></font></td>
<td>products, goods or partners that someone is looking for</td></tr>
<tr><td valign="top"><font color="#808040"><b>Services</b></font></td>
<td>services offered to companies and to the public</td></tr>
</table>

<h2>How to search</h2>
<p>Fill in one or more of the search fields at the top and press <b>Search</b>:</p>
<table border="0" cellspacing="0" cellpadding="4">
<tr><td valign="top"><font color="#3175FF"><b>1.</b></font></td>
<td><b>Keyword</b> - a word that appears in the subject of the ad.</td></tr>
<tr><td valign="top"><font color="#3175FF"><b>2.</b></font></td>
<td><b>Domain group</b> - for example <i>Constructions - Transport - Auto</i>.</td></tr>
<tr><td valign="top"><font color="#3175FF"><b>3.</b></font></td>
<td><b>County</b> - where the advertiser is located.</td></tr>
<tr><td valign="top"><font color="#3175FF"><b>4.</b></font></td>
<td><b>Type</b> - offer, request or service.</td></tr>
</table>
<p>The newest ads are listed first. Click an ad to read its description and the
contact details of the advertiser.</p>

<h2>Fresh ads every day</h2>
<p>Connect to the Internet, open the <b>Update</b> menu and update the business ads
to download the latest ones from www.dorvanta.ro.</p>
HTML
note "$f" '<b>Have something to offer?</b> Publish your own business ad: see the <b>Insert</b> menu,
or write to <a href="mailto:office@dorvanta.ro">office@dorvanta.ro</a>.'
html_end "$f"

f="$NET/opportunities_RO.htm"
html_start "$f" 'Dorvanta Romania - Oportunitati de afaceri' 'Oportunitati de afaceri: oferte, cereri, servicii'
banner_img "$f"
cat >> "$f" <<'HTML'
<h2>Bine ati venit la oportunitatile de afaceri</h2>
<p>Aici firmele si intreprinzatorii publica anunturi scurte de afaceri, de trei feluri:</p>
<table border="0" cellspacing="0" cellpadding="4">
<tr><td valign="top"><font color="#808040"><b>Oferte</b></font></td>
<td>produse si marfuri de vanzare</td></tr>
<tr><td valign="top"><font color="#808040"><b>Cereri</b></font></td>
<td>produse, marfuri sau parteneri cautati</td></tr>
<tr><td valign="top"><font color="#808040"><b>Servicii</b></font></td>
<td>servicii oferite firmelor si populatiei</td></tr>
</table>

<h2>Cum cautati</h2>
<p>Completati unul sau mai multe campuri de cautare din partea de sus si apasati <b>Cauta</b>:</p>
<table border="0" cellspacing="0" cellpadding="4">
<tr><td valign="top"><font color="#3175FF"><b>1.</b></font></td>
<td><b>Cuvant cheie</b> - un cuvant care apare in subiectul anuntului.</td></tr>
<tr><td valign="top"><font color="#3175FF"><b>2.</b></font></td>
<td><b>Grupa de domenii</b> - de exemplu <i>Constructii - Transport - Auto</i>.</td></tr>
<tr><td valign="top"><font color="#3175FF"><b>3.</b></font></td>
<td><b>Judet</b> - unde se afla cel care a dat anuntul.</td></tr>
<tr><td valign="top"><font color="#3175FF"><b>4.</b></font></td>
<td><b>Tip</b> - oferta, cerere sau serviciu.</td></tr>
</table>
<p>Cele mai noi anunturi apar primele. Dati clic pe un anunt pentru a-i citi descrierea
si datele de contact.</p>

<h2>Anunturi noi in fiecare zi</h2>
<p>Conectati-va la Internet, deschideti meniul <b>Actualizare</b> si actualizati
anunturile pentru a le descarca pe cele mai noi de pe www.dorvanta.ro.</p>
HTML
note "$f" '<b>Aveti ceva de oferit?</b> Publicati propriul anunt de afaceri: vedeti meniul <b>Adauga</b>
sau scrieti la <a href="mailto:office@dorvanta.ro">office@dorvanta.ro</a>.'
html_end "$f"

###########################################################################
# 4. Help pages
###########################################################################

# help_nav OUT CONTENTS_PAGE LABEL: link back to the contents page
help_nav() {
  cat >> "$1" <<HTML
<p align="right"><a href="$2">&laquo; $3</a></p>
HTML
}

# profile_rows OUT LANG: table of the profile icons and what they mean
profile_rows() {
  local rows
  if [ "$2" = en ]; then
    rows='company|Company name
1activity|Main activity
2activity|Other activities
postal|Postal address
county|County
representative|Representative
phone|Phone
mobile|Mobile phone
fax|Fax
email|E-mail address
web|Web page
story|Description of the company'
  else
    rows='company|Denumirea firmei
1activity|Activitatea principala
2activity|Alte activitati
postal|Adresa postala
county|Judet
representative|Reprezentant
phone|Telefon
mobile|Telefon mobil
fax|Fax
email|Adresa de e-mail
web|Pagina web
story|Descrierea firmei'
  fi
  echo '<table border="0" cellspacing="0" cellpadding="3">' >> "$1"
  while IFS='|' read -r icon text; do
    echo "<tr><td><img src=\"../icon/$icon.gif\" width=\"18\" height=\"18\" alt=\"\"></td><td>$text</td></tr>" >> "$1"
  done <<< "$rows"
  echo '</table>' >> "$1"
}

# groups_list OUT LANG: the ten domain groups
groups_list() {
  local g
  echo '<ul>' >> "$1"
  if [ "$2" = en ]; then
    for g in "${BANNER_GROUPS[@]}"; do echo "<li>${g#*|}</li>" >> "$1"; done
  else
    for g in 'Afaceri - Mass media - Publicitate' 'Agricultura - Alimentatie - Bauturi' \
             'Casa - Recreere - Sport - Turism' 'Chimie - Lemn - Mase plastice - Sticla' \
             'Comert - Servicii' 'Calculatoare - Comunicatii - Electrice - Electronice' \
             'Constructii - Transport - Auto' 'Imbracaminte - Incaltaminte' \
             'Echipamente - Industrie - Aparatura - Masini' \
             'Cultura - Institutii - Educatie - Sanatate'; do
      echo "<li>$g</li>" >> "$1"
    done
  fi
  echo '</ul>' >> "$1"
}

# --- index_en.htm ---------------------------------------------------------
f="$HELP/index_en.htm"
html_start "$f" 'Dorvanta Romania - Help' 'Help contents'
cat >> "$f" <<'HTML'
<h2>Contents</h2>
<table border="0" cellspacing="0" cellpadding="2">
<tr><td>1.</td><td><a href="#companies">Searching companies</a></td></tr>
<tr><td>2.</td><td><a href="#profile">Reading a company profile</a></td></tr>
<tr><td>3.</td><td><a href="#ads">Searching business ads</a></td></tr>
<tr><td>4.</td><td><a href="#update">Updating companies and ads from the Internet</a></td></tr>
<tr><td>5.</td><td><a href="#language">Changing the language</a></td></tr>
<tr><td>6.</td><td><a href="#print">Printing</a></td></tr>
<tr><td>7.</td><td><a href="#submit">Submitting your company, business ad or banner</a></td></tr>
</table>

<a name="companies"></a><h2>1. Searching companies</h2>
<p>Press <b>Companies</b> in the menu bar. Fill in one or more search fields and
press <b>Search</b>:</p>
<ul>
<li><b>Company name</b> - the whole name or a part of it;</li>
<li><b>Domain</b> and <b>section</b> - the field of activity;</li>
<li><b>County</b> - where the company is located;</li>
<li><b>Type</b> - Trader, Services, Importer-Exporter, Headquarter, Organization or Manufacturer.</li>
</ul>
<p>Leave a field empty to search without it. The companies found are listed;
click one to open its profile.</p>

<a name="profile"></a><h2>2. Reading a company profile</h2>
<p>The profile shows everything known about a company, one item a row:</p>
HTML
profile_rows "$f" en
cat >> "$f" <<'HTML'
<p>Click the e-mail address to write to the company, or the web page to visit it.</p>

<a name="ads"></a><h2>3. Searching business ads</h2>
<p>Press <b>Opportunities</b> in the menu bar. Business ads are offers, requests and
services. Search them by a <b>keyword</b> in the subject, by <b>domain group</b>,
by <b>county</b> and by <b>type</b>, then press <b>Search</b>. The newest ads come
first; click one to read its description and the contact details.</p>

<a name="update"></a><h2>4. Updating companies and ads from the Internet</h2>
<p>The directory is updated regularly. Connect to the Internet, open the
<b>Update</b> menu and choose <b>New companies &gt; All companies</b>, or one of the
groups under <b>New business ads</b> (<b>All categories</b> for every group). The new
data is downloaded from www.dorvanta.ro and is available at once; your searches
then include the newest companies and ads.</p>

<a name="language"></a><h2>5. Changing the language</h2>
<p>The program speaks English and Romanian. Choose <b>Settings &gt; Language</b>
to switch between them; menus, lists and pages change at once.</p>

<a name="print"></a><h2>6. Printing</h2>
<p>Open the company profile or business ad you want on paper and choose
<b>Settings &gt; Print</b>.</p>

<a name="submit"></a><h2>7. Submitting your company, business ad or banner</h2>
<p>Be present in Dorvanta Romania too:</p>
<ul>
<li><a href="einserare_companie.htm">How to submit your company</a></li>
<li><a href="eanunt.htm">How to submit a business ad</a></li>
<li><a href="ebanner.htm">How to order a banner</a></li>
</ul>
HTML
note "$f" 'Questions? Write to <a href="mailto:office@dorvanta.ro">office@dorvanta.ro</a>
or visit <a href="http://www.dorvanta.ro">www.dorvanta.ro</a>.'
html_end "$f"

# --- index_ro.htm ---------------------------------------------------------
f="$HELP/index_ro.htm"
html_start "$f" 'Dorvanta Romania - Ajutor' 'Cuprinsul ajutorului'
cat >> "$f" <<'HTML'
<h2>Cuprins</h2>
<table border="0" cellspacing="0" cellpadding="2">
<tr><td>1.</td><td><a href="#firme">Cautarea firmelor</a></td></tr>
<tr><td>2.</td><td><a href="#profil">Citirea profilului unei firme</a></td></tr>
<tr><td>3.</td><td><a href="#anunturi">Cautarea anunturilor de afaceri</a></td></tr>
<tr><td>4.</td><td><a href="#actualizare">Actualizarea firmelor si anunturilor de pe Internet</a></td></tr>
<tr><td>5.</td><td><a href="#limba">Schimbarea limbii</a></td></tr>
<tr><td>6.</td><td><a href="#tiparire">Tiparirea</a></td></tr>
<tr><td>7.</td><td><a href="#trimitere">Trimiterea firmei, a unui anunt sau a unui banner</a></td></tr>
</table>

<a name="firme"></a><h2>1. Cautarea firmelor</h2>
<p>Apasati <b>Companii</b> in bara de meniu. Completati unul sau mai multe campuri
de cautare si apasati <b>Cauta</b>:</p>
<ul>
<li><b>Denumirea firmei</b> - numele intreg sau o parte din el;</li>
<li><b>Domeniu</b> si <b>sectiune</b> - domeniul de activitate;</li>
<li><b>Judet</b> - unde se afla firma;</li>
<li><b>Tip</b> - Comerciant, Servicii, Importator-Exportator, Sediu central, Organizatie sau Producator.</li>
</ul>
<p>Lasati un camp gol pentru a cauta fara el. Firmele gasite sunt afisate intr-o
lista; dati clic pe una pentru a-i deschide profilul.</p>

<a name="profil"></a><h2>2. Citirea profilului unei firme</h2>
<p>Profilul arata tot ce se stie despre o firma, cate o informatie pe rand:</p>
HTML
profile_rows "$f" ro
cat >> "$f" <<'HTML'
<p>Dati clic pe adresa de e-mail pentru a scrie firmei sau pe pagina web pentru a o vizita.</p>

<a name="anunturi"></a><h2>3. Cautarea anunturilor de afaceri</h2>
<p>Apasati <b>Oportunitati</b> in bara de meniu. Anunturile de afaceri sunt oferte,
cereri si servicii. Cautati-le dupa un <b>cuvant cheie</b> din subiect, dupa
<b>grupa de domenii</b>, dupa <b>judet</b> si dupa <b>tip</b>, apoi apasati
<b>Cauta</b>. Cele mai noi anunturi apar primele; dati clic pe unul pentru a-i citi
descrierea si datele de contact.</p>

<a name="actualizare"></a><h2>4. Actualizarea firmelor si anunturilor de pe Internet</h2>
<p>Catalogul este actualizat periodic. Conectati-va la Internet, deschideti meniul
<b>Actualizare</b> si alegeti <b>Noi companii &gt; All companies</b>, sau una dintre
grupele din <b>Noi oportunitati</b> (<b>All categories</b> pentru toate grupele).
Datele noi sunt descarcate de pe www.dorvanta.ro si sunt disponibile imediat;
cautarile includ apoi cele mai noi firme si anunturi.</p>

<a name="limba"></a><h2>5. Schimbarea limbii</h2>
<p>Programul vorbeste romana si engleza. Alegeti <b>Setari &gt; Language</b> (English sau Romana) pentru a
trece de la una la alta; meniurile, listele si paginile se schimba imediat.</p>

<a name="tiparire"></a><h2>6. Tiparirea</h2>
<p>Deschideti profilul firmei sau anuntul de afaceri pe care il doriti pe hartie si
alegeti <b>Setari &gt; Print</b>.</p>

<a name="trimitere"></a><h2>7. Trimiterea firmei, a unui anunt sau a unui banner</h2>
<p>Fiti si dumneavoastra prezenti in Dorvanta Romania:</p>
<ul>
<li><a href="inserare_companie.htm">Cum va inscrieti firma</a></li>
<li><a href="anunt.htm">Cum trimiteti un anunt de afaceri</a></li>
<li><a href="banner.htm">Cum comandati un banner</a></li>
</ul>
HTML
note "$f" 'Intrebari? Scrieti la <a href="mailto:office@dorvanta.ro">office@dorvanta.ro</a>
sau vizitati <a href="http://www.dorvanta.ro">www.dorvanta.ro</a>.'
html_end "$f"

# --- einserare_companie.htm / inserare_companie.htm -----------------------
f="$HELP/einserare_companie.htm"
html_start "$f" 'Dorvanta Romania - Submit your company' 'Help: submit your company'
help_nav "$f" index_en.htm 'Help contents'
cat >> "$f" <<'HTML'
<h2>How to submit your company</h2>
<p>Present your company to customers and partners all over Romania. Send us the
data below and your company appears in the directory at the next update.</p>

<h3>The data we need</h3>
<table border="0" cellspacing="0" cellpadding="3">
<tr><td valign="top"><b>Company name</b></td><td>the full name, with its legal form (SRL, SA, PFA ...)</td></tr>
<tr><td valign="top"><b>County</b></td><td>the county of the company's seat</td></tr>
<tr><td valign="top"><b>Address</b></td><td>street, number, town, postal code</td></tr>
<tr><td valign="top"><b>Representative</b></td><td>name and position of the contact person</td></tr>
<tr><td valign="top"><b>Phones</b></td><td>phone and mobile phone numbers</td></tr>
<tr><td valign="top"><b>Fax</b></td><td>fax number, if any</td></tr>
<tr><td valign="top"><b>E-mail</b></td><td>the e-mail address of the company</td></tr>
<tr><td valign="top"><b>Web page</b></td><td>the address of your web site, if any</td></tr>
<tr><td valign="top"><b>Activities</b></td><td>up to four activities (domain and section), each with its type:
Trader, Services, Importer-Exporter, Headquarter, Organization or Manufacturer</td></tr>
<tr><td valign="top"><b>Description</b></td><td>a few lines about the company, its products and services</td></tr>
</table>

<h3>Example</h3>
<pre>
Company name:    Example Trading SRL
County:          Cluj
Address:         Str. Exemplului 10, Cluj-Napoca, 400000
Representative:  Ion Popescu, manager
Phone / mobile:  0264 000 000 / 0740 000 000
Fax:             0264 000 001
E-mail:          contact@example.ro
Web page:        www.example.ro
Activity 1:      Constructions - building materials (Trader)
Activity 2:      Transport - goods transport (Services)
Description:     Building materials, delivered
                 across Transylvania.
</pre>

<h3>Where to send it</h3>
<p>By e-mail to <a href="mailto:office@dorvanta.ro">office@dorvanta.ro</a>,
or through our web site <a href="http://www.dorvanta.ro">www.dorvanta.ro</a>.</p>
HTML
note "$f" 'Keep your data up to date: when something changes, write to us and the
profile is corrected at the next update.'
help_nav "$f" index_en.htm 'Help contents'
html_end "$f"

f="$HELP/inserare_companie.htm"
html_start "$f" 'Dorvanta Romania - Inscrierea firmei' 'Ajutor: inscrierea firmei'
help_nav "$f" index_ro.htm 'Cuprinsul ajutorului'
cat >> "$f" <<'HTML'
<h2>Cum va inscrieti firma</h2>
<p>Prezentati-va firma clientilor si partenerilor din toata Romania. Trimiteti-ne
datele de mai jos si firma dumneavoastra apare in catalog la urmatoarea actualizare.</p>

<h3>Datele de care avem nevoie</h3>
<table border="0" cellspacing="0" cellpadding="3">
<tr><td valign="top"><b>Denumirea firmei</b></td><td>numele complet, cu forma juridica (SRL, SA, PFA ...)</td></tr>
<tr><td valign="top"><b>Judet</b></td><td>judetul in care se afla sediul firmei</td></tr>
<tr><td valign="top"><b>Adresa</b></td><td>strada, numarul, localitatea, codul postal</td></tr>
<tr><td valign="top"><b>Reprezentant</b></td><td>numele si functia persoanei de contact</td></tr>
<tr><td valign="top"><b>Telefoane</b></td><td>numerele de telefon si de telefon mobil</td></tr>
<tr><td valign="top"><b>Fax</b></td><td>numarul de fax, daca exista</td></tr>
<tr><td valign="top"><b>E-mail</b></td><td>adresa de e-mail a firmei</td></tr>
<tr><td valign="top"><b>Pagina web</b></td><td>adresa site-ului dumneavoastra, daca exista</td></tr>
<tr><td valign="top"><b>Activitati</b></td><td>cel mult patru activitati (domeniu si sectiune), fiecare cu tipul ei:
Comerciant, Servicii, Importator-Exportator, Sediu central, Organizatie sau Producator</td></tr>
<tr><td valign="top"><b>Descriere</b></td><td>cateva randuri despre firma, produsele si serviciile ei</td></tr>
</table>

<h3>Exemplu</h3>
<pre>
Denumirea firmei: Exemplu Comert SRL
Judet:            Cluj
Adresa:           Str. Exemplului 10, Cluj-Napoca, 400000
Reprezentant:     Ion Popescu, administrator
Telefon / mobil:  0264 000 000 / 0740 000 000
Fax:              0264 000 001
E-mail:           contact@exemplu.ro
Pagina web:       www.exemplu.ro
Activitatea 1:    Constructii - materiale
                  de constructii (Comerciant)
Activitatea 2:    Transport - transport marfa (Servicii)
Descriere:        Materiale de constructii,
                  livrate in toata Transilvania.
</pre>

<h3>Unde le trimiteti</h3>
<p>Prin e-mail la <a href="mailto:office@dorvanta.ro">office@dorvanta.ro</a>
sau prin site-ul nostru <a href="http://www.dorvanta.ro">www.dorvanta.ro</a>.</p>
HTML
note "$f" 'Pastrati datele la zi: cand ceva se schimba, scrieti-ne si profilul este
corectat la urmatoarea actualizare.'
help_nav "$f" index_ro.htm 'Cuprinsul ajutorului'
html_end "$f"

# --- eanunt.htm / anunt.htm ---------------------------------------------------
f="$HELP/eanunt.htm"
html_start "$f" 'Dorvanta Romania - Submit a business ad' 'Help: submit a business ad'
help_nav "$f" index_en.htm 'Help contents'
cat >> "$f" <<'HTML'
<h2>How to submit a business ad</h2>
<p>A business ad tells everybody using Dorvanta Romania what you sell, what you are
looking for or what services you provide. Ads are listed newest first, so yours is
seen right after it is published.</p>

<h3>Choose the type</h3>
<table border="0" cellspacing="0" cellpadding="3">
<tr><td valign="top"><font color="#808040"><b>Offer</b></font></td><td>you sell products or goods</td></tr>
<tr><td valign="top"><font color="#808040"><b>Request</b></font></td><td>you are looking for products, goods or partners</td></tr>
<tr><td valign="top"><font color="#808040"><b>Service</b></font></td><td>you provide a service</td></tr>
</table>

<h3>Write the ad</h3>
<table border="0" cellspacing="0" cellpadding="3">
<tr><td valign="top"><b>Subject</b></td><td>a short title, <b>up to 45 characters</b>; buyers search by the words in it</td></tr>
<tr><td valign="top"><b>Description</b></td><td>the details, <b>up to 255 characters</b>: quantities, prices, conditions</td></tr>
<tr><td valign="top"><b>Domain group</b></td><td>the group of domains the ad belongs to (see the list below)</td></tr>
<tr><td valign="top"><b>County</b></td><td>where you are located</td></tr>
<tr><td valign="top"><b>Contact</b></td><td>company or person, phone, e-mail</td></tr>
</table>

<h3>Example</h3>
<pre>
Type:         Offer
Subject:      Oak firewood, delivery in Bihor
Description:  Dry oak firewood, cut at 33 cm, minimum 5 cubic
              metres. Delivery within 48 hours in Bihor county.
Domain group: Chemistry - Wood - Plastics - Glass
County:       Bihor
Contact:      Example Wood SRL, 0259 000 000, sales@example.ro
</pre>

<h3>Domain groups</h3>
HTML
groups_list "$f" en
cat >> "$f" <<'HTML'
<h3>Where to send it</h3>
<p>By e-mail to <a href="mailto:office@dorvanta.ro">office@dorvanta.ro</a>,
or through our web site <a href="http://www.dorvanta.ro">www.dorvanta.ro</a>.</p>
HTML
help_nav "$f" index_en.htm 'Help contents'
html_end "$f"

f="$HELP/anunt.htm"
html_start "$f" 'Dorvanta Romania - Trimiterea unui anunt' 'Ajutor: trimiterea unui anunt de afaceri'
help_nav "$f" index_ro.htm 'Cuprinsul ajutorului'
cat >> "$f" <<'HTML'
<h2>Cum trimiteti un anunt de afaceri</h2>
<p>Un anunt de afaceri le spune tuturor celor care folosesc Dorvanta Romania ce
vindeti, ce cautati sau ce servicii oferiti. Anunturile sunt afisate de la cel mai
nou, deci al dumneavoastra este vazut imediat dupa publicare.</p>

<h3>Alegeti tipul</h3>
<table border="0" cellspacing="0" cellpadding="3">
<tr><td valign="top"><font color="#808040"><b>Oferta</b></font></td><td>vindeti produse sau marfuri</td></tr>
<tr><td valign="top"><font color="#808040"><b>Cerere</b></font></td><td>cautati produse, marfuri sau parteneri</td></tr>
<tr><td valign="top"><font color="#808040"><b>Serviciu</b></font></td><td>oferiti un serviciu</td></tr>
</table>

<h3>Scrieti anuntul</h3>
<table border="0" cellspacing="0" cellpadding="3">
<tr><td valign="top"><b>Subiect</b></td><td>un titlu scurt, <b>cel mult 45 de caractere</b>; cumparatorii cauta dupa cuvintele lui</td></tr>
<tr><td valign="top"><b>Descriere</b></td><td>detaliile, <b>cel mult 255 de caractere</b>: cantitati, preturi, conditii</td></tr>
<tr><td valign="top"><b>Grupa de domenii</b></td><td>grupa careia ii apartine anuntul (vedeti lista de mai jos)</td></tr>
<tr><td valign="top"><b>Judet</b></td><td>unde va aflati</td></tr>
<tr><td valign="top"><b>Contact</b></td><td>firma sau persoana, telefon, e-mail</td></tr>
</table>

<h3>Exemplu</h3>
<pre>
Tip:              Oferta
Subiect:          Lemne de foc stejar, livrare in Bihor
Descriere:        Lemne de foc uscate de stejar, taiate la 33 cm,
                  minimum 5 metri cubi. Livrare in 48 de ore in Bihor.
Grupa de domenii: Chimie - Lemn - Mase plastice - Sticla
Judet:            Bihor
Contact:          Exemplu Lemn SRL, 0259 000 000, vanzari@exemplu.ro
</pre>

<h3>Grupele de domenii</h3>
HTML
groups_list "$f" ro
cat >> "$f" <<'HTML'
<h3>Unde il trimiteti</h3>
<p>Prin e-mail la <a href="mailto:office@dorvanta.ro">office@dorvanta.ro</a>
sau prin site-ul nostru <a href="http://www.dorvanta.ro">www.dorvanta.ro</a>.</p>
HTML
help_nav "$f" index_ro.htm 'Cuprinsul ajutorului'
html_end "$f"

# --- ebanner.htm / banner.htm -------------------------------------------------
f="$HELP/ebanner.htm"
html_start "$f" 'Dorvanta Romania - Order a banner' 'Help: order a banner'
help_nav "$f" index_en.htm 'Help contents'
cat >> "$f" <<'HTML'
<h2>How to order a banner</h2>
<p>A banner is a picture of <b>472 x 70 pixels</b> shown at the top of the company
profiles and business ad pages. It is the most visible place in Dorvanta Romania for
your brand, your products or your special offer.</p>
<p align="center"><img src="../Internet/a1.png" width="472" height="70" alt="Sample banner"></p>

<h3>Where it is shown</h3>
<p>Banners are ordered for one group of domains and are shown on the company and
business ad pages of that group:</p>
HTML
groups_list "$f" en
cat >> "$f" <<'HTML'
<h3>Your banner</h3>
<ul>
<li>size: exactly 472 pixels wide and 70 pixels high;</li>
<li>format: PNG, GIF or JPEG;</li>
<li>content: your company name and a short, legible message.</li>
</ul>
<p>No banner of your own? Send us your logo and the text you want, and we prepare it
for you.</p>

<h3>How to order</h3>
<p>Write to <a href="mailto:office@dorvanta.ro">office@dorvanta.ro</a> with the
group of domains and the period you want, and attach the banner. Prices and free
places are on <a href="http://www.dorvanta.ro">www.dorvanta.ro</a>.</p>
HTML
help_nav "$f" index_en.htm 'Help contents'
html_end "$f"

f="$HELP/banner.htm"
html_start "$f" 'Dorvanta Romania - Comandarea unui banner' 'Ajutor: comandarea unui banner'
help_nav "$f" index_ro.htm 'Cuprinsul ajutorului'
cat >> "$f" <<'HTML'
<h2>Cum comandati un banner</h2>
<p>Un banner este o imagine de <b>472 x 70 pixeli</b> afisata in partea de sus a
profilurilor firmelor si a paginilor cu anunturi de afaceri. Este locul cel mai
vizibil din Dorvanta Romania pentru marca, produsele sau oferta dumneavoastra speciala.</p>
<p align="center"><img src="../Internet/a1.png" width="472" height="70" alt="Exemplu de banner"></p>

<h3>Unde este afisat</h3>
<p>Bannerele se comanda pentru o grupa de domenii si sunt afisate in paginile
firmelor si anunturilor din acea grupa:</p>
HTML
groups_list "$f" ro
cat >> "$f" <<'HTML'
<h3>Bannerul dumneavoastra</h3>
<ul>
<li>dimensiune: exact 472 de pixeli latime si 70 de pixeli inaltime;</li>
<li>format: PNG, GIF sau JPEG;</li>
<li>continut: numele firmei si un mesaj scurt, usor de citit.</li>
</ul>
<p>Nu aveti un banner? Trimiteti-ne sigla si textul dorit si il realizam noi.</p>

<h3>Cum comandati</h3>
<p>Scrieti la <a href="mailto:office@dorvanta.ro">office@dorvanta.ro</a> precizand
grupa de domenii si perioada dorita si atasati bannerul. Preturile si locurile libere
sunt pe <a href="http://www.dorvanta.ro">www.dorvanta.ro</a>.</p>
HTML
help_nav "$f" index_ro.htm 'Cuprinsul ajutorului'
html_end "$f"
