#!/usr/bin/env bash
# Renders the program's pictures from the SVG sources in assets/ to assets/rendered/:
# PNGs at their pixel sizes (for the Qt front end), ql2.ico and 24-bit BMPs (for the Windows
# front end's resources). The rendered files are committed, so a build never needs these tools.
#
# Needs rsvg-convert (librsvg2-bin), ImageMagick (convert, identify) and the DejaVu fonts
# (fonts-dejavu-core). Running it twice gives the same bytes. Exits non-zero when a tool is
# missing or any output does not have its expected pixel size or format.
set -euo pipefail

repo_root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
src_dir="${repo_root}/assets"
out_dir="${src_dir}/rendered"

# Status icons lie on the dialog face; a 24-bit BMP has no alpha, so their rounded corners are
# filled with the Windows button-face colour.
readonly kDialogFace='#F0F0F0'
# The About button lies over the banner's top right corner (left 368 px, top 0); its BMP corners
# take the banner's colour from the middle of that spot.
readonly kAboutButtonSpotX=398
readonly kAboutButtonSpotY=9

fail() {
  echo "render-assets: $*" >&2
  exit 1
}

for tool in rsvg-convert convert identify; do
  command -v "${tool}" >/dev/null 2>&1 ||
    fail "'${tool}' not found (apt-get install librsvg2-bin imagemagick)"
done

if command -v fc-match >/dev/null 2>&1; then
  case "$(fc-match -f '%{family}' 'DejaVu Sans')" in
  *DejaVu*) ;;
  *) echo "render-assets: warning: DejaVu Sans not installed (fonts-dejavu-core);" \
    "text will use a fallback font" >&2 ;;
  esac
fi

mkdir -p "${out_dir}"
work_dir="$(mktemp -d)"
trap 'rm -rf "${work_dir}"' EXIT

# render SVG NAME WIDTH HEIGHT: SVG at exactly WIDTH x HEIGHT pixels to NAME.png.
render() {
  rsvg-convert --width "$3" --height "$4" --output "${work_dir}/$2.png" "${src_dir}/$1"
}

# to_bmp NAME BACKGROUND: NAME.png flattened onto BACKGROUND as an uncompressed 24-bit BMP.
to_bmp() {
  convert "${work_dir}/$1.png" -background "$2" -alpha remove -alpha off \
    -type TrueColor -compress None "BMP3:${work_dir}/$1.bmp"
}

render icon-16.svg icon-16 16 16
render icon.svg icon-32 32 32
render icon.svg icon-48 48 48
render banner.svg banner 426 91
render about-button.svg about-button 61 19
render about-picture.svg about-picture 200 100
render status-not-installed.svg status-not-installed 137 28
render status-installed.svg status-installed 137 28
render status-edited.svg status-edited 137 28

# 32-bit entries with alpha, smallest first.
convert "${work_dir}/icon-16.png" "${work_dir}/icon-32.png" "${work_dir}/icon-48.png" \
  "ICO:${work_dir}/ql2.ico"

banner_spot="$(convert "${work_dir}/banner.png" \
  -format "%[pixel:p{${kAboutButtonSpotX},${kAboutButtonSpotY}}]" info:)"
to_bmp banner "${kDialogFace}"
to_bmp about-picture "${kDialogFace}"
to_bmp about-button "${banner_spot}"
for name in status-not-installed status-installed status-edited; do
  to_bmp "${name}" "${kDialogFace}"
done

# --- checks ---------------------------------------------------------------------------------
errors=0
check() {
  echo "render-assets: $*" >&2
  errors=$((errors + 1))
}

# expect_size FILE SIZES: the frames of FILE have exactly these WxH sizes, in order.
expect_size() {
  local actual
  actual="$(identify -format '%wx%h ' "${work_dir}/$1" 2>/dev/null | sed 's/ $//')" || true
  [[ "${actual}" == "$2" ]] || check "$1 is '${actual}', expected '$2'"
}

# expect_bmp24 FILE: a BMP with the 40-byte Windows 3 header and 24 bits per pixel.
expect_bmp24() {
  local file="${work_dir}/$1" header_size bits
  header_size="$(od -An -tu4 -j14 -N4 "${file}" | tr -d ' ')"
  bits="$(od -An -tu2 -j28 -N2 "${file}" | tr -d ' ')"
  [[ "${header_size}" == 40 && "${bits}" == 24 ]] ||
    check "$1 is not a 24-bit Windows 3 BMP (header ${header_size}, ${bits} bits)"
}

expect_size icon-16.png 16x16
expect_size icon-32.png 32x32
expect_size icon-48.png 48x48
expect_size ql2.ico "16x16 32x32 48x48"
for ext in png bmp; do
  expect_size "banner.${ext}" 426x91
  expect_size "about-button.${ext}" 61x19
  expect_size "about-picture.${ext}" 200x100
  for name in status-not-installed status-installed status-edited; do
    expect_size "${name}.${ext}" 137x28
  done
done
for name in banner about-button about-picture status-not-installed status-installed status-edited; do
  expect_bmp24 "${name}.bmp"
done

((errors == 0)) || fail "${errors} output(s) wrong; ${out_dir} left unchanged"

# Replace the outputs only once all of them are right.
outputs=("${work_dir}"/*.png "${work_dir}"/*.bmp "${work_dir}/ql2.ico")
cp "${outputs[@]}" "${out_dir}/"
echo "render-assets: wrote ${#outputs[@]} files to ${out_dir}"
