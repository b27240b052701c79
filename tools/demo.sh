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
run coo info "$data/facade_points.coo" --format 1,10,11,12,5
run coo convert "$data/facade_points.coo" "$build/facade_points_mm.coo" --in-format 1,10,11,12,5 --out-format 1,5,10,11,12 --unit m:mm
run camera test "$data/sample_cameras.cam"
run camera test "$data/sample_cameras_simple.cam" --id 11
run camera correct "$data/sample_cameras.cam" --id 3 "$data/sample_image_points.coo" "$build/corrected_image_points.coo"
