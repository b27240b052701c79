#!/usr/bin/env bash
# The main job: omtool on the bundled sample data. Usage: tools/demo.sh BUILD_DIR
set -euo pipefail
build=${1:-build}
root="$(cd "$(dirname "$0")/.." && pwd)"
omtool="$build/tools/omtool"
data="$root/data"
run() { echo "\$ omtool $*"; "$omtool" "$@"; echo; }

run --help
run tokens "$data/sample_project.pro"
run tokens "$data/sample_damaged.pro"
run checksum "$data"/filetypes/points.coo "$data"/filetypes/scan.pts
run filetype "$data"/filetypes/*
run tree "$data/sample_project.pro"
run tree "$data/sample_damaged.pro"
run planes "$data/facade_planes.sip"
