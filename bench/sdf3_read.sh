#!/usr/bin/env bash
# Reads the genuine SDF 3 sample files and the shape files holding the same
# features with the read performance test (RUNS runs each, default 200) and
# prints the time per feature of both. Build first (Release for numbers
# worth keeping): cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release
# && ninja -C build-release Sdf3ReadBench
#   bench/sdf3_read.sh [RUNS]   BUILD_DIR (default ./build), GEOXFER_SHARED_DATA (default ../shared/data)
set -euo pipefail
runs="${1:-200}"
build="${BUILD_DIR:-build}"
data="${GEOXFER_SHARED_DATA:-$(dirname "$0")/../../shared/data}"
bench="$build/bench/Sdf3ReadBench"
[ -x "$bench" ] || { echo "build Sdf3ReadBench first: ninja -C $build Sdf3ReadBench" >&2; exit 1; }
[ -d "$data/sdf" ] || { echo "no reference data in $data (set GEOXFER_SHARED_DATA)" >&2; exit 1; }
"$bench" "$data" "$runs"
