#!/usr/bin/env python3
"""Reads a DXF file with ezdxf and prints, as JSON, what a cutter's software would take from it:
the units, the layers, and every circle, polyline, line and text with its layer. Any structural
fault ezdxf's auditor finds is listed too. Usage: dxf_probe.py FILE"""

import json
import sys

import ezdxf
from ezdxf.lldxf.encoding import decode_dxf_unicode
from ezdxf.tools.text import plain_text


def main(path):
    doc = ezdxf.readfile(path)
    auditor = doc.audit()
    out = {
        "version": doc.dxfversion,
        "insunits": doc.header.get("$INSUNITS", 0),
        "layers": sorted(layer.dxf.name for layer in doc.layers),
        "errors": [str(error.message) for error in auditor.errors],
        "circles": [],
        "polylines": [],
        "lines": [],
        "texts": [],
        "others": [],
    }
    for entity in doc.modelspace():
        kind = entity.dxftype()
        layer = entity.dxf.layer
        if kind == "CIRCLE":
            centre = entity.dxf.center
            out["circles"].append({"layer": layer, "x": centre.x, "y": centre.y, "r": entity.dxf.radius})
        elif kind == "LWPOLYLINE":
            points = [[x, y] for x, y in entity.get_points("xy")]
            out["polylines"].append({"layer": layer, "closed": bool(entity.closed), "points": points})
        elif kind == "LINE":
            start, end = entity.dxf.start, entity.dxf.end
            out["lines"].append({"layer": layer, "x1": start.x, "y1": start.y, "x2": end.x, "y2": end.y})
        elif kind == "TEXT":
            at = entity.dxf.align_point if entity.dxf.hasattr("align_point") else entity.dxf.insert
            out["texts"].append({
                "layer": layer,
                # Before DXF 2007 characters beyond the code page travel as \U+XXXX.
                "text": decode_dxf_unicode(plain_text(entity.dxf.text)),
                "x": at.x,
                "y": at.y,
                "height": entity.dxf.height,
                "halign": entity.dxf.halign,
                "valign": entity.dxf.valign,
            })
        else:
            out["others"].append(kind)
    json.dump(out, sys.stdout)


if __name__ == "__main__":
    main(sys.argv[1])
