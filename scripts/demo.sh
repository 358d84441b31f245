#!/usr/bin/env bash
# Installs what is missing, builds Geoxfer and runs the demo.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/deps.sh
geoxfer_install_deps

cmake -S . -B build -G Ninja >/dev/null
ninja -C build GXFInfo >/dev/null
echo
build/cmd/GXFInfo
