#!/usr/bin/env python3
"""Writes resources/Templates/Classic.dotx, the Word template of the shipped "Classic" profile.

The template is this project's own: a title page whose fields take the report's name, revision
and date, a header and footer, and the paragraph and table styles that the profile in
template_config.xml names. Run it after changing the template; the output is the same, byte for
byte, for the same script.

    scripts/make-classic-template.py [OUTPUT]
"""
import pathlib
import sys
import zipfile

W = "http://schemas.openxmlformats.org/wordprocessingml/2006/main"
R = "http://schemas.openxmlformats.org/officeDocument/2006/relationships"
PKG = "http://schemas.openxmlformats.org/package/2006/relationships"
OFFICE_DOC = "http://schemas.openxmlformats.org/officeDocument/2006/relationships"
CT = "application/vnd.openxmlformats-officedocument.wordprocessingml"

# US Letter with margins of an inch all round: 6.5 inches of text across, in twips. A writer that
# keeps its own page set-up (an inch all round too) still finds the tabs inside the margins.
PAGE_WIDTH, PAGE_HEIGHT = 12240, 15840
SIDE, TOP = 1440, 1440
TEXT_WIDTH = PAGE_WIDTH - 2 * SIDE

BODY_FONT = "Times New Roman"
HEADING_FONT = "Arial"
NAVY = "1F3864"


def xml(root, body, namespaces=f'xmlns:w="{W}" xmlns:r="{R}"'):
    return (f'<?xml version="1.0" encoding="UTF-8" standalone="yes"?>\n'
            f"<{root} {namespaces}>{body}</{root}>")


def run(text, props=""):
    """A run of text; a tab character becomes the tab element that word processors expect."""
    rpr = f"<w:rPr>{props}</w:rPr>" if props else ""
    pieces = [f'<w:t xml:space="preserve">{piece}</w:t>' if piece else ""
              for piece in text.split("\t")]
    return f"<w:r>{rpr}{'<w:tab/>'.join(pieces)}</w:r>"


def field(code, shown):
    """A field that the writer fills with the report's value (or the word processor counts)."""
    return f'<w:fldSimple w:instr=" {code} ">{run(shown)}</w:fldSimple>'


def paragraph(content, style=None, props=""):
    ppr = (f'<w:pStyle w:val="{style}"/>' if style else "") + props
    return f"<w:p>{f'<w:pPr>{ppr}</w:pPr>' if ppr else ''}{content}</w:p>"


def fonts(name):
    return f'<w:rFonts w:ascii="{name}" w:hAnsi="{name}" w:cs="{name}"/>'


def style(kind, style_id, name, ppr="", rpr="", based_on="Normal", extra="", default=False):
    attributes = f'w:type="{kind}" w:styleId="{style_id}"' + (' w:default="1"' if default else "")
    parts = f'<w:name w:val="{name}"/>'
    if based_on:
        parts += f'<w:basedOn w:val="{based_on}"/>'
    parts += extra
    if ppr:
        parts += f"<w:pPr>{ppr}</w:pPr>"
    if rpr:
        parts += f"<w:rPr>{rpr}</w:rPr>"
    return f"<w:style {attributes}>{parts}</w:style>"


def heading(level, size, before, after, colour, rule=False):
    border = (f'<w:pBdr><w:bottom w:val="single" w:sz="6" w:space="1" w:color="{colour}"/>'
              "</w:pBdr>" if rule else "")
    return style("paragraph", f"Heading{level}", f"Heading {level}",
                 ppr=f"<w:keepNext/><w:keepLines/>{border}"
                     f'<w:spacing w:before="{before}" w:after="{after}"/>'
                     f'<w:outlineLvl w:val="{level - 1}"/>',
                 rpr=f'{fonts(HEADING_FONT)}<w:b/><w:bCs/><w:color w:val="{colour}"/>'
                     f'<w:sz w:val="{size}"/><w:szCs w:val="{size}"/>',
                 extra='<w:next w:val="Normal"/><w:qFormat/>')


def toc(level, indent, bold):
    return style("paragraph", f"TOC{level}", f"TOC {level}",
                 ppr=f'<w:tabs><w:tab w:val="right" w:leader="dot" w:pos="{TEXT_WIDTH}"/></w:tabs>'
                     f'<w:spacing w:before="{120 if bold else 0}" w:after="40"/>'
                     f'<w:ind w:left="{indent}"/>',
                 rpr="<w:b/>" if bold else "",
                 extra='<w:next w:val="Normal"/>')


def grid_border(side):
    return f'<w:{side} w:val="single" w:sz="4" w:space="0" w:color="808080"/>'


STYLES = xml("w:styles", "".join([
    "<w:docDefaults><w:rPrDefault><w:rPr>" + fonts(BODY_FONT) +
    '<w:sz w:val="21"/><w:szCs w:val="21"/><w:lang w:val="en-US"/></w:rPr></w:rPrDefault>'
    '<w:pPrDefault><w:pPr><w:spacing w:after="60" w:line="252" w:lineRule="auto"/></w:pPr>'
    "</w:pPrDefault></w:docDefaults>",
    style("paragraph", "Normal", "Normal", based_on=None, extra="<w:qFormat/>", default=True),
    style("character", "DefaultParagraphFont", "Default Paragraph Font", based_on=None,
          default=True, extra="<w:uiPriority w:val=\"1\"/><w:semiHidden/>"),
    style("table", "TableNormal", "Normal Table", based_on=None, default=True,
          extra='<w:semiHidden/><w:tblPr><w:tblInd w:w="0" w:type="dxa"/><w:tblCellMar>'
                '<w:top w:w="0" w:type="dxa"/><w:left w:w="108" w:type="dxa"/>'
                '<w:bottom w:w="0" w:type="dxa"/><w:right w:w="108" w:type="dxa"/>'
                "</w:tblCellMar></w:tblPr>"),
    heading(1, 32, 360, 120, NAVY, rule=True),
    heading(2, 26, 240, 80, NAVY),
    heading(3, 22, 200, 60, "404040"),
    style("paragraph", "Title", "Title",
          ppr='<w:spacing w:before="3600" w:after="480"/><w:jc w:val="center"/>',
          rpr=f'{fonts(HEADING_FONT)}<w:b/><w:color w:val="{NAVY}"/><w:sz w:val="56"/>'
              '<w:szCs w:val="56"/>',
          extra='<w:next w:val="Normal"/><w:qFormat/>'),
    style("paragraph", "Subtitle", "Subtitle",
          ppr='<w:spacing w:after="240"/><w:jc w:val="center"/>',
          rpr=f'{fonts(HEADING_FONT)}<w:color w:val="404040"/><w:sz w:val="32"/>'
              '<w:szCs w:val="32"/>',
          extra='<w:next w:val="Normal"/><w:qFormat/>'),
    toc(1, 0, True),
    toc(2, 220, False),
    toc(3, 440, False),
    style("paragraph", "Header", "header",
          ppr=f'<w:tabs><w:tab w:val="center" w:pos="{TEXT_WIDTH // 2}"/>'
              f'<w:tab w:val="right" w:pos="{TEXT_WIDTH}"/></w:tabs>'
              '<w:spacing w:after="0"/>',
          rpr=f'{fonts(HEADING_FONT)}<w:color w:val="404040"/><w:sz w:val="16"/>'
              '<w:szCs w:val="16"/>'),
    style("paragraph", "Footer", "footer", based_on="Header"),
    style("table", "TableGrid", "Table Grid", based_on="TableNormal",
          extra="<w:pPr><w:spacing w:before=\"20\" w:after=\"20\"/></w:pPr>"
                "<w:tblPr><w:tblBorders>" +
                "".join(grid_border(s) for s in ("top", "left", "bottom", "right",
                                                 "insideH", "insideV")) +
                "</w:tblBorders></w:tblPr>"),
]))

SECTION = (f'<w:sectPr><w:headerReference w:type="default" r:id="rId3"/>'
           f'<w:footerReference w:type="default" r:id="rId4"/>'
           f'<w:pgSz w:w="{PAGE_WIDTH}" w:h="{PAGE_HEIGHT}"/>'
           f'<w:pgMar w:top="{TOP}" w:right="{SIDE}" w:bottom="{TOP}" w:left="{SIDE}" '
           'w:header="720" w:footer="720" w:gutter="0"/></w:sectPr>')

CENTRED = '<w:jc w:val="center"/>'
DOCUMENT = xml("w:document", "<w:body>" + "".join([
    paragraph(run("Report Documentation"), "Title"),
    paragraph(field("ReportName", "ReportName"), "Subtitle"),
    paragraph(run("Revision ") + field("ReportRevision", "0"), props=CENTRED),
    paragraph(run("Report file saved ") + field("ReportDateTime", "ReportDateTime"),
              props=CENTRED),
    paragraph('<w:r><w:br w:type="page"/></w:r>'),
]) + SECTION + "</w:body>")

RULE_BELOW = '<w:pBdr><w:bottom w:val="single" w:sz="4" w:space="1" w:color="808080"/></w:pBdr>'
RULE_ABOVE = '<w:pBdr><w:top w:val="single" w:sz="4" w:space="1" w:color="808080"/></w:pBdr>'
HEADER = xml("w:hdr", paragraph(
    run("Report File: ") + field("ReportName", "ReportName") + run("\t\tRevision ") +
    field("ReportRevision", "0"), "Header", RULE_BELOW))
FOOTER = xml("w:ftr", paragraph(
    run("Tavrin report documentation\t\tPage ") + field("PAGE", "1") + run(" of ") +
    field("NUMPAGES", "1"), "Footer", RULE_ABOVE))

SETTINGS = xml("w:settings", '<w:defaultTabStop w:val="288"/>'
               '<w:characterSpacingControl w:val="doNotCompress"/>')


def relationships(entries):
    return xml("Relationships", "".join(
        f'<Relationship Id="{i}" Type="{t}" Target="{target}"/>' for i, t, target in entries),
        f'xmlns="{PKG}"')


ROOT_RELS = relationships([
    ("rId1", f"{OFFICE_DOC}/officeDocument", "word/document.xml"),
    ("rId2", "http://schemas.openxmlformats.org/package/2006/relationships/metadata/"
             "core-properties", "docProps/core.xml"),
    ("rId3", f"{OFFICE_DOC}/extended-properties", "docProps/app.xml"),
])
DOCUMENT_RELS = relationships([
    ("rId1", f"{OFFICE_DOC}/styles", "styles.xml"),
    ("rId2", f"{OFFICE_DOC}/settings", "settings.xml"),
    ("rId3", f"{OFFICE_DOC}/header", "header1.xml"),
    ("rId4", f"{OFFICE_DOC}/footer", "footer1.xml"),
])

CONTENT_TYPES = xml("Types", "".join([
    '<Default Extension="rels" ContentType="application/vnd.openxmlformats-package.'
    'relationships+xml"/>',
    '<Default Extension="xml" ContentType="application/xml"/>',
    f'<Override PartName="/word/document.xml" ContentType="{CT}.template.main+xml"/>',
    f'<Override PartName="/word/styles.xml" ContentType="{CT}.styles+xml"/>',
    f'<Override PartName="/word/settings.xml" ContentType="{CT}.settings+xml"/>',
    f'<Override PartName="/word/header1.xml" ContentType="{CT}.header+xml"/>',
    f'<Override PartName="/word/footer1.xml" ContentType="{CT}.footer+xml"/>',
    '<Override PartName="/docProps/core.xml" ContentType="application/vnd.openxmlformats-'
    'package.core-properties+xml"/>',
    '<Override PartName="/docProps/app.xml" ContentType="application/vnd.openxmlformats-'
    'officedocument.extended-properties+xml"/>',
]), 'xmlns="http://schemas.openxmlformats.org/package/2006/content-types"')

CORE = xml("cp:coreProperties",
           "<dc:title>Classic</dc:title><dc:creator>Tavrin</dc:creator>"
           "<dc:description>Report documentation in the Classic styles</dc:description>",
           'xmlns:cp="http://schemas.openxmlformats.org/package/2006/metadata/core-properties" '
           'xmlns:dc="http://purl.org/dc/elements/1.1/"')
APP = xml("Properties", "<Application>Tavrin</Application><Template>Classic</Template>",
          'xmlns="http://schemas.openxmlformats.org/officeDocument/2006/extended-properties"')

PARTS = [
    ("[Content_Types].xml", CONTENT_TYPES),
    ("_rels/.rels", ROOT_RELS),
    ("word/document.xml", DOCUMENT),
    ("word/_rels/document.xml.rels", DOCUMENT_RELS),
    ("word/styles.xml", STYLES),
    ("word/settings.xml", SETTINGS),
    ("word/header1.xml", HEADER),
    ("word/footer1.xml", FOOTER),
    ("docProps/core.xml", CORE),
    ("docProps/app.xml", APP),
]


def main():
    root = pathlib.Path(__file__).resolve().parent.parent
    out = pathlib.Path(sys.argv[1]) if len(sys.argv) > 1 else \
        root / "resources" / "Templates" / "Classic.dotx"
    with zipfile.ZipFile(out, "w", zipfile.ZIP_DEFLATED) as package:
        for name, text in PARTS:
            # A fixed time and ordinary read permissions: the same bytes on every run.
            entry = zipfile.ZipInfo(name, date_time=(2026, 1, 1, 0, 0, 0))
            entry.compress_type = zipfile.ZIP_DEFLATED
            entry.external_attr = 0o100644 << 16
            entry.create_system = 3
            package.writestr(entry, text.encode("utf-8"))
    print(out)


if __name__ == "__main__":
    main()
