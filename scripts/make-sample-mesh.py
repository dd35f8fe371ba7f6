#!/usr/bin/env python3
"""Writes the sample mesh: a torus with a vertex normal at every vertex, so
that POV-Ray's smooth triangles shade it without facets.

usage: make-sample-mesh.py [OUTPUT]   (default: testdata/sample/donut.obj)
"""
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


def write(out):
    out.write("# torus, %d x %d quads split into triangles, with vertex normals\n" % (RING_STEPS, TUBE_STEPS))
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
            out.write("f %d//%d %d//%d %d//%d\n" % (a, a, b, b, c, c))
            out.write("f %d//%d %d//%d %d//%d\n" % (a, a, c, c, d, d))


if __name__ == "__main__":
    with open(sys.argv[1] if len(sys.argv) > 1 else "testdata/sample/donut.obj", "w", newline="\n") as out:
        write(out)
