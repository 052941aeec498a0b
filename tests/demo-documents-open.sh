#!/usr/bin/env bash
# Every document that the demo's Extract writes opens in LibreOffice: each converts to PDF, and
# the PDF's text holds the document's headings as often as the document itself does, so that
# the entries of its table of contents show as well as the headings they list.
# Usage: demo-documents-open.sh DEMO_SCRIPT BUILD_FOLDER
set -euo pipefail
[ $# -eq 2 ] || { echo "usage: $0 DEMO_SCRIPT BUILD_FOLDER" >&2; exit 2; }
demo=$1
build=$2
for tool in soffice pdftotext; do
  command -v "$tool" >/dev/null ||
    { echo "$tool is missing: scripts/bootstrap.sh installs it" >&2; exit 1; }
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
out="$work/out"
mkdir -p "$work/pdf" "$work/text"
# The demo itself, into folders of this run's own.
"$demo" "$build" "$out" "$work/config" >/dev/null

shopt -s nullglob
reports=("$(dirname "$demo")"/../samples/reports/*.rpt)
documents=("$out"/*.docx)
shopt -u nullglob
if [ ${#documents[@]} -ne ${#reports[@]} ] || [ ${#documents[@]} -eq 0 ]; then
  echo "the demo wrote ${#documents[@]} documents for ${#reports[@]} reports" >&2
  exit 1
fi

# A LibreOffice profile of this run's own: other runs may go side by side.
office() {
  soffice -env:UserInstallation="file://$work/profile" --headless "$@" >/dev/null 2>&1
}
office --convert-to pdf --outdir "$work/pdf" "${documents[@]}"
# The text the document holds, as LibreOffice reads it: headings and contents entries alike.
office --convert-to "txt:Text (encoded):UTF8" --outdir "$work/text" "${documents[@]}"

occurrences() { grep -o -F -- "$1" "$2" | wc -l || true; }
failed=0
for document in "${documents[@]}"; do
  stem=$(basename "${document%.docx}")
  pdf="$work/pdf/$stem.pdf"
  if [ ! -s "$pdf" ] || ! pdftotext -enc UTF-8 "$pdf" "$work/pdf/$stem.txt" 2>/dev/null; then
    echo "$stem.docx: LibreOffice did not convert it to PDF" >&2
    failed=1
    continue
  fi
  for heading in "Sections" "Report Layout"; do
    held=$(occurrences "$heading" "$work/text/$stem.txt")
    shown=$(occurrences "$heading" "$work/pdf/$stem.txt")
    if [ "$held" -eq 0 ] || [ "$shown" -lt "$held" ]; then
      echo "$stem.docx: \"$heading\" held $held times, shown $shown times in the PDF" >&2
      failed=1
    fi
  done
done
[ "$failed" -eq 0 ] && echo "${#documents[@]} documents open and show their contents entries"
exit "$failed"
