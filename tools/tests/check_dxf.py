"""Reads a DXF written by `quarnel outline --dxf` with ezdxf, an independent
reader: its audit must find no error and its entities must equal the outline
(from `quarnel outline --json`) within 1e-5. Usage: check_dxf.py OUTLINE.json FILE.dxf"""
import json
import math
import sys

import ezdxf

from outline_pieces import close, expected_pieces


def angle_close(a, b, tolerance=1e-5):
    difference = (a - b) % 360.0
    return min(difference, 360.0 - difference) <= tolerance


def main(outline_path, dxf_path):
    with open(outline_path) as f:
        expected = expected_pieces(json.load(f))
    doc = ezdxf.readfile(dxf_path)
    auditor = doc.audit()
    if auditor.has_errors:
        return "audit errors: " + "; ".join(str(e.message) for e in auditor.errors)
    entities = list(doc.modelspace())
    if len(entities) != len(expected):
        return f"{len(entities)} entities, the outline draws {len(expected)}"
    for n, (entity, piece) in enumerate(zip(entities, expected)):
        kind = entity.dxftype()
        if kind != piece["kind"].upper():
            return f"entity {n}: {kind}, expected {piece['kind']}"
        d = entity.dxf
        if kind == "LINE":
            ok = close((d.start.x, d.start.y), piece["start"]) and close((d.end.x, d.end.y), piece["end"])
        elif kind == "CIRCLE":
            ok = close((d.center.x, d.center.y), piece["centre"]) and close([d.radius], [piece["radius"]])
        else:
            # Counter-clockwise from start to end: a clockwise sweep runs from its end point.
            sweep = piece["sweep"]
            start = math.degrees(piece["startAngle"] + min(sweep, 0.0))
            ok = (close((d.center.x, d.center.y), piece["centre"]) and close([d.radius], [piece["radius"]])
                  and angle_close(d.start_angle, start)
                  and angle_close(d.end_angle, start + math.degrees(abs(sweep))))
        if not ok:
            return f"entity {n} ({kind}) differs from the outline"
    return None


if __name__ == "__main__":
    problem = main(sys.argv[1], sys.argv[2])
    if problem:
        print(f"{sys.argv[2]}: {problem}", file=sys.stderr)
        sys.exit(1)
