#!/usr/bin/env python3
"""An independent converter for the line forms of the benchmark sphere, used
to check that the fast build writes exactly the bytes it should.

    reference.py [--mesh2] input.obj output.inc

It handles "v x y z" and "vn x y z" with single blanks and decimals without
exponents, faces "f a//b ..." or "f a/b/c ...", and the scanner form: tabs
between fields, "v x y z r g b" (the colour is left out) and faces of plain
vertex indices "f a b c d", which is all that meshfold_sphere writes; anything
else stops it with an error rather than a wrong answer. A face of k corners
gives k - 2 triangles fanned from its first corner (the sphere's faces are
convex); a triangle whose corners do not all name a normal, or whose normals
POV-Ray would refuse, is a plain triangle of its vertices; one POV-Ray would
find without area (as at the spheres' poles) is left out with a comment. With --mesh2 it
writes the mesh2 of a mesh whose every face names normals (computed normals
are not reproduced: such a mesh stops it).
"""
import math
import os
import sys


def cut(field):
    """A coordinate field (with its separating blank) after the decimal cut."""
    point = field.find(b".")
    if point < 0:
        return field
    if b"e" in field or b"E" in field:
        raise SystemExit("reference.py: exponents are not handled")
    return field[: point + 4]


def vector(record):
    first = record.find(b" ")
    if first < 0:
        raise SystemExit("reference.py: a vector needs three fields")
    second = record.find(b" ", first + 1)
    if second < 0:
        raise SystemExit("reference.py: a vector needs three fields")
    x = cut(record[: first + 1])
    y = cut(record[first + 1 : second + 1])
    z = cut(record[second + 1 :])
    return b"<" + x + b", " + y + b", " + z + b"> "


def scanner_vector(record):
    """A tab-separated "x y z r g b" record, read as its first three fields."""
    fields = record.split(b"\t")
    if len(fields) != 6 or not all(fields):
        raise SystemExit("reference.py: a scanner vertex needs six fields, one tab apart")
    return vector(b" ".join(fields[:3]))


def corners(record):
    """(vertex, normal) numbers of the corners of a face record."""
    result = []
    for corner in record.split(b" "):
        parts = corner.split(b"/")
        if len(parts) != 3 or not parts[0].isdigit() or not parts[2].isdigit():
            raise SystemExit("reference.py: faces must be v//vn or v/vt/vn")
        result.append((int(parts[0]), int(parts[2])))
    return result


def scanner_corners(record):
    """(vertex, no normal) of the corners of a tab-separated face record."""
    fields = record.split(b"\t")
    if not all(field.isdigit() for field in fields):
        raise SystemExit("reference.py: scanner faces must be vertex indices, one tab apart")
    return [(int(field), 0) for field in fields]


def numbers(text):
    return [float(x) for x in text.strip(b"<> ").split(b",")]


def facing(texts):
    """POV-Ray's normal of a triangle: the cross product of the edges from its second corner."""
    p1, p2, p3 = (numbers(text) for text in texts)
    a, b = [x - y for x, y in zip(p1, p2)], [x - y for x, y in zip(p3, p2)]
    return (a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0])


def triangle(line, three, vertex, normal):
    """A triangle without area is left out; one whose normals POV-Ray would refuse (not all on one
    side of its plane) is written flat."""
    vertices = [vertex(v) for v, _ in three]
    n = facing(vertices)
    if math.sqrt(sum(x * x for x in n)) == 0:
        return b"   // face line %d: a triangle without area left out\r\n" % line
    if all(normal(k) for _, k in three):
        sides = [sum(x * y for x, y in zip(n, numbers(normal(k)))) for _, k in three]
        if all(side > 0 for side in sides) or all(side < 0 for side in sides):
            parts = [text for v, k in three for text in (vertex(v), normal(k))]
            return b"   smooth_triangle { " + b", ".join(parts) + b" }\r\n"
    return b"   triangle { " + b", ".join(vertices) + b" }\r\n"


def exact(record):
    """A vector record with every digit, as a mesh2 keeps it."""
    fields = record.replace(b"\t", b" ").split(b" ")
    return b"<" + b",".join(fields[:3]) + b">"


def write_block(inc, name, entries):
    inc.write(b"  %s {\r\n    %d,\r\n" % (name, len(entries)))
    inc.write(b",\r\n".join(b"    " + entry for entry in entries) + b"\r\n  }\r\n")


def write_mesh2(target, base, vertices, normals, faces):
    triangles = [(face[0], face[i], face[i + 1]) for face in faces for i in range(1, len(face) - 1)]
    if not all(0 < n < len(normals) for three in triangles for _, n in three):
        raise SystemExit("reference.py: a mesh2 needs a normal at every corner")
    with open(target, "wb") as inc:
        inc.write(b"//   mesh2 from %s.obj\r\n//   triangle count: %d\r\n\r\n" % (base, len(triangles)))
        inc.write(b"#declare " + base + b" = \r\nmesh2 {\r\n")
        write_block(inc, b"vertex_vectors", vertices[1:])
        write_block(inc, b"normal_vectors", normals[1:])
        for name, part in ((b"face_indices", 0), (b"normal_indices", 1)):
            write_block(inc, name, [b"<%d,%d,%d>" % tuple(corner[part] - 1 for corner in three) for three in triangles])
        inc.write(b"}\r\n")


def main():
    mesh2 = sys.argv[1] == "--mesh2"
    source, target = sys.argv[1 + mesh2], sys.argv[2 + mesh2]
    read_vector = exact if mesh2 else vector
    vertices = [b""]
    normals = [b""]
    faces = []
    with open(source, "rb") as obj:
        for number, line in enumerate(obj, 1):
            line = line.rstrip(b"\r\n")
            if line.startswith(b"v "):
                vertices.append(read_vector(line[2:]))
            elif line.startswith(b"vn "):
                normals.append(read_vector(line[3:]))
            elif line.startswith(b"f "):
                faces.append((number, corners(line[2:])))
            elif line.startswith(b"v\t"):
                vertices.append(exact(line[2:]) if mesh2 else scanner_vector(line[2:]))
            elif line.startswith(b"f\t"):
                faces.append((number, scanner_corners(line[2:])))

    def vertex(n):
        return vertices[n] if 0 < n < len(vertices) else b""

    def normal(n):
        return normals[n] if 0 < n < len(normals) else b""

    base = os.path.basename(source)[:-4].encode()
    if mesh2:
        return write_mesh2(target, base, vertices, normals, [face for _, face in faces])
    with open(target, "wb") as inc:
        inc.write(b"//   smooth triangles from " + base + b".obj\r\n")
        inc.write(b"//   face count: %d\r\n" % len(faces))
        inc.write(b"//   k.dorsel 11.21.2023\r\n\r\n")
        inc.write(b"#declare " + base + b" = \r\n   union {\r\n")
        lines = []
        for number, face in faces:
            if len(face) < 3:
                raise SystemExit("reference.py: faces of fewer than three corners are not handled")
            for second in range(1, len(face) - 1):
                lines.append(triangle(number, (face[0], face[second], face[second + 1]), vertex, normal))
            if len(lines) >= 65536:
                inc.write(b"".join(lines))
                lines.clear()
        inc.write(b"".join(lines))
        inc.write(b"   }\r\n")


if __name__ == "__main__":
    main()
