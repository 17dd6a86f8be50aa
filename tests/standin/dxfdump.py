"""Dumps the entities of DXF drawings as ezdxf sees them, as JSON.

An independent reader for the tests of the stand-in CAD's DXF layer. Run
with Debian's python3 (python3-ezdxf):

    /usr/bin/python3 dxfdump.py drawing.dxf

Prints {"entities": [...]} where each entity is
{"handle", "type", "space", "owner", "attribs"}: space is "model", "paper"
or "block:<name>"; ATTRIBs follow their INSERT with owner = the INSERT's
handle; attribs are all DXF attributes ezdxf knows, with \\U+XXXX escapes in
strings decoded (either case of hex digits; ezdxf leaves them undecoded).
"""

import json
import math
import re
import sys

import ezdxf

ESCAPE = re.compile(r"\\U\+([0-9A-Fa-f]{4})")


def decode(text):
    return ESCAPE.sub(lambda match: chr(int(match.group(1), 16)), text)


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


def entity_record(entity, space, owner=None):
    attribs = {key: plain(value) for key, value in entity.dxfattribs().items()}
    record = {
        "handle": (entity.dxf.handle or "").upper(),
        "type": entity.dxftype(),
        "space": space,
        "owner": owner,
        "attribs": attribs,
    }
    if entity.dxftype() == "LWPOLYLINE":
        record["points"] = [[p[0], p[1]] for p in entity.get_points("xy")]
    if entity.dxftype() == "MTEXT":
        record["text"] = decode(entity.text)
    return record


def dump_layout(entities, space, out):
    for entity in entities:
        out.append(entity_record(entity, space))
        if entity.dxftype() == "INSERT":
            for attrib in entity.attribs:
                out.append(entity_record(attrib, space, entity.dxf.handle.upper()))


def dump(path):
    doc = ezdxf.readfile(path)
    out = []
    dump_layout(doc.modelspace(), "model", out)
    for name in doc.layouts.names():
        layout = doc.layouts.get(name)
        if not layout.is_modelspace:
            dump_layout(layout, "paper", out)
    for block in doc.blocks:
        if block.name.lower().startswith(("*model_space", "*paper_space")):
            continue
        dump_layout(block, "block:" + decode(block.name), out)
    layers = [{"name": decode(layer.dxf.name), "locked": layer.is_locked()} for layer in doc.layers]
    return {
        "acadver": doc.dxfversion,
        "entities": out,
        "layers": layers,
    }


if __name__ == "__main__":
    # One write: json.dump writes many small chunks, slow through a pipe.
    sys.stdout.write(json.dumps(dump(sys.argv[1]), ensure_ascii=True))
