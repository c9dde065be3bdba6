#!/bin/sh
# Seeds for the format readers' fuzz targets, written by ImageMagick and
# icotool from small drawn pictures, plus a few layouts they never write:
#   fuzz/formats/make-seeds.sh OUT    ->  OUT/ico, OUT/png, OUT/bmp
# then e.g.  build-fuzz/bin/fuzz_bmp_reader OUT/bmp fuzz/formats/damaged/bmp
set -eu
out=${1:?usage: make-seeds.sh OUT}
mkdir -p "$out/ico" "$out/png" "$out/bmp"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Pictures: soft alpha, hard alpha with few colors, two colors, opaque.
convert -size 16x16 gradient:red-blue -alpha set -channel A -fx 'i/w' -depth 8 "$work/soft.png"
convert -size 24x24 xc:none -fill '#c03020' -draw 'circle 12,12 12,3' -fill '#2040a0' \
  -draw 'rectangle 2,2 9,9' -depth 8 "$work/hard.png"
convert -size 20x20 pattern:checkerboard -monochrome "$work/two.png"
convert -size 33x17 plasma:fractal -seed 7 -depth 8 "$work/opaque.png" 2>/dev/null
convert -size 256x256 radial-gradient:yellow-navy -depth 8 "$work/big.png"

# PNG: every color type, depths, palettes with transparency, interlacing.
p="$out/png"
convert "$work/opaque.png" PNG24:"$p/rgb8.png"
convert "$work/soft.png" PNG32:"$p/rgba8.png"
convert "$work/opaque.png" -depth 16 PNG48:"$p/rgb16.png"
convert "$work/soft.png" -depth 16 -interlace PNG PNG64:"$p/rgba16-interlaced.png"
convert "$work/hard.png" PNG8:"$p/palette-trns.png"
for d in 1 2 4 8 16; do
  convert "$work/opaque.png" -colorspace Gray -depth $d PNG:"$p/gray$d.png"
done
convert "$work/soft.png" -colorspace Gray -depth 8 PNG:"$p/gray-alpha.png"
convert "$work/two.png" -colors 2 -depth 1 PNG8:"$p/palette1.png"
convert "$work/hard.png" -alpha off -colors 4 -depth 2 PNG8:"$p/palette2.png"

# BMP: OS/2, the 40-byte header at every depth, run-length, bit fields, V5.
b="$out/bmp"
convert "$work/opaque.png" BMP2:"$b/os2-24.bmp"
convert "$work/two.png" -type Palette BMP2:"$b/os2-1.bmp"
convert "$work/opaque.png" -alpha off BMP3:"$b/v3-24.bmp"
convert "$work/two.png" -type Bilevel BMP3:"$b/v3-1.bmp"
convert "$work/hard.png" -alpha off -colors 12 -type Palette BMP3:"$b/v3-4.bmp"
convert "$work/opaque.png" -colors 200 -type Palette BMP3:"$b/v3-8.bmp"
convert "$work/opaque.png" -colors 200 -type Palette -compress RLE BMP3:"$b/rle8.bmp"
convert "$work/opaque.png" -define bmp:subtype=RGB565 BMP:"$b/rgb565.bmp"
convert "$work/soft.png" -define bmp:subtype=ARGB4444 BMP:"$b/argb4444.bmp"
convert "$work/soft.png" BMP:"$b/v5-32.bmp"
python3 - "$b" <<'PY'
import struct, sys
out = sys.argv[1]
def bmp(name, header, palette, pixels):
    offset = 14 + len(header) + len(palette)
    data = b'BM' + struct.pack('<IHHI', offset + len(pixels), 0, 0, offset) + header + palette + pixels
    open(f'{out}/{name}', 'wb').write(data)
pal16 = b''.join(bytes((i * 16, 255 - i * 16, i * 8, 0)) for i in range(16))
codes = bytes((5, 0x12, 0, 3, 0x34, 0x50, 0, 0, 0, 2, 1, 0, 4, 0xAB, 0, 0, 8, 0x77, 0, 1))
bmp('rle4.bmp', struct.pack('<IiiHHIIiiII', 40, 8, 4, 1, 4, 2, len(codes), 2835, 2835, 16, 0), pal16, codes)
row = lambda y: b''.join(bytes((x * 40, y * 80, 200)) for x in range(5)) + b'\0'
bmp('topdown-24.bmp', struct.pack('<IiiHHIIiiII', 40, 5, -3, 1, 24, 0, 0, 0, 0, 0, 0), b'', row(0) + row(1) + row(2))
masks = struct.pack('<III', 0x3FF00000, 0xFFC00, 0x3FF)
px = b''.join(struct.pack('<I', (x * 100) << 20 | (y * 300) << 10 | 512) for y in range(2) for x in range(3))
bmp('fields-101010.bmp', struct.pack('<IiiHHIIiiII', 40, 3, 2, 1, 32, 3, len(px), 0, 0, 0, 0) + masks, b'', px)
PY

# Icons and cursors: bitmap entries of each depth, PNG entries, cursors.
i="$out/ico"
icotool -c -o "$i/icotool-depths.ico" "$work/soft.png" "$work/hard.png" "$work/two.png"
icotool -c -o "$i/icotool-png.ico" "$work/soft.png" --raw="$work/big.png"
icotool -c --cursor --hotspot-x=3 --hotspot-y=4 -o "$i/icotool.cur" "$work/two.png" "$work/hard.png"
convert "$work/soft.png" "$work/hard.png" "$i/magick.ico"
convert "$work/hard.png" -alpha off -colors 12 -type Palette "$i/magick-palette.ico"
ls "$out"/* | wc -l
