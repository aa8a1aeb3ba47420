#!/usr/bin/env python3
"""Reads an SVG file with Python's own XML parser and prints, as JSON, what its engrave layer
carries: every text (its characters, x, y and anchor) and every line, in the drawing's user
units. Usage: svg_engrave.py FILE"""

import json
import sys
import xml.etree.ElementTree as ET

SVG = "{http://www.w3.org/2000/svg}"
INKSCAPE = "{http://www.inkscape.org/namespaces/inkscape}"


def main(path):
    root = ET.parse(path).getroot()
    out = {"texts": [], "lines": []}
    for layer in root.iter(SVG + "g"):
        if layer.get(INKSCAPE + "label") != "ENGRAVE":
            continue
        for element in layer.iter():
            tag = element.tag.replace(SVG, "")
            if tag == "text":
                out["texts"].append({"text": "".join(element.itertext()), "x": float(element.get("x")),
                                     "y": float(element.get("y")), "anchor": element.get("text-anchor")})
            elif tag == "line":
                out["lines"].append([float(element.get(k)) for k in ("x1", "y1", "x2", "y2")])
    json.dump(out, sys.stdout)


if __name__ == "__main__":
    main(sys.argv[1])
