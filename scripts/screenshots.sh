#!/usr/bin/env bash
# Pictures of the desktop program: runs the real Geoxfer under a virtual X
# server (xvfb-run), opens its main window on each tool and saves one PNG per
# tool in docs/screenshots/. The window is 900 x 600 at 96 dpi with the
# DejaVu fonts, as on a plain Debian desktop.
#   GEOXFER_BUILD_DIR  build folder (default ./build)
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/deps.sh
geoxfer_install_deps

build="${GEOXFER_BUILD_DIR:-build}"
cmake -S . -B "$build" -G Ninja >/dev/null
ninja -C "$build" Geoxfer GXFCmd >/dev/null

out="docs/screenshots"
mkdir -p "$out"
rm -f "$out"/*.png
# A list file of its own, so the pictures show the same connections anywhere.
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
data="$(bash scripts/sample-data.sh | tail -n 1)"
# "spData" (the whole folder) is the connection the FDO source toolbox
# pictures are taken on.
printf 'Name:columbus\r\nProvider:OSGeo.SHP\r\nConnectionString:DefaultFileLocation=%s\r\nName:ExpressSDF\r\nProvider:OSGeo.SDF\r\nConnectionString:File=/tmp/columbus.sdf;ReadOnly=FALSE;\r\nName:spData\r\nProvider:OSGeo.SHP\r\nConnectionString:DefaultFileLocation=%s\r\n' \
    "$data/spData/shapes/columbus.shp" "$data/spData/shapes" > "$scratch/geoxferconn.txt"
# The Oracle and SQL Server toolboxes work on the database stand-ins in a
# scratch data home, each holding columbus copied there by GXFCmd.
export GEOXFER_DB_HOME="$scratch/db"
oracle="Username=gis;Password=gis;Service=SHOTS;OracleSchema=gis;NorvFdoClass=fdo_classes;"
mssql="Server=shots;Database=gis;Username=sa;Password=sa;NorvFdoClass=fdo_classes;"
printf 'Name:OraColumbus\r\nProvider:Norv.Oracle\r\nConnectionString:%s\r\nName:MssColumbus\r\nProvider:Norv.MsSqlSpatial\r\nConnectionString:%s\r\n' \
    "$oracle" "$mssql" >> "$scratch/geoxferconn.txt"
for dest in "Norv.Oracle|$oracle" "Norv.MsSqlSpatial|$mssql"; do
  cat > "$scratch/todb.xml" <<TASK
<?xml version="1.0" encoding="UTF-8"?>
<FdoCopyTask>
  <SourceConnection><FdoProvider>OSGeo.SHP</FdoProvider><FdoConnectionString>DefaultFileLocation=$data/spData/shapes/columbus.shp</FdoConnectionString></SourceConnection>
  <DestinationConnection><FdoProvider>${dest%%|*}</FdoProvider><FdoConnectionString>${dest#*|}</FdoConnectionString></DestinationConnection>
  <ClassCopyDefinition><SourceClassName>Default:columbus</SourceClassName><DestinationClassName>Default:columbus</DestinationClassName></ClassCopyDefinition>
</FdoCopyTask>
TASK
  "$build/cmd/GXFCmd" CopyTask "$scratch/todb.xml" >/dev/null
done
# The schema and copy task manager windows open on a real schema (the
# spData shape files) and a real task (columbus into an SDF file, with a
# filter and a renamed property).
"$build/cmd/GXFCmd" ExportSchema OSGeo.SHP "DefaultFileLocation=$data/spData/shapes" "$scratch/schema.xml" >/dev/null
cat > "$scratch/task.xml" <<TASK
<?xml version="1.0" encoding="UTF-8"?>
<FdoCopyTask>
  <SourceConnection><FdoProvider>OSGeo.SHP</FdoProvider><FdoConnectionString>DefaultFileLocation=$data/spData/shapes/columbus.shp</FdoConnectionString></SourceConnection>
  <DestinationConnection><FdoProvider>OSGeo.SDF</FdoProvider><FdoConnectionString>File=/tmp/columbus.sdf;ReadOnly=FALSE;</FdoConnectionString></DestinationConnection>
  <ClassCopyDefinition><SourceClassName>Default:columbus</SourceClassName><DestinationClassName>Default:columbus</DestinationClassName><CopyFilter>CRIME &gt; 30</CopyFilter>
    <PropertyCopyDefinition><SourcePropertyName>POLYID</SourcePropertyName><DestinationPropertyName>POLYID</DestinationPropertyName></PropertyCopyDefinition>
    <PropertyCopyDefinition><SourcePropertyName>CRIME</SourcePropertyName><DestinationPropertyName>CRIME_RATE</DestinationPropertyName></PropertyCopyDefinition>
  </ClassCopyDefinition>
  <CopyToSDFAttributes><SDF_CreateFileIfMissing>TRUE</SDF_CreateFileIfMissing><SDF_OverwriteFile>TRUE</SDF_OverwriteFile></CopyToSDFAttributes>
</FdoCopyTask>
TASK
GEOXFER_SCREENSHOT_SCHEMA="$scratch/schema.xml" GEOXFER_SCREENSHOT_TASK="$scratch/task.xml" \
GEOXFER_CONN_LIST="$scratch/geoxferconn.txt" QT_QPA_PLATFORM=xcb \
    xvfb-run -a -s "-screen 0 1280x800x24 -dpi 96" "$build/desktop/Geoxfer" --screenshots "$out"
ls "$out"
