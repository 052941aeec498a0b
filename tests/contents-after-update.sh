#!/usr/bin/env bash
# The table of contents lists every heading of a document once, as saved and after LibreOffice
# brings its fields up to date, on house templates whose list separator is "," or ";", whose
# heading styles are based on the usual headings, or whose heading style names hold a separator.
# The contents of the built-in document after the update are the measure (and its contents as
# saved list the same); a house document lists its template's own heading ("ACME Report Book")
# before them.
# Usage: contents-after-update.sh PROGRAM SOURCE_FOLDER
set -euo pipefail
[ $# -eq 2 ] || { echo "usage: $0 PROGRAM SOURCE_FOLDER" >&2; exit 2; }
program=$1
source=$2
command -v soffice >/dev/null || { echo "soffice is missing: scripts/bootstrap.sh installs it" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/bin/Templates" "$work/docs"
# A program folder of this run's own, with the shipped templates and the house ones.
cp "$program" "$work/bin/tavdesk4"
cp "$source/resources/Templates/"* "$source/tests/data/templates/contents/"*.dotx "$work/bin/Templates/"
profile() {  # name, template, heading styles 1 to 3
  cat <<XML
  <tavrin_template name="$1"><path>$2</path><normalStyle>Normal</normalStyle>
    <tocStyle>House Contents</tocStyle><heading1Style>$3</heading1Style>
    <heading2Style>$4</heading2Style><heading3Style>$5</heading3Style>
    <tableStyle>House Table</tableStyle></tavrin_template>
XML
}
house=("House Heading 1" "House Heading 2" "House Heading 3")
{
  echo '<tavrin_templates>'
  sed -n '/<tavrin_template /,/<\/tavrin_template>/p' "$source/resources/Templates/template_config.xml"
  profile HouseComma HouseComma.dotx "${house[@]}"
  profile HouseSemicolon HouseSemicolon.dotx "${house[@]}"
  profile HouseBased HouseBased.dotx "${house[@]}"
  profile HouseNamed HouseNamed.dotx "Kapitel, Stufe 1" "Kapitel; Stufe 2" "Kapitel, Stufe 3"
  echo '</tavrin_templates>'
} >"$work/bin/Templates/template_config.xml"

# One document of the sample report per profile; "Plain" is the built-in document.
report="$source/samples/reports/objects.rpt"
for name in Plain Classic HouseComma HouseSemicolon HouseBased HouseNamed; do
  config="$work/config/$name"
  mkdir -p "$config/Ombrel Group" "$work/out/$name"
  use=1; [ "$name" = Plain ] && use=0
  cat >"$config/Ombrel Group/Tavrin.conf" <<CONF
[Extract]
DocPath="$work/out/$name/"
TVDPath="$work/out/$name/"
DBPath="$work/out/$name/"
CreateTVDFile=0
CreateWordDocument=1
UpdateDB=0
UseTemplate=$use
OutputTemplate=$name
CONF
  XDG_CONFIG_HOME="$config" "$work/bin/tavdesk4" -E "$report" 2>"$work/$name.err" ||
    { echo "$name: the program failed: $(cat "$work/$name.err")" >&2; exit 1; }
  cp "$work/out/$name/objects.docx" "$work/docs/$name.docx"
done

# A LibreOffice profile of this run's own, with a macro that writes, per document, the contents
# as saved, then as updated.
office() {
  timeout 300 soffice -env:UserInstallation="file://$work/profile" --headless "$@" >/dev/null 2>&1 || true
}
office --convert-to txt --outdir "$work/first" "$work/docs/Plain.docx"  # makes the profile
basic="$work/profile/user/basic/Standard"
[ -d "$basic" ] || { echo "LibreOffice made no profile" >&2; exit 1; }
cat >"$basic/Module1.xba" <<'XBA'
<?xml version="1.0" encoding="UTF-8"?>
<!DOCTYPE script:module PUBLIC "-//OpenOffice.org//DTD OfficeDocument 1.0//EN" "module.dtd">
<script:module xmlns:script="http://openoffice.org/2000/script" script:name="Module1" script:language="StarBasic">
Sub ContentsOf(source As String, target As String)
  Dim load(0) As New com.sun.star.beans.PropertyValue
  load(0).Name = &quot;Hidden&quot;
  load(0).Value = True
  doc = StarDesktop.loadComponentFromURL(ConvertToURL(source), &quot;_blank&quot;, 0, load())
  text = &quot;&quot;
  indexes = doc.getDocumentIndexes()
  For i = 0 To indexes.getCount() - 1
    index = indexes.getByIndex(i)
    text = text &amp; &quot;[saved]&quot; &amp; Chr(10) &amp; index.getAnchor().getString() &amp; Chr(10)
    index.update()
    text = text &amp; &quot;[updated]&quot; &amp; Chr(10) &amp; index.getAnchor().getString() &amp; Chr(10)
  Next i
  n = FreeFile()
  Open target For Output As #n
  Print #n, text
  Close #n
  doc.close(True)
End Sub
</script:module>
XBA
for name in Plain Classic HouseComma HouseSemicolon HouseBased HouseNamed; do
  office "macro:///Standard.Module1.ContentsOf(\"$work/docs/$name.docx\",\"$work/docs/$name.docx.toc\")"
done

# The lines of one section of a document's record, an entry's page number and chapter number
# left out.
section() {
  tr -d '\r' <"$work/docs/$1.docx.toc" |
    awk -v want="[$2]" '/^\[.*\]$/ { on = ($0 == want); next } on && NF' |
    sed -E 's/\t[0-9]*$//; s/^[0-9]+(\.[0-9]+)* //'
}
[ -s "$work/docs/Plain.docx.toc" ] || { echo "LibreOffice wrote no contents" >&2; exit 1; }
expected=$(section Plain updated)
[ -n "$expected" ] || { echo "the built-in document's contents list nothing" >&2; exit 1; }
failed=0
for name in Plain Classic HouseComma HouseSemicolon HouseBased HouseNamed; do
  want=$expected
  case $name in House*) want=$(printf 'ACME Report Book\n%s' "$expected") ;; esac
  for part in saved updated; do
    got=$(section "$name" "$part")
    if [ "$got" != "$want" ]; then
      echo "$name: the contents $part differ from the measure ($(echo "$got" | grep -c . || true)" \
        "for $(echo "$want" | wc -l)):" >&2
      diff <(echo "$want") <(echo "$got") >&2 || true
      failed=1
    fi
  done
done
[ "$failed" -eq 0 ] && echo "every document lists its $(echo "$expected" | wc -l) headings once"
exit "$failed"
