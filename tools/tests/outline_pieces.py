"""The pieces that a drawing of an outline must hold, computed from the
outline JSON of `quarnel outline --json` on their own: lines by their end
points, arcs by centre, radius and signed sweep, full turns as circles;
arcs of zero radius or zero sweep draw nothing, and an entity that coincides
with an earlier one is drawn once."""
import math

FULL_TURN_TOLERANCE = 1e-5


def expected_pieces(outline):
    pieces = []
    for e in outline["entities"]:
        if e.get("coincidesWith") is not None:
            continue
        values = [e["x"], e["y"]] + e["p"]
        if any(v is None or not math.isfinite(v) for v in values):
            continue
        x, y, p = e["x"], e["y"], e["p"]
        if e["typeCode"] == 4:
            pieces.append({"kind": "line", "start": (x, y), "end": (x + p[0], y + p[1])})
        elif e["typeCode"] == 5:
            radius, start, sweep = p[0], p[1], p[2]
            if radius == 0 or sweep == 0:
                continue
            if abs(sweep) >= 2 * math.pi - FULL_TURN_TOLERANCE:
                pieces.append({"kind": "circle", "centre": (x, y), "radius": abs(radius)})
                continue
            point = lambda a: (x + radius * math.cos(a), y + radius * math.sin(a))
            pieces.append({"kind": "arc", "centre": (x, y), "radius": abs(radius),
                           "start": point(start), "end": point(start + sweep), "sweep": sweep,
                           "startAngle": start + (math.pi if radius < 0 else 0.0)})
    return pieces


def close(a, b, tolerance=1e-5):
    return all(abs(u - v) <= tolerance for u, v in zip(a, b))
