#!/usr/bin/env bash
# Fetches real sample data that must exist on a fresh machine: Debian's
# r-cran-spdata and r-cran-sf packages hold real shape files and
# GeoPackages. They are downloaded with apt-get (never installed) and
# unpacked into a cache; the path of the cache is printed.
#   GEOXFER_SAMPLE_CACHE   cache folder (default ~/.cache/geoxfer/sample-data)
set -euo pipefail
cache="${GEOXFER_SAMPLE_CACHE:-$HOME/.cache/geoxfer/sample-data}"
if [ -f "$cache/.complete" ]; then
    echo "$cache"
    exit 0
fi
mkdir -p "$cache/debs"
cd "$cache/debs"
if ! ls r-cran-spdata_*.deb r-cran-sf_*.deb >/dev/null 2>&1; then
    apt-get download r-cran-spdata r-cran-sf >/dev/null 2>&1 || {
        apt-get update -qq >/dev/null 2>&1
        apt-get download r-cran-spdata r-cran-sf >/dev/null
    }
fi
rm -rf "$cache/root"
for deb in r-cran-spdata_*.deb r-cran-sf_*.deb; do dpkg-deb -x "$deb" "$cache/root"; done
rm -rf "$cache/spData" "$cache/sf"
mv "$cache/root/usr/lib/R/site-library/spData" "$cache/spData"
mv "$cache/root/usr/lib/R/site-library/sf" "$cache/sf"
rm -rf "$cache/root"
touch "$cache/.complete"
echo "$cache"
