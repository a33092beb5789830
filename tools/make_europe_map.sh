#!/usr/bin/env bash
# Renders the example background map of Europe and writes its map-parameters file.
#
# The picture is a Lambert conformal conic projection (meridians are straight rays from one
# centre, parallels are circles around it: the model the planner's calibration assumes) of a
# rectangular projected frame, 1400 x 1500 pixels, without frame or margin, drawn from the
# public-domain GSHHG coastlines and DCW borders (Debian packages gmt, gmt-gshhg-low,
# gmt-dcw). The calibration (three points on one parallel, two meridian crossings of the top
# row, two parallel crossings of the left column) is computed with `gmt mapproject` in the
# same projection. It also writes where GMT puts every example place, so that a test can
# check how closely the calibration follows the picture.
#
# Usage: tools/make_europe_map.sh [OUTPUT_FOLDER]   (default examples/europe/map)
set -euo pipefail

root="$(cd "$(dirname "$0")/.." && pwd)"
out="${1:-$root/examples/europe/map}"
places="$root/examples/europe/places.txt"
mkdir -p "$out"

# Projection and frame: centre 12E 48N, standard parallels 40N and 58N; the frame is given in
# kilometres from the centre, 4200 km x 4500 km at 300 km per inch and 100 dots per inch.
projection="-JL12/48/40/58/14i"
region="-R-2000/2200/-1700/2800+uk"
dpi=100
width_in=14
height_in=15
width_px=$((width_in * dpi))
height_px=$((height_in * dpi))

# Calibration choices: the parallel of the three points and its longitudes, and the whole
# degrees whose crossings of the picture's edges are measured.
points_latitude=38
points_longitudes="-6 12 30"
longitudes="0 20"
latitudes="42 54"

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cd "$work"
export GMT_SESSION_NAME="tamso$$"

gmt begin europe jpg A+r,E${dpi}
  gmt coast "$region" "$projection" -Dl -A500 -S200/220/240 -G245/240/225 -W0.25p,90/90/90 \
    -N1/0.4p,150/60/60
gmt end

# Geographic position -> pixel (x to the right, y downwards from the top-left corner).
to_pixels() {
  gmt mapproject "$region" "$projection" -Di | awk -v d="$dpi" -v h="$height_in" '{ printf "%.3f %.3f\n", $1 * d, (h - $2) * d }'
}

# Column at which a meridian crosses the top row: the top row is sampled pixel by pixel,
# inverse-projected, and the crossing found by linear interpolation.
meridian_column() {
  awk -v w="$width_px" -v d="$dpi" -v h="$height_in" 'BEGIN { for (x = 0; x <= w; x++) printf "%.4f %.4f\n", x / d, h }' |
    gmt mapproject "$region" "$projection" -Di -I |
    awk -v l="$1" -v d="$dpi" 'NR > 1 && (p - l) * ($1 - l) <= 0 && p != $1 && !done { printf "%d\n", (NR - 2) + (l - p) / ($1 - p) + 0.5; done = 1 } { p = $1 }'
}

# Row at which a parallel crosses the left column, found the same way.
parallel_row() {
  awk -v hp="$height_px" -v d="$dpi" -v h="$height_in" 'BEGIN { for (y = 0; y <= hp; y++) printf "0 %.4f\n", h - y / d }' |
    gmt mapproject "$region" "$projection" -Di -I |
    awk -v l="$1" 'NR > 1 && (p - l) * ($2 - l) <= 0 && p != $2 && !done { printf "%d\n", (NR - 2) + (l - p) / ($2 - p) + 0.5; done = 1 } { p = $2 }'
}

read -r lon1 lon2 <<<"$longitudes"
read -r lat1 lat2 <<<"$latitudes"
mx1="$(meridian_column "$lon1")"
mx2="$(meridian_column "$lon2")"
py1="$(parallel_row "$lat1")"
py2="$(parallel_row "$lat2")"
mapfile -t three < <(for lon in $points_longitudes; do echo "$lon $points_latitude"; done | to_pixels |
  awk '{ printf "%d %d\n", $1 + 0.5, $2 + 0.5 }')
read -r x1 y1 <<<"${three[0]}"
read -r x2 y2 <<<"${three[1]}"
read -r x3 y3 <<<"${three[2]}"

cp europe.jpg "$out/europe.jpg"
cat >"$out/europe.map" <<MAP
# Background map of Europe: Lambert conformal conic, ${width_px} x ${height_px} pixels.
# Written by tools/make_europe_map.sh; edit the script, not this file.
mapfilename=europe.jpg
[points]
# three points on the parallel ${points_latitude}N (longitudes ${points_longitudes})
x1=$x1
y1=$y1
x2=$x2
y2=$y2
x3=$x3
y3=$y3
[longitude]
# meridians ${lon1} and ${lon2} cross the top row at these columns
l1=$lon1
x1=$mx1
l2=$lon2
x2=$mx2
[latitude]
# parallels ${lat1}N and ${lat2}N cross the left column at these rows
l1=$lat1
x1=$py1
l2=$lat2
x2=$py2
MAP

# Where GMT draws every example place, in pixels (continuous, not truncated).
{
  echo "# name x y: where the background picture shows each example place; written by tools/make_europe_map.sh"
  grep -v '^#' "$places" | awk 'NF >= 3 { print $3, $2, $1 }' | gmt mapproject "$region" "$projection" -Di |
    awk -v d="$dpi" -v h="$height_in" '{ printf "%s %.3f %.3f\n", $3, $1 * d, (h - $2) * d }'
} >"$out/places_pixels.txt"

gm identify "$out/europe.jpg" 2>/dev/null || true
echo "wrote $out/europe.jpg, $out/europe.map and $out/places_pixels.txt"
