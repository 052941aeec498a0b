#!/bin/sh
# The README's commands on a fresh Debian 12 machine, which may have no make nor compiler yet:
# installs what the job needs, then runs it through the Makefile.
# Usage: sh run.sh demo|test|bench
set -eu
cd "$(dirname "$0")"
job=${1:-}
case $job in
  demo|test|bench) ;;
  *) echo "usage: sh run.sh demo|test|bench" >&2; exit 2 ;;
esac
bash scripts/bootstrap.sh "$job"
exec make "$job"
