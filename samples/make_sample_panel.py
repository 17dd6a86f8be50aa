"""Generates sample-panel.dxf: the project's own small Japanese control
panel drawing, the drawing the README's run command opens in the stand-in
CAD. Run with Debian's python3 (python3-ezdxf):

    /usr/bin/python3 samples/make_sample_panel.py

It writes samples/sample-panel.dxf (R2018, UTF-8) beside this script:
- layer 外形 with the panel outline and the device frames (lines),
- layer 文字 with texts in rows and columns (a device list: Japanese,
  half-width katakana, numbers, full-width digits; left, centre and right
  aligned),
- layer 機器 with the blocks 電動機 and 制御盤 (ATTDEFs NAME, NAME1, SPEC,
  TYPE with Japanese prompts) inserted a few times,
- layer 線番 with wire numbers: the block SENBAN (ATTDEF SENBAN, prompt 線番) inserted
  along the terminal row,
- layer 図枠, locked, with the title block 表題欄 (ATTDEFs of the drawing's
  title, number, date and author) and its two fixed texts.
"""

import os

import ezdxf
from ezdxf.enums import TextEntityAlignment

HERE = os.path.dirname(os.path.abspath(__file__))
OUTPUT = os.path.join(HERE, "sample-panel.dxf")


def add_layers(doc):
    doc.layers.add("外形", color=7)
    doc.layers.add("文字", color=2)
    doc.layers.add("機器", color=3)
    doc.layers.add("線番", color=4)
    frame = doc.layers.add("図枠", color=8)
    frame.lock()


def add_device_block(doc, name, outline):
    block = doc.blocks.new(name=name, base_point=(0, 0))
    block.add_lwpolyline(outline, close=True)
    definitions = [
        ("NAME", "機器名", "M-1", (2, -4)),
        ("NAME1", "機器名１", "", (2, -8)),
        ("SPEC", "仕様", "", (2, -12)),
        ("TYPE", "型式", "", (2, -16)),
    ]
    for tag, prompt, default, at in definitions:
        block.add_attdef(tag, insert=at, text=default, dxfattribs={"height": 2.5, "prompt": prompt})
    return block


def add_wire_number_block(doc):
    block = doc.blocks.new(name="SENBAN", base_point=(0, 0))
    block.add_circle((0, 0), radius=1.0)
    block.add_attdef("SENBAN", insert=(1.5, 1.5), text="",
                     dxfattribs={"height": 2.0, "prompt": "線番"})


def add_title_block(doc):
    block = doc.blocks.new(name="表題欄", base_point=(0, 0))
    block.add_lwpolyline([(0, 0), (120, 0), (120, 32), (0, 32)], close=True)
    block.add_line((0, 16), (120, 16))
    block.add_line((60, 0), (60, 16))
    definitions = [
        ("TITLE", "図面名称", (4, 21), 5.0),
        ("DWGNO", "図面番号", (4, 6), 3.5),
        ("DATE", "日付", (64, 10), 3.0),
        ("AUTHOR", "作成者", (64, 3), 3.0),
    ]
    for tag, prompt, at, height in definitions:
        block.add_attdef(tag, insert=at, text="", dxfattribs={"height": height, "prompt": prompt})


def add_insert(msp, name, at, values, layer):
    insert = msp.add_blockref(name, at, dxfattribs={"layer": layer})
    insert.add_auto_attribs(values)
    return insert


def add_text(msp, text, at, height=3.5, align=None, layer="文字"):
    entity = msp.add_text(text, dxfattribs={"height": height, "layer": layer})
    if align is None:
        entity.set_placement(at)
    else:
        entity.set_placement(at, align=align)
    return entity


def build():
    doc = ezdxf.new("R2018", setup=False)
    doc.header["$DWGCODEPAGE"] = "ANSI_932"
    add_layers(doc)
    add_device_block(doc, "電動機", [(0, 0), (40, 0), (40, -20), (0, -20)])
    add_device_block(doc, "制御盤", [(0, 0), (50, 0), (50, -20), (0, -20)])
    add_wire_number_block(doc)
    add_title_block(doc)
    msp = doc.modelspace()

    # The panel outline and its compartments.
    outline = {"layer": "外形"}
    msp.add_lwpolyline([(0, 0), (297, 0), (297, 210), (0, 210)], close=True, dxfattribs=outline)
    msp.add_line((0, 140), (297, 140), dxfattribs=outline)
    msp.add_line((0, 60), (297, 60), dxfattribs=outline)
    msp.add_line((150, 60), (150, 140), dxfattribs=outline)
    msp.add_circle((280, 195), radius=6, dxfattribs=outline)
    msp.add_arc((20, 195), radius=6, start_angle=0, end_angle=180, dxfattribs=outline)

    # A device list in rows and columns: 番号 / 機器名 / 容量 / 備考.
    headings = [("番号", 10), ("機器名", 40), ("容量", 100), ("備考", 125)]
    for heading, x in headings:
        add_text(msp, heading, (x, 130), height=4.0)
    rows = [
        ("1", "ﾓｰﾀｰ1", "3.7kW", "屋外"),
        ("2", "ポンプ-01", "１５kW", "予備付"),
        ("3", "送風機", "0.75kW", "ID-1F"),
        ("4", "ｺﾝﾍﾞｱ No.9", "2.2kW", ""),
        ("5", "照明盤", "５０A", "非常用"),
    ]
    for i, (number, name, size, note) in enumerate(rows):
        y = 122 - 12 * i
        add_text(msp, number, (14, y), align=TextEntityAlignment.CENTER)
        add_text(msp, name, (40, y))
        add_text(msp, size, (118, y), align=TextEntityAlignment.RIGHT)
        if note:
            add_text(msp, note, (125, y))

    # Devices of the lower compartment.
    devices = [
        ("電動機", (160, 130), {"NAME": "M-1", "NAME1": "給水ポンプ", "SPEC": "3φ200V 3.7kW", "TYPE": "SF-JR"}),
        ("電動機", (210, 130), {"NAME": "M-2", "NAME1": "排水ﾎﾟﾝﾌﾟ", "SPEC": "", "TYPE": "SF-PR"}),
        ("電動機", (160, 100), {"NAME": "M-3", "NAME1": "送風機", "SPEC": "3φ200V 0.75kW", "TYPE": "SF-JR"}),
        ("制御盤", (210, 100), {"NAME": "CP-1", "NAME1": "動力制御盤", "SPEC": "AC200V 60Hz", "TYPE": "屋内自立形"}),
    ]
    for name, at, values in devices:
        add_insert(msp, name, at, values, "機器")

    # The terminal row with its wire numbers.
    msp.add_line((10, 40), (160, 40), dxfattribs=outline)
    for i, number in enumerate(["R1", "S1", "T1", "101", "102", "１０３"]):
        x = 20 + 25 * i
        msp.add_line((x, 40), (x, 20), dxfattribs=outline)
        add_insert(msp, "SENBAN", (x, 40), {"SENBAN": number}, "線番")
    add_text(msp, "端子台 TB1", (85, 48), height=4.0, align=TextEntityAlignment.MIDDLE_CENTER)

    # The title block on its locked layer.
    add_insert(msp, "表題欄", (177, 0),
               {"TITLE": "動力制御盤 外形図", "DWGNO": "MV-0001", "DATE": "2026-12-01", "AUTHOR": "設計課"},
               "図枠")
    add_text(msp, "株式会社モルベクス", (180, 34.5), height=2.5, layer="図枠")
    add_text(msp, "承認", (292, 34.5), height=2.5, align=TextEntityAlignment.RIGHT, layer="図枠")

    msp.add_mtext("注記: 盤内配線は\\PIV 2.0sq とする。", dxfattribs={
        "layer": "文字", "char_height": 3.0, "insert": (10, 15), "width": 120})
    return doc


if __name__ == "__main__":
    build().saveas(OUTPUT, encoding="utf-8")
    print(OUTPUT)
