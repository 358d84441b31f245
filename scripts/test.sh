#!/usr/bin/env bash
# Installs what is missing, builds Geoxfer with warnings as errors and runs
# every test with CTest.
#   bash scripts/test.sh              normal build in build/
#   bash scripts/test.sh --sanitize   AddressSanitizer + UBSan build in build-asan/
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/deps.sh
geoxfer_install_deps

build=build
flags=(-DGEOXFER_WERROR=ON)
if [ "${1:-}" = "--sanitize" ]; then
    build=build-asan
    flags+=(-DGEOXFER_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug)
fi
cmake -S . -B "$build" -G Ninja "${flags[@]}" >/dev/null
ninja -C "$build"
export ASAN_OPTIONS=detect_leaks=1
GEOXFER_SAMPLE_DATA="$(bash scripts/sample-data.sh)"
export GEOXFER_SAMPLE_DATA
# A throwaway PostGIS server for the tests that need one (they skip without
# GEOXFER_PG); stopped on every exit, failures included.
trap 'bash scripts/postgis.sh stop' EXIT
if postgis_env="$(bash scripts/postgis.sh start)"; then
    eval "$postgis_env"
else
    echo "No PostGIS server: the tests that need it are skipped." >&2
fi
ctest --test-dir "$build" --output-on-failure -j"$(nproc)"
