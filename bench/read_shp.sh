#!/usr/bin/env bash
# Generates a shape file of N polygon features (default 1,000,000) with
# ogr2ogr from a CSV made by awk, then reads it through the OSGeo.SHP
# provider with ReadBench, which prints features/second and peak RSS.
# A tenth of the data is read first: the peak memory must not grow with N.
#   bench/read_shp.sh [N]      BUILD_DIR (default ./build) holds bench/ReadBench
#   BENCH_DIR                  where the data goes (default /tmp/geoxfer-bench)
set -euo pipefail
n="${1:-1000000}"
build="${BUILD_DIR:-build}"
data="${BENCH_DIR:-/tmp/geoxfer-bench}"
bench="$build/bench/ReadBench"
[ -x "$bench" ] || { echo "build ReadBench first: ninja -C $build ReadBench" >&2; exit 1; }

make_set() {  # count folder
    local count="$1" dir="$2"
    [ -f "$dir/parcels.shp" ] && return
    mkdir -p "$dir"
    awk -v n="$count" 'BEGIN {
        print "wkt,name,code,area,built";
        srand(42);
        for (i = 0; i < n; i++) {
            x = (i % 1000) * 10; y = int(i / 1000) * 10;
            printf "\"POLYGON ((%d %d,%d %d,%d %d,%d %d,%d %d))\",parcel %d,%d,%.3f,%04d-%02d-%02d\n",
                   x, y, x + 8, y, x + 8, y + 8, x, y + 8, x, y, i, i % 5000, rand() * 1000,
                   1950 + i % 70, 1 + i % 12, 1 + i % 28;
        }
    }' > "$dir/parcels.csv"
    printf '"WKT","String(20)","Integer(6)","Real(10.3)","Date"\n' > "$dir/parcels.csvt"
    ogr2ogr -q -f "ESRI Shapefile" "$dir/parcels.shp" "$dir/parcels.csv" \
        -oo GEOM_POSSIBLE_NAMES=wkt -oo KEEP_GEOM_COLUMNS=NO -nln parcels -a_srs EPSG:3857 2>/dev/null
    rm -f "$dir/parcels.csv" "$dir/parcels.csvt"
}

small=$((n / 10))
make_set "$small" "$data/$small"
make_set "$n" "$data/$n"
echo "reading $small features:"
"$bench" "$data/$small/parcels.shp"
echo "reading $n features:"
"$bench" "$data/$n/parcels.shp"
echo "yardstick: ogr2ogr copying the same file to a new shape file:"
rm -rf "$data/copy" && mkdir -p "$data/copy"
/usr/bin/time -f "  %e s, peak RSS %M kB" ogr2ogr -f "ESRI Shapefile" "$data/copy/parcels.shp" "$data/$n/parcels.shp"
