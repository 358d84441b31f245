#!/usr/bin/env bash
# Map view benchmark on real shapes: two shape files of about 100,000
# features each, made once from the Sheboygan reference data by laying
# copies of its road centre lines (447 lines x 224) and of its water
# polygons (91 polygons x 1100) side by side, read through OSGeo.SHP as the
# query pane reads them, then drawn by MapViewBench (translate FGF, paint
# the whole extent, paint zoomed in, first widget paint, repaint after a
# selection). The synthetic parcels run first for comparison.
#   bench/mapview.sh           BUILD_DIR (default ./build) holds bench/MapViewBench
#   BENCH_DIR                  where the data goes (default /tmp/geoxfer-bench)
#   GEOXFER_SHARED_DATA        the reference data (default ../shared/data)
set -euo pipefail
cd "$(dirname "$0")/.."
build="${BUILD_DIR:-build}"
data="${BENCH_DIR:-/tmp/geoxfer-bench}/mapview"
shared="${GEOXFER_SHARED_DATA:-../shared/data}"
bench="$build/bench/MapViewBench"
[ -x "$bench" ] || { echo "build MapViewBench first: ninja -C $build MapViewBench" >&2; exit 1; }
command -v ogr2ogr >/dev/null || { echo "ogr2ogr is needed: apt-get install gdal-bin" >&2; exit 1; }
[ -d "$shared/shp/Sheboygan" ] || { echo "reference data missing: $shared/shp/Sheboygan" >&2; exit 1; }

# tile <source shp> <layer> <copies> <columns> <dx> <dy> <out name>
tile() {
    local out="$data/$7"
    [ -f "$out/$7.shp" ] && return
    mkdir -p "$out"
    ogr2ogr -q -f "ESRI Shapefile" "$out/$7.shp" "$1" -dialect SQLite -nln "$7" -sql \
        "WITH RECURSIVE k(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM k WHERE i < $3 - 1)
         SELECT ST_Translate(s.geometry, (k.i % $4) * $5, (k.i / $4) * $6, 0) AS geometry, s.*
         FROM \"$2\" s, k"
}
tile "$shared/shp/Sheboygan/RoadCenterLines.shp" RoadCenterLines 224 15 0.075 0.11 roads100k
tile "$shared/shp/Sheboygan/HydrographicPolygons.shp" HydrographicPolygons 1100 34 0.14 0.13 water100k

export QT_QPA_PLATFORM=offscreen
echo "== synthetic parcels, 100,000"
"$bench" 100000
for set in roads100k water100k; do
    echo "== $set (through OSGeo.SHP)"
    "$bench" 100000 "$data/$set.png" "$data/$set" "$set"
done
