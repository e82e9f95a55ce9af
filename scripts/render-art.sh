#!/usr/bin/env bash
# Renders the program art in resources/art/ from the SVG sources in resources/art/src/.
# Re-runnable and deterministic: every output is rewritten from its source, and PNG files carry
# no time stamps, so an unchanged source gives a byte-identical file.
#
# Usage: scripts/render-art.sh [--sheet SHEET.png]
#   --sheet  also writes a contact sheet of the main-window pictures as the dialog shows them
#            (scaled to 26 x 26 on the dialog colour), "1" and "0" side by side, zoomed 4 x.
set -euo pipefail

sheet=""
if [ "${1:-}" = "--sheet" ] && [ -n "${2:-}" ]; then
    sheet=$2
elif [ $# -gt 0 ]; then
    echo "usage: $0 [--sheet SHEET.png]" >&2
    exit 2
fi

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
src=$root/resources/art/src
out=$root/resources/art

if ! command -v rsvg-convert >/dev/null 2>&1 || ! command -v convert >/dev/null 2>&1; then
    bash "$root/scripts/install-deps.sh"
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Same input, same bytes: no time, date or software chunks in PNG output.
png_opts=(-strip -define "png:exclude-chunks=date,time,tEXt,zTXt,iTXt")

# Dialog backgrounds the bitmaps are flattened onto (bitmaps carry no alpha).
progress_bg='rgb(241,245,248)'
button_bg='rgb(240,240,240)'

# render_svg SVG WIDTH HEIGHT OUT.png [STYLESHEET]
render_svg() {
    local args=(-w "$2" -h "$3")
    [ $# -ge 5 ] && args+=(-s "$5")
    rsvg-convert "${args[@]}" -o "$4" "$1"
}

# to_rgba_png IN.png OUT.png: an 8-bit RGBA PNG without metadata.
to_rgba_png() {
    convert "$1" "${png_opts[@]}" "PNG32:$2"
}

# to_bmp IN.png BACKGROUND OUT.bmp: a 24-bit BMP, transparency flattened onto BACKGROUND.
to_bmp() {
    convert "$1" -background "$2" -alpha remove -alpha off -type TrueColor "BMP3:$3"
}

# The "0" (disabled) look of a button picture: grey-scale, contrast squeezed towards a light
# grey, and the whole picture at reduced opacity.
disabled_look() {
    convert "$1" \
        \( +clone -alpha extract \) \
        \( -clone 0 -alpha off -colorspace Gray +level 38%,88% -colorspace sRGB \) \
        -delete 0 +swap -compose CopyOpacity -composite \
        -channel A -evaluate multiply 0.6 +channel \
        "${png_opts[@]}" "PNG32:$2"
}

# Main-window button pictures: NAME1 is the picture itself, NAME0 its disabled look. Elements of
# class "pending" only belong to the "1" picture.
printf '.pending { display: none; }\n' >"$work/hide-pending.css"
for name in CPY GIT IMG UPD KEY RES SRC SAV CLN BAT RUN; do
    render_svg "$src/$name.svg" 32 32 "$work/$name-1.png"
    to_rgba_png "$work/$name-1.png" "$out/${name}1.png"
    render_svg "$src/$name.svg" 32 32 "$work/$name-0.png" "$work/hide-pending.css"
    disabled_look "$work/$name-0.png" "$out/${name}0.png"
done

# Project pictures shown in the icon box.
for name in OID UNK; do
    render_svg "$src/$name.svg" 32 32 "$work/$name.png"
    to_rgba_png "$work/$name.png" "$out/$name.png"
done

# Configurator section pictures.
for name in JDK ASDK ANT KEYSTORE; do
    render_svg "$src/$name.svg" 128 128 "$work/$name.png"
    to_rgba_png "$work/$name.png" "$out/$name.png"
done

# Configurator button faces (24-bit bitmaps on the button colour).
render_svg "$src/BTNOTO.svg" 17 14 "$work/BTNOTO.png"
to_bmp "$work/BTNOTO.png" "$button_bg" "$out/BTNOTO.bmp"
for name in BTNSET BTNNUL; do
    render_svg "$src/$name.svg" 26 26 "$work/$name.png"
    to_bmp "$work/$name.png" "$button_bg" "$out/$name.bmp"
done

# Progress bar frames: the stripe pattern moves 2 px per frame and repeats every 20 px.
marker='patternTransform="translate(0 0)"'
if [ "$(grep -c "$marker" "$src/LOADBAR.svg")" != 1 ]; then
    echo "render-art: $src/LOADBAR.svg must hold exactly one $marker" >&2
    exit 1
fi
for frame in 0 1 2 3 4 5 6 7 8 9; do
    sed "s/$marker/patternTransform=\"translate($((frame * 2)) 0)\"/" "$src/LOADBAR.svg" \
        >"$work/LOADBAR$frame.svg"
    render_svg "$work/LOADBAR$frame.svg" 220 19 "$work/LOADBAR$frame.png"
    to_bmp "$work/LOADBAR$frame.png" "$progress_bg" "$out/LOADBAR0$frame.bmp"
done

# Program icon: one image per size in a single icon file.
ico_parts=()
for size in 16 24 32 48 64 128 256; do
    render_svg "$src/AICO.svg" "$size" "$size" "$work/AICO-$size.png"
    to_rgba_png "$work/AICO-$size.png" "$work/AICO-$size-rgba.png"
    ico_parts+=("$work/AICO-$size-rgba.png")
done
convert "${ico_parts[@]}" "${png_opts[@]}" "$out/AICO.ico"

if [ -n "$sheet" ]; then
    cells=()
    for name in CPY1 CPY0 GIT1 GIT0 IMG1 IMG0 UPD1 UPD0 KEY1 KEY0 RES1 RES0 SRC1 SRC0 SAV1 SAV0 \
        CLN1 CLN0 BAT1 BAT0 RUN1 RUN0 OID UNK; do
        convert -size 32x32 "xc:$button_bg" \( "$out/$name.png" -filter Triangle -resize 26x26 \) \
            -geometry +4+2 -composite -scale 400% "$work/cell-$name.png"
        cells+=("$work/cell-$name.png")
    done
    montage "${cells[@]}" -tile 6x -geometry +6+6 -background '#c8c8c8' "$sheet"
    echo "contact sheet written to $sheet"
fi

echo "art rendered into $out"
