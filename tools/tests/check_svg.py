"""Checks an SVG written by `quarnel outline --svg`: xmllint parses it,
rsvg-convert renders it to PNG, it draws y up, and its path end points,
arc flags and circles match the outline (from `quarnel outline --json`).
Usage: check_svg.py OUTLINE.json FILE.svg PNG-OUT"""
import json
import math
import os
import re
import subprocess
import sys
import xml.etree.ElementTree as ET

from outline_pieces import close, expected_pieces

SVG = "{http://www.w3.org/2000/svg}"


def main(outline_path, svg_path, png_path):
    subprocess.run(["xmllint", "--noout", svg_path], check=True)
    subprocess.run(["rsvg-convert", "-o", png_path, svg_path], check=True)
    if os.path.getsize(png_path) == 0:
        return "rsvg-convert made an empty picture"
    with open(outline_path) as f:
        expected = expected_pieces(json.load(f))
    group = ET.parse(svg_path).getroot().find(f".//{SVG}g[@id='outline']")
    if group is None or group.get("transform") != "scale(1,-1)":
        return "no y-up outline group"
    drawn = [e for e in group if e.tag in (SVG + "path", SVG + "circle")]
    if len(drawn) != len(expected):
        return f"{len(drawn)} elements, the outline draws {len(expected)}"
    for n, (element, piece) in enumerate(zip(drawn, expected)):
        if element.tag == SVG + "circle":
            values = [float(element.get(k)) for k in ("cx", "cy", "r")]
            ok = piece["kind"] == "circle" and close(values, [*piece["centre"], piece["radius"]])
        else:
            d = element.get("d").split()
            numbers = [float(v) for v in re.findall(r"-?[0-9.]+(?:e-?[0-9]+)?", " ".join(d[1:3]))]
            if piece["kind"] == "line":
                ok = d[0] == "M" and d[3] == "L" and close(numbers, piece["start"]) and \
                    close([float(d[4]), float(d[5])], piece["end"])
            elif piece["kind"] == "arc":
                rx, ry, _, large, positive, ex, ey = d[4:11]
                sweep = piece["sweep"]
                ok = (d[3] == "A" and close(numbers, piece["start"])
                      and close([float(ex), float(ey)], piece["end"])
                      and close([float(rx), float(ry)], [piece["radius"]] * 2)
                      and large == ("1" if abs(sweep) > math.pi else "0")
                      and positive == ("1" if sweep > 0 else "0"))
            else:
                ok = False
        if not ok:
            return f"element {n} differs from the outline"
    return None


if __name__ == "__main__":
    problem = main(*sys.argv[1:4])
    if problem:
        print(f"{sys.argv[2]}: {problem}", file=sys.stderr)
        sys.exit(1)
