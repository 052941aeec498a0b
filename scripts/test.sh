#!/usr/bin/env bash
# Runs every test of a build. With TAV_TEST_USER set and run as root (as .ci/run does), the tests
# run as that ordinary user, made when missing: a test that needs root, or that writes outside
# its own temporary folders (into /, say), then fails instead of passing unnoticed.
# Usage: test.sh BUILD JOBS
set -euo pipefail
build=$1
jobs=$2
ctest_args=(--test-dir "$build" --output-on-failure -j"$jobs" --timeout 600)
user=${TAV_TEST_USER:-}
if [ -z "$user" ] || [ "$(id -u)" -ne 0 ]; then
  exec ctest "${ctest_args[@]}"
fi
id "$user" >/dev/null 2>&1 || useradd --create-home --shell /bin/bash "$user"
# The user reads the sources and writes the build folder (the test log, the program's default
# output folder). A tree the user cannot reach (below a private home folder) is tested as root.
case $build in /*) folder=$build ;; *) folder=$PWD/$build ;; esac
if ! runuser -u "$user" -- test -r "$PWD/CMakeLists.txt" -a -x "$folder"; then
  echo "test.sh: $user cannot read $PWD; the tests run as root" >&2
  exec ctest "${ctest_args[@]}"
fi
chown -R "$user" "$folder"
echo "test.sh: the tests run as $user"
exec runuser -u "$user" -- env HOME="$(getent passwd "$user" | cut -d: -f6)" \
  ctest "${ctest_args[@]}"
