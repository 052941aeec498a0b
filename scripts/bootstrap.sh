#!/usr/bin/env bash
# Installs every Debian package the project needs; packages already present are skipped.
set -euo pipefail

packages=(
  build-essential cmake pkg-config
  qt6-base-dev libqt6sql6-sqlite libgl-dev
  libgsf-1-dev libquazip1-qt6-dev zlib1g-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  # The tests read the text of the demo documents' PDF; the layout pictures and the documents
  # need fonts of their own.
  poppler-utils fonts-dejavu-core
)
# The tests open the demo's documents in LibreOffice. Its smallest Writer serves; a LibreOffice
# already installed is kept (the two kinds do not go side by side).
if ! command -v soffice >/dev/null; then
  packages+=(libreoffice-writer-nogui)
fi

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
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
