#!/usr/bin/env bash
# The main job, end to end: installs what is missing, fetches real sample
# data, builds GXFCmd, writes a copy task that copies two real shape file
# classes (world and columbus from spData) into a new SDF file, runs it, and
# shows what came out.
#   GEOXFER_DEMO_DIR   where the task and the SDF file go (default /tmp/geoxfer-demo)
#   GEOXFER_BUILD_DIR  build folder (default ./build)
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/deps.sh
geoxfer_install_deps

data="$(bash scripts/sample-data.sh | tail -n 1)"
shapes="$data/spData/shapes"

build="${GEOXFER_BUILD_DIR:-build}"
cmake -S . -B "$build" -G Ninja >/dev/null
ninja -C "$build" GXFCmd Geoxfer >/dev/null

out="${GEOXFER_DEMO_DIR:-/tmp/geoxfer-demo}"
rm -rf "$out"
mkdir -p "$out"
task="$out/copytask.xml"
sdf="$out/world.sdf"

# Two classes from one folder of shape files; the destination file is
# created, its schema made from the source classes with their spatial
# contexts, then the features flow.
cat > "$task" <<EOF
<?xml version="1.0" encoding="UTF-8"?>
<FdoCopyTask>
  <SourceConnection>
    <FdoProvider>OSGeo.SHP</FdoProvider>
    <FdoConnectionString>DefaultFileLocation=$shapes</FdoConnectionString>
  </SourceConnection>
  <DestinationConnection>
    <FdoProvider>OSGeo.SDF</FdoProvider>
    <FdoConnectionString>File=$sdf</FdoConnectionString>
  </DestinationConnection>
  <ClassCopyDefinition>
    <SourceClassName>world</SourceClassName>
    <DestinationClassName>world</DestinationClassName>
    <CopyFilter></CopyFilter>
  </ClassCopyDefinition>
  <ClassCopyDefinition>
    <SourceClassName>columbus</SourceClassName>
    <DestinationClassName>columbus</DestinationClassName>
    <CopyFilter></CopyFilter>
  </ClassCopyDefinition>
  <CopyTaskAttributes>
    <ExecuteApplySchema>TRUE</ExecuteApplySchema>
    <ApplySchemaXMLFile></ApplySchemaXMLFile>
    <CreateSpatialContext>TRUE</CreateSpatialContext>
    <SpatialContextXMLFile></SpatialContextXMLFile>
    <MagicClassName>TRUE</MagicClassName>
    <MagicDataTypes>TRUE</MagicDataTypes>
    <DeleteDestinationData>FALSE</DeleteDestinationData>
  </CopyTaskAttributes>
  <CopyToSDFAttributes>
    <SDF_CreateFileIfMissing>TRUE</SDF_CreateFileIfMissing>
    <SDF_OverwriteFile>TRUE</SDF_OverwriteFile>
  </CopyToSDFAttributes>
  <CopyToOracleAttributes>
    <Oracle_SRID></Oracle_SRID>
  </CopyToOracleAttributes>
</FdoCopyTask>
EOF

echo "Copy task: $task"
echo "Source:    $shapes (world.shp, columbus.shp)"
echo "Target:    $sdf"
status=0
"$build/cmd/GXFCmd" CopyTask "$task" || status=$?
echo
[ "$status" -eq 0 ] || exit "$status"
echo
echo "What GDAL sees in the SDF file (a GeoPackage inside):"
ogrinfo -ro -so "$sdf" world columbus 2>/dev/null | grep -v -e '^INFO: Open of' -e 'using driver'
echo
echo "The desktop program is built too; start it with: $build/desktop/Geoxfer"
