#!/usr/bin/env bash
# The main job over the sample reports: Extract from the command line, with settings of its own
# (not the user's), writing into out/.
# Usage: demo.sh [BUILD [OUT [CONFIG]]]   the build folder, the folder the files go to and the
# folder of the settings (out/ and BUILD/demo-config unless given; absolute paths)
set -euo pipefail
build=${1:-build}
cd "$(dirname "$0")/.."
root=$PWD
case $build in /*) ;; *) build="$root/$build" ;; esac
out="${2:-$root/out}/"
config="${3:-$build/demo-config}"

mkdir -p "$out" "$config/Ombrel Group"
cat > "$config/Ombrel Group/Tavrin.conf" <<CONF
[Extract]
TVDPath="$out"
DocPath="$out"
DBPath="$out"
CreateTVDFile=1
CreateWordDocument=1
UpdateDB=1
CONF

shopt -s nullglob nocaseglob
reports=(samples/reports/*.rpt)
shopt -u nullglob nocaseglob
echo "demo: Extract over samples/reports/ (${#reports[@]} report files)"
status=0
XDG_CONFIG_HOME="$config" "$build/app/tavdesk4" -E samples/reports/ || status=$?
echo "demo: exit status $status"
echo "demo: the documentation files went to $out (settings: $config/Ombrel Group/Tavrin.conf)"
ls -l "$out"
exit "$status"
