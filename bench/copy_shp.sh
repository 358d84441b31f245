#!/usr/bin/env bash
# Copy benchmark: a shape file of N polygons with 8 typed attributes
# (default N = 1,000,000) copied into a new SDF file by `GXFCmd CopyTask`,
# and the same file copied into a GeoPackage by ogr2ogr, timed side by side;
# then the other direction: the SDF file back into a shape file by GXFCmd,
# against ogr2ogr writing a shape file from the GeoPackage it wrote.
# Prints each wall time and peak memory (GNU time), the ratios of times, and
# checks that the SDF file's R-tree holds one entry per feature and passes
# SQLite's rtreecheck().
#   bench/copy_shp.sh [N]      BUILD_DIR (default ./build) holds cmd/GXFCmd
#   BENCH_DIR                  where the data goes (default /tmp/geoxfer-bench)
#   GEOXFER_PG                 a PostGIS server ("PG:host=... dbname=..."), for
#                              SHP -> PostGIS as well (scripts/postgis.sh start)
set -euo pipefail
n="${1:-1000000}"
build="${BUILD_DIR:-build}"
data="${BENCH_DIR:-/tmp/geoxfer-bench}"
gxfcmd="$build/cmd/GXFCmd"
[ -x "$gxfcmd" ] || { echo "build GXFCmd first: ninja -C $build GXFCmd" >&2; exit 1; }
[ -x /usr/bin/time ] || { echo "GNU time is needed: apt-get install time" >&2; exit 1; }
command -v ogr2ogr >/dev/null || { echo "ogr2ogr is needed: apt-get install gdal-bin" >&2; exit 1; }

set_dir="$data/copy-$n"
shp="$set_dir/lots.shp"
if [ ! -f "$shp" ]; then
    mkdir -p "$set_dir"
    echo "generating $n polygons with 8 attributes ..."
    awk -v n="$n" 'BEGIN {
        print "wkt,name,code,area,built,owner,zone,height,active";
        srand(7);
        for (i = 0; i < n; i++) {
            x = (i % 1000) * 10; y = int(i / 1000) * 10;
            printf "\"POLYGON ((%d %d,%d %d,%d %d,%d %d,%d %d))\",lot %d,%d,%.3f,%04d-%02d-%02d,owner %d,Z%d,%.2f,%d\n",
                   x, y, x + 8, y, x + 8, y + 8, x, y + 8, x, y, i, i % 5000, rand() * 1000,
                   1950 + i % 70, 1 + i % 12, 1 + i % 28, i % 977, i % 13, rand() * 50, i % 2;
        }
    }' > "$set_dir/lots.csv"
    printf '"WKT","String(20)","Integer(6)","Real(10.3)","Date","String(16)","String(4)","Real(6.2)","Integer(1)"\n' \
        > "$set_dir/lots.csvt"
    ogr2ogr -q -f "ESRI Shapefile" "$shp" "$set_dir/lots.csv" \
        -oo GEOM_POSSIBLE_NAMES=wkt -oo KEEP_GEOM_COLUMNS=NO -nln lots -a_srs EPSG:3857 2>/dev/null
    rm -f "$set_dir/lots.csv" "$set_dir/lots.csvt"
fi

out="$data/copy-out"
rm -rf "$out" && mkdir -p "$out"
# A copy task of class lots: source provider and connection, destination
# provider and connection, then any extra attribute elements.
copy_task() {
    cat <<EOF
<?xml version="1.0" encoding="UTF-8"?>
<FdoCopyTask>
  <SourceConnection><FdoProvider>$1</FdoProvider>
    <FdoConnectionString>$2</FdoConnectionString></SourceConnection>
  <DestinationConnection><FdoProvider>$3</FdoProvider>
    <FdoConnectionString>$4</FdoConnectionString></DestinationConnection>
  <ClassCopyDefinition><SourceClassName>lots</SourceClassName>
    <DestinationClassName>lots</DestinationClassName><CopyFilter></CopyFilter></ClassCopyDefinition>
  <CopyTaskAttributes><ExecuteApplySchema>TRUE</ExecuteApplySchema><ApplySchemaXMLFile></ApplySchemaXMLFile>
    <CreateSpatialContext>TRUE</CreateSpatialContext><SpatialContextXMLFile></SpatialContextXMLFile>
    <MagicClassName>TRUE</MagicClassName><MagicDataTypes>TRUE</MagicDataTypes>
    <DeleteDestinationData>FALSE</DeleteDestinationData></CopyTaskAttributes>${5:-}
</FdoCopyTask>
EOF
}
copy_task OSGeo.SHP "DefaultFileLocation=$shp" OSGeo.SDF "File=$out/lots.sdf" '
  <CopyToSDFAttributes><SDF_CreateFileIfMissing>TRUE</SDF_CreateFileIfMissing>
    <SDF_OverwriteFile>TRUE</SDF_OverwriteFile></CopyToSDFAttributes>
  <CopyToOracleAttributes><Oracle_SRID></Oracle_SRID></CopyToOracleAttributes>' > "$out/task.xml"
copy_task OSGeo.SDF "File=$out/lots.sdf" OSGeo.SHP "DefaultFileLocation=$out/back" > "$out/task-back.xml"
mkdir -p "$out/back" "$out/ogr-back"

# Runs a command under GNU time; prints its output and sets secs / peak_kb.
timed() {
    local log="$out/time.log"
    /usr/bin/time -f "%e %M" -o "$log" "$@" > "$out/cmd.out" 2>&1 || { cat "$out/cmd.out"; exit 1; }
    read -r secs peak_kb < "$log"
}

# Prints one side-by-side pair: label, seconds and kB of GXFCmd, then of ogr2ogr.
pair() {
    printf '  %-44s %8.2f s   peak RSS %8d kB\n' "GXFCmd CopyTask $1" "$2" "$3"
    printf '  %-44s %8.2f s   peak RSS %8d kB\n' "$4" "$5" "$6"
    awk -v a="$2" -v b="$5" 'BEGIN { if (b > 0) printf "  time ratio GXFCmd / ogr2ogr: %.2f\n", a / b }'
}

echo "machine: $(nproc) cores, load average $(cut -d' ' -f1-3 /proc/loadavg)"
echo "copying $n features:"
timed "$gxfcmd" CopyTask "$out/task.xml"
gxf_secs="$secs"; gxf_kb="$peak_kb"
tail -c 200 "$out/cmd.out" | sed -n '$p'
echo
timed ogr2ogr -f GPKG "$out/lots.gpkg" "$shp"
ogr_secs="$secs"; ogr_kb="$peak_kb"
timed "$gxfcmd" CopyTask "$out/task-back.xml"
back_secs="$secs"; back_kb="$peak_kb"
timed ogr2ogr -f "ESRI Shapefile" "$out/ogr-back/lots.shp" "$out/lots.gpkg"
ogr_back_secs="$secs"; ogr_back_kb="$peak_kb"

pair "SHP -> SDF" "$gxf_secs" "$gxf_kb" "ogr2ogr -f GPKG" "$ogr_secs" "$ogr_kb"
pair "SDF -> SHP" "$back_secs" "$back_kb" "ogr2ogr -f \"ESRI Shapefile\" (GPKG)" "$ogr_back_secs" "$ogr_back_kb"

# The other writers users meet most, unless BENCH_OTHERS=0: shape file to
# shape file, and shape file into a GeoPackage through OSGeo.OGR.
if [ "${BENCH_OTHERS:-1}" != 0 ]; then
    mkdir -p "$out/shp-copy" "$out/ogr-shp"
    copy_task OSGeo.SHP "DefaultFileLocation=$shp" OSGeo.SHP "DefaultFileLocation=$out/shp-copy" > "$out/task-shp.xml"
    copy_task OSGeo.SHP "DefaultFileLocation=$shp" OSGeo.OGR "DataSource=$out/ogr-provider.gpkg;ReadOnly=FALSE" \
        > "$out/task-ogr.xml"
    timed "$gxfcmd" CopyTask "$out/task-shp.xml"
    shp_secs="$secs"; shp_kb="$peak_kb"
    timed ogr2ogr -f "ESRI Shapefile" "$out/ogr-shp/lots.shp" "$shp"
    pair "SHP -> SHP" "$shp_secs" "$shp_kb" "ogr2ogr -f \"ESRI Shapefile\"" "$secs" "$peak_kb"
    timed "$gxfcmd" CopyTask "$out/task-ogr.xml"
    pair "SHP -> OSGeo.OGR GeoPackage" "$secs" "$peak_kb" "ogr2ogr -f GPKG" "$ogr_secs" "$ogr_kb"
fi

# SHP -> PostGIS through OSGeo.OGR, into a schema of the benchmark's own
# that is dropped before and after.
if [ -n "${GEOXFER_PG:-}" ]; then
    pg_sql() { ogrinfo -q "$GEOXFER_PG" -sql "$1" 2>/dev/null || true; }
    pg_sql "DROP SCHEMA IF EXISTS geoxfer_bench CASCADE"
    pg_sql "CREATE SCHEMA geoxfer_bench"
    bench_pg="$GEOXFER_PG active_schema=geoxfer_bench"
    copy_task OSGeo.SHP "DefaultFileLocation=$shp" OSGeo.OGR "DataSource=$bench_pg;ReadOnly=FALSE" > "$out/task-pg.xml"
    timed "$gxfcmd" CopyTask "$out/task-pg.xml"
    pg_secs="$secs"; pg_kb="$peak_kb"
    timed ogr2ogr -f PostgreSQL "$bench_pg" "$shp" -nln lots_ogr2ogr
    pair "SHP -> PostGIS (OSGeo.OGR)" "$pg_secs" "$pg_kb" "ogr2ogr -f PostgreSQL" "$secs" "$peak_kb"
    pg_sql 'SELECT COUNT(*) AS n, COUNT(DISTINCT "FeatId") AS ids FROM geoxfer_bench.lots' |
        sed -n 's/.*\(n\|ids\) (Integer.*) = /\1 /p' | paste -sd' ' | sed 's/^/  PostGIS table: /'
    pg_sql "DROP SCHEMA geoxfer_bench CASCADE"
fi

if command -v ogrinfo >/dev/null; then
    rows=$(ogrinfo -q -ro "$out/lots.sdf" -sql "SELECT COUNT(*) AS n FROM lots" 2>/dev/null | sed -n 's/.*n (Integer.*) = //p')
    entries=$(ogrinfo -q -ro "$out/lots.sdf" -sql "SELECT COUNT(*) AS n FROM rtree_lots_Geometry" 2>/dev/null | sed -n 's/.*n (Integer.*) = //p')
    check=$(ogrinfo -q -ro "$out/lots.sdf" -sql "SELECT rtreecheck('rtree_lots_Geometry') AS r" 2>/dev/null | sed -n 's/.*r (String) = //p')
    echo "  SDF R-tree: $entries entries for $rows rows, rtreecheck: $check"
fi
