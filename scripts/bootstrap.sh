#!/usr/bin/env bash
# Installs the Debian packages that one of the project's jobs needs; packages already present
# are skipped. Usage: bootstrap.sh [demo|test|bench]
#   demo   the build tools and libraries, and the fonts of the documents' layout pictures
#   test   all of that, and the test tools: GoogleTest, the PDF text reader, LibreOffice
#   bench  all of that, and Google Benchmark
set -euo pipefail
job=${1:-test}

packages=(
  build-essential cmake pkg-config make
  qt6-base-dev libqt6sql6-sqlite libsqlite3-dev libgl-dev
  libgsf-1-dev libquazip1-qt6-dev zlib1g-dev
  # The layout pictures and the documents need fonts of their own.
  fonts-dejavu-core
)
case $job in
  demo) ;;
  test|bench)
    # The tests read the text of the demo documents' PDF and open them in LibreOffice.
    packages+=(libgtest-dev libgmock-dev poppler-utils)
    # Its smallest Writer serves; a LibreOffice already installed is kept (the two kinds do not
    # go side by side).
    if ! command -v soffice >/dev/null; then
      packages+=(libreoffice-writer-nogui)
    fi
    if [ "$job" = bench ]; then packages+=(libbenchmark-dev); fi
    ;;
  *) echo "bootstrap: unknown job '$job' (demo, test or bench)" >&2; exit 2 ;;
esac

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "bootstrap: installing ${missing[*]}"
sudo=""
if [ "$(id -u)" -ne 0 ]; then
  if ! command -v sudo >/dev/null; then
    echo "bootstrap: installing packages needs root: run this as root or as a user with sudo," \
      "or have an administrator run: apt-get install ${missing[*]}" >&2
    exit 1
  fi
  sudo="sudo"
fi
# Another package manager at work (an automatic update, say) holds a package lock: wait for it
# rather than fail. Installing waits by itself; the lists' lock is waited for here.
lock_wait=(-o DPkg::Lock::Timeout=900)
for attempt in $(seq 1 90); do
  if output=$($sudo apt-get "${lock_wait[@]}" update -qq 2>&1); then break; fi
  if [ "$attempt" -eq 90 ] || ! grep -q "Could not get lock" <<<"$output"; then
    echo "$output" >&2
    exit 1
  fi
  [ "$attempt" -eq 1 ] && echo "bootstrap: waiting for another package manager to finish" >&2
  sleep 10
done
DEBIAN_FRONTEND=noninteractive $sudo apt-get "${lock_wait[@]}" install -y -qq \
  --no-install-recommends "${missing[@]}"
