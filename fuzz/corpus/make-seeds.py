#!/usr/bin/env python3
"""Writes the fuzz targets' seed inputs into the folders beside this script.

Seeds are small valid inputs: the fuzzer mutates them, so they should reach
the interesting code (a decoded bitmap, a bank with every table, a source
without errors). Run it again only to change the seeds.
"""
import os
import sqlite3
import struct
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))

# The tables of a bank as store/BankSchema.h creates them.
BANK_SCHEMA = [
    "create table classes ([no] integer, remark text)",
    "create table Subjects ([no] integer primary key, subject text, result integer, "
    "classNo integer, passOnly integer, fatherNo integer, bmp blob)",
    "create table ziliao (id integer primary key, title text, memo text)",
]


def write(target, name, data):
    folder = os.path.join(HERE, target)
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, name), "wb") as f:
        f.write(data.encode() if isinstance(data, str) else data)


def bitmap(width, height, bits, palette=(), compression=0, pixels=None):
    """A Windows bitmap file with a BITMAPINFOHEADER."""
    stride = ((width * bits + 31) // 32) * 4
    if pixels is None:
        pixels = bytes((x * 37 + y * 11) & 0xFF for y in range(height) for x in range(stride))
    colours = b"".join(struct.pack("<BBBB", b, g, r, 0) for (r, g, b) in palette)
    offset = 14 + 40 + len(colours)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, compression, len(pixels), 2835, 2835,
                       len(palette), 0)
    return b"BM" + struct.pack("<IHHI", offset + len(pixels), 0, 0, offset) + info + colours + pixels


def with_picture_header(bmp):
    return struct.pack("<HHI", 1, 0x0100, len(bmp)) + bmp


def pictures():
    grey = [(i, i, i) for i in range(0, 256, 64)]
    rgb24 = bitmap(4, 3, 24)
    seeds = {
        "rgb24.bmp": rgb24,
        "rgb24-with-header.bin": with_picture_header(rgb24),
        "rgb32-top-down.bmp": bitmap(2, -2, 32),
        "indexed8.bmp": bitmap(3, 2, 8, grey),
        "mono.bmp": bitmap(9, 2, 1, [(0, 0, 0), (255, 255, 255)]),
        # RLE8: a run of 3, an absolute run of 3, end of line, end of bitmap.
        "rle8.bmp": bitmap(3, 2, 8, grey, 1, bytes([3, 1, 0, 3, 2, 3, 1, 0, 0, 0, 0, 1])),
    }
    for name, data in seeds.items():
        write("picture_fuzzer", name, data)
    return seeds


def bank(bmp):
    with tempfile.TemporaryDirectory() as folder:
        path = os.path.join(folder, "velmora.db")
        db = sqlite3.connect(path)
        db.execute("pragma page_size = 512")
        for statement in BANK_SCHEMA:
            db.execute(statement)
        db.executemany("insert into classes values (?, ?)", [(100, "第一章"), (101, "驾驶证"), (102, "通行")])
        db.executemany("insert into Subjects values (?, ?, ?, ?, ?, ?, ?)", [
            (1, "单选题\nA、甲\nB、乙\nC、丙", 2, 0, 0, 101, None),
            (2, "判断题", 1, 1, 1, 102, bmp),
            (3, "带图的题", 0, 0, 0, 101, with_picture_header(bmp)),
        ])
        db.execute("insert into ziliao (title, memo) values ('资料', '内容')")
        db.commit()
        db.execute("vacuum")
        db.close()
        with open(path, "rb") as f:
            write("bank_file_fuzzer", "small-bank.db", f.read())


def sources():
    write("json_source_fuzzer", "bank.json", """{
  "format": "quenhar-bank",
  "version": 1,
  "categories": [{"no": 100, "title": "章"}, {"no": 101, "title": "节"}],
  "questions": [
    {"no": 1, "category": 101, "type": "single", "text": "题\\nA、甲\\nB、乙\\nC、丙", "answer": "B",
     "mustAnswer": false, "basis": "条"},
    {"no": 2, "category": 101, "type": "judge", "text": "判断", "answer": "错", "mustAnswer": true,
     "picture": "pictures/sign.svg"}
  ],
  "materials": [{"id": 1, "title": "资料", "text": "内容"}]
}
""")
    questions = ("题号,题型,题干,答案,章节,必对,图片\n"
                 "1,单选,\"题，\"\"引号\"\"\nA、甲\nB、乙\nC、丙\",A,101,否,\n"
                 "2,判断,判断,对,102,是,pictures/sign.svg\n")
    write("csv_source_fuzzer", "questions.csv", questions)
    write("csv_source_fuzzer", "questions-and-categories.csv", questions + "\f章节,名称\n101,驾驶证\n102,通行\n")


def workbook(compression):
    """A workbook of three worksheets (questions, 章节, 资料) as Excel writes it:
    shared strings, an inline string, numbers, a rich text run and an escape."""
    import io
    import zipfile
    main = "http://schemas.openxmlformats.org/spreadsheetml/2006/main"
    rel = "http://schemas.openxmlformats.org/officeDocument/2006/relationships"
    pkg = "http://schemas.openxmlformats.org/package/2006/relationships"
    strings = ["题号", "题型", "题干", "答案", "章节", "必对", "单选", "题_x000D_干\nA、甲\nB、乙\nC、丙", "A", "否",
               "判断", "对", "名称", "驾驶证", "编号", "标题", "内容", "资料"]

    def cell(ref, value):
        if isinstance(value, int):
            return f'<c r="{ref}"><v>{value}</v></c>'
        if value.startswith("inline:"):
            return f'<c r="{ref}" t="inlineStr"><is><t>{value[7:]}</t></is></c>'
        return f'<c r="{ref}" t="s"><v>{strings.index(value)}</v></c>'

    def sheet(rows):
        data = "".join(f'<row r="{r + 1}">' + "".join(cell(f"{chr(65 + c)}{r + 1}", v) for c, v in enumerate(row))
                       + "</row>" for r, row in enumerate(rows))
        return f'<?xml version="1.0" encoding="UTF-8"?><worksheet xmlns="{main}"><sheetData>{data}</sheetData></worksheet>'

    sheets = [
        ("题目", sheet([["题号", "题型", "题干", "答案", "章节", "必对"],
                       [1, "单选", "题_x000D_干\nA、甲\nB、乙\nC、丙", "A", 101, "否"],
                       [2, "判断", "inline:判断题", "对", 101, 1]])),
        ("章节", sheet([["章节", "名称"], [101, "驾驶证"]])),
        ("资料", sheet([["编号", "标题", "内容"], [1, "资料", "inline:内容"]])),
    ]
    shared = (f'<?xml version="1.0" encoding="UTF-8"?><sst xmlns="{main}">'
              + "".join(f"<si><t>{t}</t></si>" if t != "驾驶证" else f"<si><r><t>驾驶</t></r><r><t>证</t></r></si>"
                        for t in strings) + "</sst>")
    workbook_xml = (f'<?xml version="1.0" encoding="UTF-8"?><workbook xmlns="{main}" xmlns:r="{rel}"><sheets>'
                    + "".join(f'<sheet name="{name}" sheetId="{i + 1}" r:id="rId{i + 1}"/>'
                              for i, (name, _) in enumerate(sheets)) + "</sheets></workbook>")
    workbook_rels = (f'<?xml version="1.0" encoding="UTF-8"?><Relationships xmlns="{pkg}">'
                     + "".join(f'<Relationship Id="rId{i + 1}" Type="{rel}/worksheet" Target="worksheets/sheet{i + 1}.xml"/>'
                               for i in range(len(sheets)))
                     + f'<Relationship Id="rId9" Type="{rel}/sharedStrings" Target="sharedStrings.xml"/></Relationships>')
    parts = {
        "[Content_Types].xml": '<?xml version="1.0" encoding="UTF-8"?><Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types"/>',
        "_rels/.rels": f'<?xml version="1.0" encoding="UTF-8"?><Relationships xmlns="{pkg}"><Relationship Id="rId1" '
                       f'Type="{rel}/officeDocument" Target="xl/workbook.xml"/></Relationships>',
        "xl/workbook.xml": workbook_xml,
        "xl/_rels/workbook.xml.rels": workbook_rels,
        "xl/sharedStrings.xml": shared,
    }
    for i, (_, xml) in enumerate(sheets):
        parts[f"xl/worksheets/sheet{i + 1}.xml"] = xml
    data = io.BytesIO()
    with zipfile.ZipFile(data, "w", compression) as archive:
        for name, text in parts.items():
            archive.writestr(name, text.encode())
    return data.getvalue()


def workbooks():
    import zipfile
    write("xlsx_source_fuzzer", "three-sheets-stored.xlsx", workbook(zipfile.ZIP_STORED))
    write("xlsx_source_fuzzer", "three-sheets-deflated.xlsx", workbook(zipfile.ZIP_DEFLATED))


if __name__ == "__main__":
    bank(pictures()["rgb24.bmp"])
    sources()
    workbooks()
