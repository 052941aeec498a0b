#!/usr/bin/env bash
# The main job over the sample reports.
set -euo pipefail
build=${1:-build}
cd "$(dirname "$0")/.."
"$build/model/tools/tvinfo" samples/reports/
