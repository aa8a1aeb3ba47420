#!/usr/bin/env python3
"""Reads an SVG file with Python's own XML parser and prints, as JSON, what a cutter's software
would take from its cut layer: every circle, and every straight cut as a segment (from rect,
line, polyline and polygon), in the drawing's user units; any other shape on the layer is listed
by name. Usage: svg_probe.py FILE"""

import json
import re
import sys
import xml.etree.ElementTree as ET

SVG = "{http://www.w3.org/2000/svg}"
INKSCAPE = "{http://www.inkscape.org/namespaces/inkscape}"


def numbers(text):
    return [float(v) for v in re.findall(r"[-+]?(?:\d+\.?\d*|\.\d+)(?:[eE][-+]?\d+)?", text or "")]


def segments_of(points, closed):
    out = []
    for a, b in zip(points, points[1:]):
        out.append([a[0], a[1], b[0], b[1]])
    if closed and len(points) > 2:
        out.append([points[-1][0], points[-1][1], points[0][0], points[0][1]])
    return out


def main(path):
    root = ET.parse(path).getroot()
    out = {"viewBox": numbers(root.get("viewBox")), "circles": [], "segments": [], "others": []}
    for layer in root.iter(SVG + "g"):
        if layer.get(INKSCAPE + "label") != "CUT":
            continue
        for element in layer.iter():
            tag = element.tag.replace(SVG, "")
            if tag == "g":
                continue
            if tag == "circle":
                out["circles"].append({"x": float(element.get("cx")), "y": float(element.get("cy")),
                                       "r": float(element.get("r"))})
            elif tag == "rect":
                x, y = float(element.get("x")), float(element.get("y"))
                w, h = float(element.get("width")), float(element.get("height"))
                out["segments"] += segments_of([(x, y), (x + w, y), (x + w, y + h), (x, y + h)], True)
            elif tag == "line":
                out["segments"].append([float(element.get(k)) for k in ("x1", "y1", "x2", "y2")])
            elif tag in ("polyline", "polygon"):
                values = numbers(element.get("points"))
                points = list(zip(values[0::2], values[1::2]))
                out["segments"] += segments_of(points, tag == "polygon")
            else:
                out["others"].append(tag)
    json.dump(out, sys.stdout)


if __name__ == "__main__":
    main(sys.argv[1])
