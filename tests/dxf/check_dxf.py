"""Reads DXF files strictly with ezdxf and reports, as one JSON object keyed by
file: the version, the audit's errors, entity counts per DXF type in model
space and per block, the true colours used, the length of the first LINE
in model space, the texts as readers show them and where they are placed,
each entity's type and line weight, and the longest value in the file."""
import json
import math
import sys
from collections import Counter

import ezdxf
from ezdxf.lldxf.encoding import decode_dxf_unicode
from ezdxf.tools.text import plain_mtext


def decoded(text):
    return decode_dxf_unicode(text).encode("utf-16", "surrogatepass").decode("utf-16")


def shown(entity):
    """A TEXT's or MTEXT's characters as a reader shows them."""
    if entity.dxftype() == "MTEXT":
        return plain_mtext(decoded(entity.text))
    return decoded(entity.dxf.text)


def placement(entity):
    fields = {"type": entity.dxftype(), "insert": list(entity.dxf.insert)[:2],
              "height": entity.dxf.char_height if entity.dxftype() == "MTEXT"
              else entity.dxf.height}
    if entity.dxftype() == "TEXT":
        fields["halign"] = entity.dxf.halign
        if entity.dxf.hasattr("align_point"):
            fields["align_point"] = list(entity.dxf.align_point)[:2]
    else:
        fields["direction"] = list(entity.dxf.text_direction)[:2]
    return fields


def longest_value(path):
    """The most bytes of one line of the file, its line break left out."""
    with open(path, "rb") as file:
        return max(len(line.rstrip(b"\r\n")) for line in file)


def handles(path):
    """$HANDSEED and the largest handle of a record (groups 5 and 105), read
    from the file's own tags; None where there are none."""
    with open(path, "rb") as file:
        lines = [line.strip() for line in file]
    seed, largest = None, None
    for i in range(0, len(lines) - 1, 2):
        code, value = lines[i], lines[i + 1]
        if code == b"9" and value == b"$HANDSEED":
            seed = int(lines[i + 3], 16)
        elif code in (b"5", b"105") and lines[i - 1] != b"$HANDSEED":
            handle = int(value, 16)
            largest = handle if largest is None else max(largest, handle)
    return seed, largest


def check(path):
    try:
        doc = ezdxf.readfile(path)
    except Exception as error:  # a file ezdxf refuses is the finding
        return {"read": False, "errors": [str(error)]}
    auditor = doc.audit()
    msp = doc.modelspace()
    blocks = {}
    for block in doc.blocks:
        if block.name.upper() in ("*MODEL_SPACE", "*PAPER_SPACE"):
            continue
        blocks[decoded(block.name)] = dict(Counter(e.dxftype() for e in block))
    colours = set()
    for layout in [msp] + [b for b in doc.blocks]:
        for entity in layout:
            if entity.dxf.hasattr("true_color"):
                colours.add(entity.dxf.true_color)
    first_line = next((e for e in msp if e.dxftype() == "LINE"), None)
    return {
        "read": True,
        "version": doc.dxfversion,
        "errors": [e.message for e in auditor.errors],
        "entities": dict(Counter(e.dxftype() for e in msp)),
        "blocks": blocks,
        "true_colors": sorted(colours),
        "first_line_length": math.dist(first_line.dxf.start, first_line.dxf.end)
        if first_line else None,
        "texts": [shown(e) for e in msp if e.dxftype() in ("TEXT", "MTEXT")],
        "text_places": [placement(e) for e in msp if e.dxftype() in ("TEXT", "MTEXT")],
        "longest_value": longest_value(path),
        "handle_seed": handles(path)[0],
        "largest_handle": handles(path)[1],
        "layers": [decoded(layer.dxf.name) for layer in doc.layers],
        "layer_states": {decoded(layer.dxf.name): {"off": layer.is_off(),
                                                   "frozen": layer.is_frozen(),
                                                   "plot": layer.dxf.get("plot", 1) != 0}
                         for layer in doc.layers},
        "entity_layers": [decoded(e.dxf.layer) for e in msp],
        "entity_types": [e.dxftype() for e in msp],
        "lineweights": [e.dxf.get("lineweight", None) for e in msp],
        "styles": {decoded(s.dxf.name): s.dxf.font for s in doc.styles},
    }


print(json.dumps({path: check(path) for path in sys.argv[1:]}, ensure_ascii=False))
