#!/usr/bin/env python3
"""Writes the sample meshes: a torus with a vertex normal at every vertex, so
that POV-Ray's smooth triangles shade it without facets; and the same torus
iced, on a plate: three materials in an MTL file beside it, two groups.

usage: make-sample-mesh.py [OUTPUT]          (default: testdata/sample/donut.obj)
       make-sample-mesh.py --iced [OUTPUT]   (default: testdata/sample/iced.obj, and iced.mtl beside it)
"""
import os
import math
import sys

RING_STEPS = 40  # around the hole
TUBE_STEPS = 20  # around the tube
RING_RADIUS = 1.0
TUBE_RADIUS = 0.4


def number(value):
    # "-0.0000" would read as zero all the same; it only looks untidy.
    text = "%.4f" % value
    return "0.0000" if text == "-0.0000" else text


MATERIALS = """# the iced donut's materials
newmtl dough
Kd 0.820000 0.520000 0.240000
Ks 0.100000 0.100000 0.100000
Ns 10.000000
illum 2

newmtl icing
Kd 0.950000 0.450000 0.650000
Ks 0.600000 0.600000 0.600000
Ns 80.000000
illum 2

newmtl china
Kd 0.900000 0.920000 0.950000
Ks 0.800000 0.800000 0.800000
Ns 200.000000
illum 2
"""
PLATE_STEPS = 48


def write(out, iced=False):
    if iced:
        out.write("# an iced torus on a plate: the icing on its top half\nmtllib iced.mtl\no donut\n")
        return write_iced(out)
    out.write("# torus, %d x %d quads split into triangles, with vertex normals\n" % (RING_STEPS, TUBE_STEPS))
    write_torus(out, False, {})


def write_torus(out, iced, faces):
    for i in range(RING_STEPS):
        around = 2 * math.pi * i / RING_STEPS
        for j in range(TUBE_STEPS):
            tube = 2 * math.pi * j / TUBE_STEPS
            normal = (math.cos(tube) * math.cos(around), math.sin(tube), math.cos(tube) * math.sin(around))
            centre = (RING_RADIUS * math.cos(around), 0.0, RING_RADIUS * math.sin(around))
            point = [c + TUBE_RADIUS * n for c, n in zip(centre, normal)]
            out.write("v %s %s %s\n" % tuple(map(number, point)))
            out.write("vn %s %s %s\n" % tuple(map(number, normal)))
    for i in range(RING_STEPS):
        for j in range(TUBE_STEPS):
            a = i * TUBE_STEPS + j + 1
            b = ((i + 1) % RING_STEPS) * TUBE_STEPS + j + 1
            c = ((i + 1) % RING_STEPS) * TUBE_STEPS + (j + 1) % TUBE_STEPS + 1
            d = i * TUBE_STEPS + (j + 1) % TUBE_STEPS + 1
            if iced:
                faces.setdefault("icing" if math.sin(2 * math.pi * (j + 0.5) / TUBE_STEPS) > 0.15 else "dough",
                                 []).append("f %d//%d %d//%d %d//%d %d//%d\n" % (a, a, b, b, c, c, d, d))
                continue
            out.write("f %d//%d %d//%d %d//%d\n" % (a, a, b, b, c, c))
            out.write("f %d//%d %d//%d %d//%d\n" % (a, a, c, c, d, d))
    for material, lines in faces.items():
        out.write("usemtl %s\n" % material)
        out.writelines(lines)


def write_iced(out):
    faces = {}
    write_torus(out, True, faces)
    # The plate: one convex polygon of many corners, beneath the donut.
    out.write("o plate\n")
    for k in range(PLATE_STEPS):
        angle = 2 * math.pi * k / PLATE_STEPS
        out.write("v %s -0.4000 %s\n" % (number(1.8 * math.cos(angle)), number(1.8 * math.sin(angle))))
    out.write("vn 0.0000 1.0000 0.0000\nusemtl china\nf %s\n" % " ".join(
        "%d//%d" % (-k, RING_STEPS * TUBE_STEPS + 1) for k in range(1, PLATE_STEPS + 1)))


if __name__ == "__main__":
    iced = sys.argv[1:2] == ["--iced"]
    arguments = sys.argv[1 + iced:]
    target = arguments[0] if arguments else "testdata/sample/%s.obj" % ("iced" if iced else "donut")
    with open(target, "w", newline="\n") as out:
        write(out, iced)
    if iced:
        with open(os.path.join(os.path.dirname(target), "iced.mtl"), "w", newline="\n") as out:
            out.write(MATERIALS)
