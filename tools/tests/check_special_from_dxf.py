"""Checks that an outline (from `quarnel outline --json`) holds exactly the
pieces of a DXF drawing as ezdxf reads it: lines by their end points, arcs by
centre, radius and end points, circles as full turns. Points agree within 1e-5
(relative beyond 1). Usage: check_special_from_dxf.py DRAWING.dxf OUTLINE.json [LAYER]"""
import json
import math
import sys

import ezdxf

from outline_pieces import expected_pieces


def near(a, b):
    return all(abs(u - v) <= 1e-5 * max(1.0, abs(u), abs(v)) for u, v in zip(a, b))


def drawing_pieces(path, layer):
    pieces = []
    entities = []
    for e in ezdxf.readfile(path).modelspace():
        if layer is not None and e.dxf.layer != layer:
            continue
        entities.extend(e.virtual_entities() if e.dxftype() in ("LWPOLYLINE", "POLYLINE") else [e])
    for e in entities:
        kind = e.dxftype()
        if kind == "LINE":
            pieces.append({"kind": "line", "ends": (tuple(e.dxf.start)[:2], tuple(e.dxf.end)[:2])})
        elif kind in ("ARC", "CIRCLE"):
            ocs = e.ocs()
            centre = tuple(ocs.to_wcs(e.dxf.center))[:2]
            piece = {"kind": "circle" if kind == "CIRCLE" else "arc", "centre": centre, "radius": e.dxf.radius}
            if kind == "ARC":
                piece["ends"] = (tuple(e.start_point)[:2], tuple(e.end_point)[:2])
            pieces.append(piece)
        else:
            raise SystemExit("unexpected entity in the drawing: " + kind)
    return pieces


def same(drawn, got):
    if drawn["kind"] != got["kind"]:
        return False
    if drawn["kind"] == "line":
        ends = (got["start"], got["end"])
    else:
        if not near(drawn["centre"], got["centre"]) or abs(drawn["radius"] - got["radius"]) > 1e-5 * max(1, drawn["radius"]):
            return False
        if drawn["kind"] == "circle":
            return True
        ends = (got["start"], got["end"])
    a, b = drawn["ends"]
    return (near(a, ends[0]) and near(b, ends[1])) or (near(a, ends[1]) and near(b, ends[0]))


def main(drawing, outline_json, layer=None):
    drawn = drawing_pieces(drawing, layer)
    with open(outline_json) as f:
        got = expected_pieces(json.load(f))
    if len(drawn) != len(got):
        raise SystemExit("%d pieces drawn, %d in the outline" % (len(drawn), len(got)))
    unused = list(got)
    for piece in drawn:
        match = next((g for g in unused if same(piece, g)), None)
        if match is None:
            raise SystemExit("no outline piece for %r" % (piece,))
        unused.remove(match)


if __name__ == "__main__":
    main(*sys.argv[1:])
