#!/bin/sh
# Runs --convert, --info, --thumbnail, -r and -u of the built program with the
# real plug-ins, and lets outside tools judge what it wrote: icotool lists
# icon entries, ImageMagick decodes pixels, pngcheck checks PNG files and
# desktop-file-validate the desktop entry. A missing tool skips its checks.
#   convert_commands.sh KORVANE SAMPLE.kvp ICOTOOL IMAGEMAGICK_CONVERT PNGCHECK DESKTOP_FILE_VALIDATE
set -eu
korvane=$1
sample=$2
icotool=${3:-}
magick=${4:-}
pngcheck=${5:-}
validate=${6:-}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# A throw-away home, so that the real settings and desktop are left alone.
export HOME="$work" XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data"
unset KORVANE_CUR_HOTSPOT || true

die() {
    echo "$*" >&2
    exit 1
}

# fails MESSAGE ARGUMENTS...: the program exits with 1 and says MESSAGE.
fails() {
    message=$1
    shift
    status=0
    "$korvane" "$@" > "$work/stdout.txt" 2> "$work/stderr.txt" || status=$?
    [ "$status" -eq 1 ] || die "exit status $status for: $*"
    grep -q -- "$message" "$work/stderr.txt" || {
        cat "$work/stderr.txt" >&2
        die "no '$message' for: $*"
    }
}

# entries FILE: icotool's listing, one "WxH depth hotspot" line per entry.
entries() {
    "$icotool" -l "$1" | awk '{
        delete v
        for (i = 1; i <= NF; i++) { split($i, kv, "="); v[kv[1]] = kv[2] }
        line = v["--width"] "x" v["--height"] " " v["--bit-depth"]
        if ("--hotspot-x" in v) line = line " " v["--hotspot-x"] "," v["--hotspot-y"]
        print line
    }'
}

# The picture every icon below is made from: the sample's first image.
"$korvane" --convert "$sample" "$work/logo.png" --image 1
"$korvane" --info "$work/logo.png" > "$work/logo.txt"
grep -q '^PNG image$' "$work/logo.txt"
logo_size=$(sed -n 's/^\([0-9]*\) x \([0-9]*\),.*/\1x\2/p' "$work/logo.txt")
[ -n "$logo_size" ] || die "no size in: $(cat "$work/logo.txt")"

# An icon set: one entry per size, in the order given, at each depth.
for depth in 32 24 8 4 1; do
    "$korvane" --convert "$work/logo.png" "$work/app$depth.ico" --sizes 16,24,32,48,64,256 --depth "$depth"
    [ -n "$icotool" ] || continue
    entries "$work/app$depth.ico" > "$work/entries.txt"
    # 24-bit images are written as 32-bit entries with a mask; 256 is PNG.
    want=$depth
    [ "$depth" = 24 ] && want=32
    printf '16x16 %s\n24x24 %s\n32x32 %s\n48x48 %s\n64x64 %s\n' "$want" "$want" "$want" "$want" "$want" > "$work/want.txt"
    head -5 "$work/entries.txt" | cmp - "$work/want.txt" || {
        cat "$work/entries.txt" >&2
        die "depth $depth: wrong entries"
    }
    grep -q '^256x256 ' "$work/entries.txt" || die "depth $depth: no 256 entry"
done

# Pixels: the entry of the picture's own size holds the picture unchanged,
# as ImageMagick decodes both (flattened on black and on white, so that
# colors and alpha both count).
index=0
for size in 16 24 32 48 64 256; do
    [ "${size}x$size" = "$logo_size" ] && break
    index=$((index + 1))
done
if [ -n "$magick" ] && [ "$index" -lt 6 ]; then
    for background in black white; do
        "$magick" "$work/logo.png" -background $background -flatten rgb:"$work/a.rgb"
        "$magick" "$work/app32.ico[$index]" -background $background -flatten rgb:"$work/b.rgb"
        cmp "$work/a.rgb" "$work/b.rgb" || die "the $logo_size entry differs from the picture on $background"
    done
fi
# Our reader picks the same entry out again: ico -> png with --image N.
"$korvane" --convert "$work/app32.ico" "$work/entry2.png" --image 2
"$korvane" --info "$work/entry2.png" | grep -q '^24 x 24, '
if [ -n "$magick" ]; then
    "$magick" "$work/app32.ico[1]" rgba:"$work/a.rgba"
    "$magick" "$work/entry2.png" rgba:"$work/b.rgba"
    cmp "$work/a.rgba" "$work/b.rgba" || die "--image 2 did not give the second entry's pixels"
fi
[ -z "$pngcheck" ] || "$pngcheck" -q "$work/entry2.png"

# A cursor with its hotspot, the same pixel in every entry.
"$korvane" --convert "$work/logo.png" "$work/arrow.cur" --sizes 32,16 --hotspot 5,7
if [ -n "$icotool" ]; then
    entries "$work/arrow.cur" > "$work/entries.txt"
    printf '32x32 32 5,7\n16x16 32 5,7\n' | cmp - "$work/entries.txt" || {
        cat "$work/entries.txt" >&2
        die "wrong cursor entries"
    }
fi
"$korvane" --info "$work/arrow.cur" > "$work/info.txt"
grep -q '^Cursor, 2 images$' "$work/info.txt"
grep -q '^16 x 16, 32 bpp, hotspot 5, 7$' "$work/info.txt"
"$korvane" --info "$work/app8.ico" | grep -q '^Icon, 6 images$'
# The environment the plug-in reads is not left set for later exports.
"$korvane" --convert "$work/logo.png" "$work/plain.cur" --sizes 16
"$korvane" --info "$work/plain.cur" | grep -q 'hotspot 0, 0$'

# An icon theme folder.
"$korvane" --convert "$work/logo.png" "$work/theme/" --sizes 16,48
for size in 16 48; do
    file="$work/theme/${size}x$size/apps/logo.png"
    [ -s "$file" ] || die "missing $file"
    "$korvane" --info "$file" | grep -q "^$size x $size, 32 bpp"
    [ -z "$pngcheck" ] || "$pngcheck" -q "$file"
done

# Project to icon: the images marked for export, in project order; and back.
"$korvane" --info "$sample" | sed -n 's/^Image [0-9]* (id [0-9]*): \([0-9]*\) x \([0-9]*\), .*/\1x\2/p' > "$work/want.txt"
"$korvane" --convert "$sample" "$work/project.ico"
if [ -n "$icotool" ]; then
    entries "$work/project.ico" | sed 's/ .*//' | cmp - "$work/want.txt" || die "project.ico does not hold the project's images"
fi
"$korvane" --convert "$work/project.ico" "$work/again.kvp"
"$korvane" --info "$work/again.kvp" | sed -n 's/^Image [0-9]* (id [0-9]*): \([0-9]*\) x \([0-9]*\), .*/\1x\2/p' | cmp - "$work/want.txt"

# Thumbnails: a PNG file of the size asked when the picture is larger, never
# enlarged when it is smaller.
"$korvane" --thumbnail "$work/app32.ico" "$work/thumb.png" 100
"$korvane" --info "$work/thumb.png" | grep -q '^100 x 100, '
[ -z "$pngcheck" ] || "$pngcheck" -q "$work/thumb.png"
"$korvane" --thumbnail "$sample" "$work/thumb-project.png"
[ -z "$pngcheck" ] || "$pngcheck" -q "$work/thumb-project.png"
"$korvane" --thumbnail "$work/theme/16x16/apps/logo.png" "$work/thumb16.png" 64
"$korvane" --info "$work/thumb16.png" | grep -q '^16 x 16, '

# What is refused, with exit status 1 and the reason (the commands' own
# tests go through every refusal).
fails 'unknown file type (.xyz); Korvane reads .' --convert "$work/logo.xyz" "$work/x.ico"
fails 'unknown file type (.xyz); Korvane writes .' --convert "$work/logo.png" "$work/x.xyz"
fails 'cannot convert .kvp to .kvcolors' --convert "$sample" "$work/x.kvcolors"
fails 'No such file or directory' --convert "$work/missing.png" "$work/x.ico"
fails 'No such file or directory' --info "$work/missing.ico"
fails '--sizes takes different sides from 1 to 1024' --convert "$work/logo.png" "$work/x.ico" --sizes 16,,32
fails '--depth takes 32, 24, 8, 4 or 1' --convert "$work/logo.png" "$work/x.ico" --depth 16
fails '--image 9: .*app32.ico holds 6 images' --convert "$work/app32.ico" "$work/x.png" --image 9
fails 'lies outside the 16 x 16 image' --convert "$work/logo.png" "$work/x.cur" --sizes 32,16 --hotspot 20,3
fails '--thumbnail SIZE must be a number from 1 to 1024' --thumbnail "$sample" "$work/x.png" 0
fails 'no picture to show\|Unknown file type' --thumbnail "$work/want.txt" "$work/x.png"
for out in x.ico x.png x.xyz x.cur x.kvcolors; do
    [ ! -e "$work/$out" ] || die "a refused conversion wrote $out"
done

# Desktop registration: the thumbnailer entry, and the picture types the
# plug-ins read offered for opening.
"$korvane" -r
entry="$work/data/applications/korvane.desktop"
thumbnailer="$work/data/thumbnailers/korvane.thumbnailer"
[ -s "$thumbnailer" ] || die "-r wrote no thumbnailer entry"
grep -q -- "^Exec=\".*\" --thumbnail %i %o %s$" "$thumbnailer"
grep -q '^MimeType=application/x-korvane-project;$' "$thumbnailer"
for type in application/x-korvane-project image/vnd.microsoft.icon image/x-win-bitmap image/png image/bmp; do
    grep -q "^MimeType=.*$type;" "$entry" || die "the desktop entry does not offer $type"
done
[ -z "$validate" ] || "$validate" "$entry"
"$korvane" -u
[ ! -e "$thumbnailer" ] || die "-u left the thumbnailer entry"
[ ! -e "$entry" ] || die "-u left the desktop entry"
echo "convert commands ok"
