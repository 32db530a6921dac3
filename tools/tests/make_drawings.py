"""Writes the DXF drawings that the create-special tests read, with ezdxf (an
independent DXF writer). Usage: make_drawings.py FOLDER"""
import math
import os
import sys

import ezdxf


def outline_entities(msp, lwpolylines=True):
    msp.add_line((0, 0), (40, 0))
    msp.add_arc((20, 10), 6, 300, 60)  # crosses 0 degrees
    msp.add_circle((5, 5), 1.5)
    if lwpolylines:
        # bulges of both signs, closed
        msp.add_lwpolyline([(50, 0, 0, 0, 0.4), (60, 0, 0, 0, -0.7), (60, 10, 0, 0, 0), (50, 10, 0, 0, 1)],
                           format="xyseb", close=True)
    poly = msp.add_polyline2d([(70, 0), (80, 0), (80, 8), (70, 8)], close=True)
    poly.vertices[0].dxf.bulge = -0.5
    poly.vertices[2].dxf.bulge = 0.25


def main(folder):
    doc = ezdxf.new("R2010")
    msp = doc.modelspace()
    outline_entities(msp)
    msp.add_line((1000, 1000), (1001, 1000), dxfattribs={"layer": "OTHER"})
    msp.add_arc((0, -20), 4, 10, 100, dxfattribs={"extrusion": (0, 0, -1)})  # seen from below
    doc.saveas(os.path.join(folder, "mixed.dxf"))
    doc.saveas(os.path.join(folder, "binary.dxf"), fmt="bin")
    with open(os.path.join(folder, "mixed.dxf"), "rb") as whole:
        data = whole.read()
    with open(os.path.join(folder, "truncated.dxf"), "wb") as cut:
        cut.write(data[: len(data) * 2 // 3])

    old = ezdxf.new("R12")
    outline_entities(old.modelspace(), lwpolylines=False)
    old.saveas(os.path.join(folder, "r12.dxf"))

    new = ezdxf.new("R2018")
    outline_entities(new.modelspace())
    new.saveas(os.path.join(folder, "r2018.dxf"))

    spline = ezdxf.new("R2010")
    spline.modelspace().add_line((0, 0), (1, 0))
    spline.modelspace().add_spline([(0, 0), (1, 1), (2, 0), (3, 1)])
    spline.saveas(os.path.join(folder, "spline.dxf"))

    ezdxf.new("R2010").saveas(os.path.join(folder, "empty.dxf"))

    shapes = ezdxf.new("R2010")
    m = shapes.modelspace()
    m.add_lwpolyline([(0, 0), (10, 0), (10, 4), (0, 4)], close=True)
    m.add_lwpolyline([(20, 0, 0, 0, 0), (28, 0, 0, 0, 1), (28, 4, 0, 0, 0), (20, 4, 0, 0, 1)],
                     format="xyseb", close=True)
    b = math.tan(math.pi / 8)
    m.add_lwpolyline([(41, 0, 0, 0, 0), (49, 0, 0, 0, b), (50, 1, 0, 0, 0), (50, 5, 0, 0, b),
                      (49, 6, 0, 0, 0), (41, 6, 0, 0, b), (40, 5, 0, 0, 0), (40, 1, 0, 0, b)],
                     format="xyseb", close=True)
    m.add_lwpolyline([(60, 0), (70, 0), (70, 4), (61, 4)], close=True)  # not a rectangle
    shapes.saveas(os.path.join(folder, "shapes.dxf"))


if __name__ == "__main__":
    main(sys.argv[1])
