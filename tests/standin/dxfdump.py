"""Dumps the entities of DXF drawings as ezdxf sees them, as JSON.

An independent reader for the tests of the stand-in CAD's DXF layer. Run
with Debian's python3 (python3-ezdxf) and PYTHONHASHSEED=0: ezdxf names the
objects it makes itself (block records of an R12 file ...) in an order that
follows Python's hash seed.

    PYTHONHASHSEED=0 /usr/bin/python3 dxfdump.py drawing.dxf

Prints {"acadver", "encoding", "loader", "entities", "layers"}:

- encoding: the Python codec the texts were read with. ezdxf knows only the
  "ANSI_xxx" code page names, so the code page is decided here: UTF-8 for
  R2007 and later; the code page $DWGCODEPAGE names (DOS code pages too);
  for a file naming none, or one unknown, Shift_JIS (cp932) when every
  non-ASCII value is strict Windows-31J outside the user-defined area and
  some run of two or more double-byte characters looks Japanese, else
  cp1252 (see looks_like_shift_jis, written apart from the stand-in's own).
- loader: "readfile", or "recover" when ezdxf.readfile refused the file
  (ezdxf.recover drops entities with repeated handles, so it is not the
  default).
- entities: {"handle", "type", "space", "owner", "in_file", "attribs"} each:
  space is "model", "paper" or "block:<name>"; ATTRIBs follow their INSERT
  with owner = the INSERT's handle; in_file tells whether the handle is one
  of the file's or one ezdxf made up; attribs are all DXF attributes ezdxf
  knows, with \\U+XXXX escapes in strings decoded (either case of hex
  digits; ezdxf leaves them undecoded).

A byte the code page leaves undefined reads as U+F700 + byte (a lead and
trail byte that form an empty double-byte code both), as the stand-in shows
such bytes, so the two readers can be compared. Where Python and Windows
part on what is undefined, Windows holds: the bytes 80 to 9F a windows-125x
table leaves empty read as U+0080 to U+009F, as Windows reads them; the five
single bytes Python's cp932 reads as U+0080 and U+F8F0 to U+F8F3 (80, A0,
FD, FE, FF) are not Windows-31J and read as undefined bytes.
"""

import codecs
import json
import math
import re
import sys

import ezdxf
from ezdxf import recover

ESCAPE = re.compile(r"\\U\+([0-9A-Fa-f]{4})")

# $DWGCODEPAGE names and the Python codecs of their code pages.
CODE_PAGES = {
    "ANSI_874": "cp874", "ANSI_932": "cp932", "ANSI_936": "gbk", "ANSI_949": "cp949",
    "ANSI_950": "cp950", "ANSI_1250": "cp1250", "ANSI_1251": "cp1251", "ANSI_1252": "cp1252",
    "ANSI_1253": "cp1253", "ANSI_1254": "cp1254", "ANSI_1255": "cp1255", "ANSI_1256": "cp1256",
    "ANSI_1257": "cp1257", "ANSI_1258": "cp1258",
    "DOS437": "cp437", "DOS737": "cp737", "DOS775": "cp775", "DOS850": "cp850", "DOS852": "cp852",
    "DOS855": "cp855", "DOS857": "cp857", "DOS860": "cp860", "DOS861": "cp861", "DOS863": "cp863",
    "DOS864": "cp864", "DOS865": "cp865", "DOS866": "cp866", "DOS869": "cp869", "DOS932": "cp932",
    "MACINTOSH": "mac_roman", "BIG5": "big5", "GB2312": "gb2312", "KSC5601": "cp949",
}

UNDEFINED = "dxfdump-undefined-bytes"

# Lead and trail byte ranges of the double-byte code pages: a lead byte whose
# code is empty takes its trail byte with it.
DOUBLE_BYTE = {
    "cp932": (lambda b: 0x81 <= b <= 0x9F or 0xE0 <= b <= 0xFC,
              lambda b: 0x40 <= b <= 0x7E or 0x80 <= b <= 0xFC),
}


def undefined_bytes(error):
    data = error.object
    end = error.end
    encoding = codecs.lookup(error.encoding).name
    ranges = DOUBLE_BYTE.get(encoding)
    if ranges and end == error.start + 1 and end < len(data) \
            and ranges[0](data[error.start]) and ranges[1](data[end]):
        end += 1
    if encoding.startswith("cp125") and end == error.start + 1 and 0x80 <= data[error.start] <= 0x9F:
        return chr(data[error.start]), end
    return "".join(chr(0xF700 + byte) for byte in data[error.start:end]), end


# What Python's cp932 makes of the single bytes Windows-31J leaves out.
CP932_EXTRAS = str.maketrans({"\x80": "\uf780", "\uf8f0": "\uf7a0", "\uf8f1": "\uf7fd",
                              "\uf8f2": "\uf7fe", "\uf8f3": "\uf7ff"})


codecs.register_error(UNDEFINED, undefined_bytes)


def decode(text):
    if ENCODING == "cp932":
        text = text.translate(CP932_EXTRAS)
    return ESCAPE.sub(lambda match: chr(int(match.group(1), 16)), text)


ENCODING = None     # the encoding of the file being dumped


def groups(raw):
    """The (code, value) pairs of an ASCII DXF file, values as bytes."""
    lines = raw.split(b"\n")
    if lines and lines[0].startswith(b"\xef\xbb\xbf"):
        lines[0] = lines[0][3:]
    lines = [line[:-1] if line.endswith(b"\r") else line for line in lines]
    pairs = []
    for i in range(0, len(lines) - 1, 2):
        try:
            pairs.append((int(lines[i]), lines[i + 1]))
        except ValueError:
            break
    return pairs


def header_value(pairs, name):
    for (code, value), (_, following) in zip(pairs, pairs[1:]):
        if code == 9 and value.strip() == name:
            return following.strip().decode("ascii", "replace")
    return ""


def looks_like_shift_jis(values):
    """Windows-31J as Japanese Windows reads a drawing that names no code page."""
    def is_lead(byte):
        return 0x81 <= byte <= 0x9F or 0xE0 <= byte <= 0xFC

    japanese = False
    for value in values:
        if all(byte < 0x80 for byte in value):
            continue
        try:
            value.decode("cp932", "strict")
        except UnicodeDecodeError:
            return False
        i = 0
        run, run_japanese = 0, False
        while i < len(value):
            byte = value[i]
            if is_lead(byte) and i + 1 < len(value):
                if 0xF0 <= byte <= 0xF9:
                    return False        # the user-defined area
                trail = value[i + 1]
                run += 1
                run_japanese = run_japanese or byte in (0x82, 0x83) or trail >= 0x80
                i += 2
                continue
            if byte in (0x80, 0xA0, 0xFD, 0xFE, 0xFF):
                return False            # not in Windows-31J (Python's cp932 takes them)
            japanese = japanese or (run >= 2 and run_japanese)
            run, run_japanese = 0, False
            i += 1
        japanese = japanese or (run >= 2 and run_japanese)
    return japanese


def encoding_of(raw):
    pairs = groups(raw)
    version = header_value(pairs, b"$ACADVER").upper()
    if version >= "AC1021":
        return "utf-8"
    declared = CODE_PAGES.get(header_value(pairs, b"$DWGCODEPAGE").upper())
    if declared:
        return declared
    return "cp932" if looks_like_shift_jis(value for _, value in pairs) else "cp1252"


def file_handles(raw):
    return {value.strip().upper().decode("ascii", "replace")
            for code, value in groups(raw) if code in (5, 105)}


def load(path, encoding):
    try:
        return ezdxf.readfile(path, encoding=encoding, errors=UNDEFINED), "readfile"
    except Exception:
        # recover decides the encoding from the header alone: give it ours.
        recover.detect_encoding = lambda tags: encoding
        doc, _ = recover.readfile(path, errors=UNDEFINED)
        return doc, "recover"


def read(path):
    """ezdxf's document of a drawing read in the encoding decided here, the
    file's bytes and the loader that read it; decode() follows the encoding."""
    global ENCODING
    with open(path, "rb") as file:
        raw = file.read()
    ENCODING = encoding_of(raw)
    doc, loader = load(path, ENCODING)
    return doc, raw, loader


def plain(value):
    if isinstance(value, str):
        return decode(value)
    if isinstance(value, bool) or isinstance(value, int):
        return value
    if isinstance(value, float):
        return value if math.isfinite(value) else str(value)
    if hasattr(value, "x") and hasattr(value, "y"):
        return [value.x, value.y, getattr(value, "z", 0.0)]
    if isinstance(value, (list, tuple)):
        return [plain(item) for item in value]
    return str(value)


def entity_record(entity, space, handles, owner=None):
    attribs = {key: plain(value) for key, value in entity.dxfattribs().items()}
    handle = (entity.dxf.handle or "").upper()
    record = {
        "handle": handle,
        "type": entity.dxftype(),
        "space": space,
        "owner": owner,
        "in_file": handle in handles,
        "attribs": attribs,
    }
    if entity.dxftype() == "LWPOLYLINE":
        record["points"] = [[p[0], p[1]] for p in entity.get_points("xy")]
    if entity.dxftype() == "MTEXT":
        record["text"] = decode(entity.text)
    return record


def dump_layout(entities, space, handles, out):
    for entity in entities:
        out.append(entity_record(entity, space, handles))
        if entity.dxftype() == "INSERT":
            for attrib in entity.attribs:
                out.append(entity_record(attrib, space, handles, entity.dxf.handle.upper()))


def dump(path):
    doc, raw, loader = read(path)
    handles = file_handles(raw)
    out = []
    dump_layout(doc.modelspace(), "model", handles, out)
    for name in doc.layouts.names():
        layout = doc.layouts.get(name)
        if not layout.is_modelspace:
            dump_layout(layout, "paper", handles, out)
    for block in doc.blocks:
        if block.name.lower().startswith(("*model_space", "*paper_space")):
            continue
        dump_layout(block, "block:" + decode(block.name), handles, out)
    layers = [{"name": decode(layer.dxf.name), "locked": layer.is_locked()} for layer in doc.layers]
    return {
        "acadver": doc.dxfversion,
        "encoding": ENCODING,
        "loader": loader,
        "entities": out,
        "layers": layers,
    }


if __name__ == "__main__":
    # One write: json.dump writes many small chunks, slow through a pipe.
    sys.stdout.write(json.dumps(dump(sys.argv[1]), ensure_ascii=True))
