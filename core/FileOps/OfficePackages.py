#!/usr/bin/env python3
"""Writes OfficePackages.cpp: the empty Word, Excel and PowerPoint documents of the new-file templates.

Each package is the smallest Office Open XML document its applications open: the content types, the
package relationships, the main part and the parts it needs. Members are stored uncompressed with a
fixed time stamp, so running this again gives the same bytes. Run: python3 OfficePackages.py
"""
import io
import os
import zipfile

XML = '<?xml version="1.0" encoding="UTF-8" standalone="yes"?>\n'
CT = "http://schemas.openxmlformats.org/package/2006/content-types"
PR = "http://schemas.openxmlformats.org/package/2006/relationships"
OR = "http://schemas.openxmlformats.org/officeDocument/2006/relationships"
A = "http://schemas.openxmlformats.org/drawingml/2006/main"
P = "http://schemas.openxmlformats.org/presentationml/2006/main"
MAIN = "application/vnd.openxmlformats-officedocument."


def content_types(overrides):
    items = "".join(f'<Override PartName="{part}" ContentType="{kind}"/>' for part, kind in overrides)
    return (XML + f'<Types xmlns="{CT}">'
            '<Default Extension="rels" ContentType="application/vnd.openxmlformats-package.relationships+xml"/>'
            '<Default Extension="xml" ContentType="application/xml"/>' + items + '</Types>')


def relationships(rels):
    items = "".join(f'<Relationship Id="rId{i + 1}" Type="{OR}/{kind}" Target="{target}"/>'
                    for i, (kind, target) in enumerate(rels))
    return XML + f'<Relationships xmlns="{PR}">' + items + '</Relationships>'


def package_rels(main_part):
    return relationships([("officeDocument", main_part)])


DOCX = [
    ("[Content_Types].xml", content_types([
        ("/word/document.xml", MAIN + "wordprocessingml.document.main+xml")])),
    ("_rels/.rels", package_rels("word/document.xml")),
    ("word/document.xml", XML + '<w:document xmlns:w="http://schemas.openxmlformats.org/wordprocessingml/2006/main">'
     '<w:body><w:p/></w:body></w:document>'),
    ("word/_rels/document.xml.rels", relationships([])),
]

SML = "http://schemas.openxmlformats.org/spreadsheetml/2006/main"
XLSX = [
    ("[Content_Types].xml", content_types([
        ("/xl/workbook.xml", MAIN + "spreadsheetml.sheet.main+xml"),
        ("/xl/worksheets/sheet1.xml", MAIN + "spreadsheetml.worksheet+xml")])),
    ("_rels/.rels", package_rels("xl/workbook.xml")),
    ("xl/workbook.xml", XML + f'<workbook xmlns="{SML}" xmlns:r="{OR}">'
     '<sheets><sheet name="Sheet1" sheetId="1" r:id="rId1"/></sheets></workbook>'),
    ("xl/_rels/workbook.xml.rels", relationships([("worksheet", "worksheets/sheet1.xml")])),
    ("xl/worksheets/sheet1.xml", XML + f'<worksheet xmlns="{SML}"><sheetData/></worksheet>'),
]

NS = f'xmlns:a="{A}" xmlns:r="{OR}" xmlns:p="{P}"'
TREE = ('<p:cSld{name}><p:spTree><p:nvGrpSpPr><p:cNvPr id="1" name=""/><p:cNvGrpSpPr/><p:nvPr/></p:nvGrpSpPr>'
        '<p:grpSpPr><a:xfrm><a:off x="0" y="0"/><a:ext cx="0" cy="0"/><a:chOff x="0" y="0"/>'
        '<a:chExt cx="0" cy="0"/></a:xfrm></p:grpSpPr></p:spTree></p:cSld>')
COLOR_MAP = ('<p:clrMap bg1="lt1" tx1="dk1" bg2="lt2" tx2="dk2" accent1="accent1" accent2="accent2" '
             'accent3="accent3" accent4="accent4" accent5="accent5" accent6="accent6" hlink="hlink" '
             'folHlink="folHlink"/>')
SAME_COLORS = '<p:clrMapOvr><a:masterClrMapping/></p:clrMapOvr>'


def theme():
    colors = [("dk1", '<a:sysClr val="windowText" lastClr="000000"/>'),
              ("lt1", '<a:sysClr val="window" lastClr="FFFFFF"/>')]
    colors += [(name, f'<a:srgbClr val="{rgb}"/>') for name, rgb in [
        ("dk2", "1F497D"), ("lt2", "EEECE1"), ("accent1", "4F81BD"), ("accent2", "C0504D"),
        ("accent3", "9BBB59"), ("accent4", "8064A2"), ("accent5", "4BACC6"), ("accent6", "F79646"),
        ("hlink", "0000FF"), ("folHlink", "800080")]]
    color_scheme = '<a:clrScheme name="Office">' + "".join(
        f'<a:{name}>{value}</a:{name}>' for name, value in colors) + '</a:clrScheme>'
    font = '<a:latin typeface="Calibri"/><a:ea typeface=""/><a:cs typeface=""/>'
    font_scheme = (f'<a:fontScheme name="Office"><a:majorFont>{font}</a:majorFont>'
                   f'<a:minorFont>{font}</a:minorFont></a:fontScheme>')
    fill = '<a:solidFill><a:schemeClr val="phClr"/></a:solidFill>'
    lines = "".join(f'<a:ln w="{width}">{fill}</a:ln>' for width in (9525, 25400, 38100))
    effects = '<a:effectStyle><a:effectLst/></a:effectStyle>' * 3
    format_scheme = (f'<a:fmtScheme name="Office"><a:fillStyleLst>{fill * 3}</a:fillStyleLst>'
                     f'<a:lnStyleLst>{lines}</a:lnStyleLst><a:effectStyleLst>{effects}</a:effectStyleLst>'
                     f'<a:bgFillStyleLst>{fill * 3}</a:bgFillStyleLst></a:fmtScheme>')
    return (XML + f'<a:theme xmlns:a="{A}" name="Office Theme"><a:themeElements>{color_scheme}{font_scheme}'
            f'{format_scheme}</a:themeElements><a:objectDefaults/><a:extraClrSchemeLst/></a:theme>')


PPTX = [
    ("[Content_Types].xml", content_types([
        ("/ppt/presentation.xml", MAIN + "presentationml.presentation.main+xml"),
        ("/ppt/slideMasters/slideMaster1.xml", MAIN + "presentationml.slideMaster+xml"),
        ("/ppt/slideLayouts/slideLayout1.xml", MAIN + "presentationml.slideLayout+xml"),
        ("/ppt/slides/slide1.xml", MAIN + "presentationml.slide+xml"),
        ("/ppt/theme/theme1.xml", MAIN + "theme+xml")])),
    ("_rels/.rels", package_rels("ppt/presentation.xml")),
    ("ppt/presentation.xml", XML + f'<p:presentation {NS}>'
     '<p:sldMasterIdLst><p:sldMasterId id="2147483648" r:id="rId1"/></p:sldMasterIdLst>'
     '<p:sldIdLst><p:sldId id="256" r:id="rId2"/></p:sldIdLst>'
     '<p:sldSz cx="9144000" cy="6858000" type="screen4x3"/><p:notesSz cx="6858000" cy="9144000"/>'
     '</p:presentation>'),
    ("ppt/_rels/presentation.xml.rels", relationships([
        ("slideMaster", "slideMasters/slideMaster1.xml"), ("slide", "slides/slide1.xml"),
        ("theme", "theme/theme1.xml")])),
    ("ppt/slideMasters/slideMaster1.xml", XML + f'<p:sldMaster {NS}>' + TREE.format(name="") + COLOR_MAP +
     '<p:sldLayoutIdLst><p:sldLayoutId id="2147483649" r:id="rId1"/></p:sldLayoutIdLst></p:sldMaster>'),
    ("ppt/slideMasters/_rels/slideMaster1.xml.rels", relationships([
        ("slideLayout", "../slideLayouts/slideLayout1.xml"), ("theme", "../theme/theme1.xml")])),
    ("ppt/slideLayouts/slideLayout1.xml", XML + f'<p:sldLayout {NS} type="blank" preserve="1">' +
     TREE.format(name=' name="Blank"') + SAME_COLORS + '</p:sldLayout>'),
    ("ppt/slideLayouts/_rels/slideLayout1.xml.rels", relationships([
        ("slideMaster", "../slideMasters/slideMaster1.xml")])),
    ("ppt/slides/slide1.xml", XML + f'<p:sld {NS}>' + TREE.format(name="") + SAME_COLORS + '</p:sld>'),
    ("ppt/slides/_rels/slide1.xml.rels", relationships([("slideLayout", "../slideLayouts/slideLayout1.xml")])),
    ("ppt/theme/theme1.xml", theme()),
]


def package(members):
    buffer = io.BytesIO()
    with zipfile.ZipFile(buffer, "w", zipfile.ZIP_STORED) as archive:
        for name, text in members:
            info = zipfile.ZipInfo(name, date_time=(2024, 1, 1, 0, 0, 0))
            info.create_system = 0
            info.external_attr = 0
            archive.writestr(info, text.encode("utf-8"))
    return buffer.getvalue()


def cpp_bytes(data):
    rows = []
    for start in range(0, len(data), 20):
        rows.append("    " + ", ".join(f"0x{b:02x}" for b in data[start:start + 20]) + ",")
    return "\n".join(rows)


def main():
    parts = []
    for name, members in (("docx", DOCX), ("xlsx", XLSX), ("pptx", PPTX)):
        data = package(members)
        parts.append(f"constexpr unsigned char {name}Bytes[] = {{\n{cpp_bytes(data)}\n}};\n")
    source = ("// Generated by OfficePackages.py; edit that script and run it again rather than this file.\n"
              "// clang-format off\n"
              '#include "core/FileOps/OfficePackages.h"\n\n'
              "namespace ondravell {\n\nnamespace {\n\n" + "\n".join(parts) +
              "\ntemplate <std::size_t N>\nstd::string_view view(const unsigned char (&bytes)[N]) {\n"
              "    return std::string_view(reinterpret_cast<const char*>(bytes), N);\n}\n\n"
              "} // namespace\n\n"
              "std::string_view OfficePackages::docx() {\n    return view(docxBytes);\n}\n\n"
              "std::string_view OfficePackages::xlsx() {\n    return view(xlsxBytes);\n}\n\n"
              "std::string_view OfficePackages::pptx() {\n    return view(pptxBytes);\n}\n\n"
              "} // namespace ondravell\n")
    here = os.path.dirname(os.path.abspath(__file__))
    with open(os.path.join(here, "OfficePackages.cpp"), "w", encoding="utf-8") as out:
        out.write(source)


if __name__ == "__main__":
    main()
