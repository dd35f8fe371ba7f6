#!/usr/bin/env python3
"""Bad input given to the real binary: empty, binary, foreign-encoded, huge and
malformed OBJ files. Each run must end with exit code 0 and the summary of what
it read, write an include file that keeps the output's rules, leave the OBJ
file's bytes as they were, and stay within memory bounded by the input's size."""
import hashlib
import os
import random
import shutil
import subprocess
import sys
import tempfile

MESHFOLD = os.environ["MESHFOLD"]
# Sanitizers multiply memory use, so bounds are only held against plain builds.
SANITIZED = os.environ.get("SANITIZED", "0") not in ("0", "", "OFF", "FALSE")
MB = 1 << 20

TITLE = "Meshfold 0.1  k.dorsel 11.21.23"
HEADER = ["//   k.dorsel 11.21.2023", ""]
EMPTY_TRIANGLE = "   smooth_triangle { , , , , ,  }"

failures = []


def check(name, condition, detail=""):
    if not condition:
        failures.append(name)
        print(f"FAILED: {name} {detail}".rstrip())


def run(path):
    """Converts path; returns exit code, message lines and peak RSS in bytes."""
    # GNU time forks the binary from a process of its own: a child forked from
    # this script would count the script's own memory in its peak.
    rss_file = os.path.join(WORK, "peak-rss")
    result = subprocess.run(["/usr/bin/time", "-f", "%M", "-o", rss_file, MESHFOLD], input=path.encode() + b"\n",
                            stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, timeout=120)
    with open(rss_file) as file:
        peak = int(file.read().split()[-1]) * 1024
    return result.returncode, result.stdout.decode("utf-8", "replace").split("\n"), peak


def count_kinds(data):
    """Vertex, normal and face lines of data, cut at LF, CR, CR LF and NUL."""
    counts = [0, 0, 0]
    for line in data.replace(b"\r\n", b"\n").replace(b"\r", b"\n").replace(b"\0", b"\n").split(b"\n"):
        if line.startswith(b"v "):
            counts[0] += 1
            line = line[2:]
        if line.startswith(b"vn "):
            counts[1] += 1
            line = line[3:]
        if line.startswith(b"f "):
            counts[2] += 1
    return counts


def include_lines(name, data, base, faces):
    """The include file's lines, after checking the frame every file has."""
    check(f"{name}: include file ends in CR LF", data.endswith(b"\r\n"))
    lines = data.decode("utf-8", "surrogateescape").split("\r\n")[:-1]
    check(f"{name}: no stray line ends", not any("\r" in line or "\n" in line for line in lines))
    expected_head = [f"//   smooth triangles from {base}.obj", f"//   face count: {faces}"] + HEADER + [
        f"#declare {base} = ", "   union {"]
    check(f"{name}: header", lines[:6] == expected_head, repr(lines[:6])[:300])
    check(f"{name}: closing brace", lines[-1:] == ["   }"])
    triangles = lines[6:-1]
    check(f"{name}: one triangle line per face", len(triangles) == faces, f"{len(triangles)} != {faces}")
    for line in triangles:
        if not (line.startswith("   smooth_triangle { ") and line.endswith(" }")):
            check(f"{name}: triangle line frame", False, line[:120])
            break
    return triangles


def convert(name, data, counts=None, triangles=None, memory_factor=3):
    """Converts data as <name>.obj and checks everything a run must keep to."""
    path = os.path.join(WORK, name + ".obj")
    with open(path, "wb") as file:
        file.write(data)
    before = hashlib.sha256(data).hexdigest()
    code, message, peak = run(path)
    counts = counts if counts is not None else count_kinds(data)
    check(f"{name}: exit code", code == 0, str(code))
    expected = [TITLE, f"{name}.inc created ", f"{counts[0]}  vertexs", f"{counts[1]}  vertex normals",
                f"{counts[2]}  faces", ""]
    check(f"{name}: message", message == expected, repr(message)[:300])
    with open(path, "rb") as file:
        check(f"{name}: OBJ file untouched", hashlib.sha256(file.read()).hexdigest() == before)
    include = os.path.join(WORK, name + ".inc")
    if os.path.exists(include):
        with open(include, "rb") as file:
            written = include_lines(name, file.read(), name, counts[2])
        if triangles is not None:
            check(f"{name}: triangle lines", written == triangles, repr(written)[:600])
        os.remove(include)
    else:
        check(f"{name}: include file written", False)
    bound = memory_factor * len(data) + 20 * MB
    if not SANITIZED:
        check(f"{name}: memory", peak <= bound, f"peak {peak / MB:.1f} MB > {bound / MB:.1f} MB")
    print(f"{name}: {len(data) / MB:.1f} MB in, peak RSS {peak / MB:.1f} MB")
    os.remove(path)


def triangle(*places):
    return "   smooth_triangle { " + ", ".join(places) + " }"


WORK = tempfile.mkdtemp()
if SANITIZED:
    print("SKIPPED: memory bounds, which a sanitizer build does not keep")
try:
    convert("empty", b"", [0, 0, 0], [])
    convert("line_ends_only", b"\n\r\n\r" * 1000, [0, 0, 0], [])
    convert("million_blank_lines", b"\n" * 1_000_000, [0, 0, 0], [])
    unit = "<1 , 2 , 3> "
    normal = "<0 , 0 , 1> "
    convert("no_final_line_end", b"v 1 2 3\nvn 0 0 1\nf 1//1 1//1 1//1", [1, 1, 1],
            [triangle(unit, normal, unit, normal, unit, normal)])
    convert("nul_bytes", b"v 1 2 3\0v 4 5 6\0\0f 1 2 3\n", [2, 0, 1], [EMPTY_TRIANGLE])
    convert("random_binary", random.Random(1234).randbytes(2 * MB))

    mesh = "v 1.0 2.0 3.0\r\nvn 0 0 1\r\nf 1//1 1//1 1//1\r\n"
    for encoding, bom in (("utf-16-le", b"\xff\xfe"), ("utf-16-le", b""), ("utf-16-be", b"\xfe\xff"),
                          ("utf-16-be", b"")):
        label = f"{encoding.replace('-', '_')}{'_bom' if bom else ''}"
        # Every other byte is a NUL, which ends a line: no line is a record.
        convert(label, bom + mesh.encode(encoding), [0, 0, 0], [])

    # One line of 50 MB: a vertex with millions of fields after z.
    convert("single_line_50mb", b"v 1.5 2.5 " + b"3.25 " * (10 * MB), [1, 0, 0], [])
    # A vertex of 20 MB, whole since it holds no '.', in every corner of a face.
    # Its line is held at once as bytes, as a text and as the stored vector
    # text, two bytes a character each; the triangle line adds nothing.
    wide = b"v 1 2 " + b"3 " * (10 * MB) + b"\nvn 0 0 1\nf 1//1 1//1 1//1\n"
    convert("face_of_a_20mb_vertex", wide, [1, 1, 1], memory_factor=6)
    blanks = b" " * 100_000
    convert("lines_of_blanks", (blanks + b"\n") * 20 + b"v 1.0 2.0" + blanks + b"3.0\nvn 0 0 1\nf 1//1 1//1 1//1\n",
            [1, 1, 1])

    one = "<1.0 , 2.0 , 3.0> "
    two = "<4.0 , 5.0 , 6.0> "
    normal = "<0 , 0 , 1> "
    indices = (b"f -1//-1 0//0 9223372036854775807//9223372036854775807\n"
               b"v 1.0 2.0 3.0\nv 4.0 5.0 6.0\nvn 0 0 1\n"
               b"f 18446744073709551617//1 999999999999999999999999999999//-1 $2//%1\n"
               b"f %10//$1 -2//-1 -9223372036854775808//1\n"
               b"f 4294967297//2 $//% -0//+1\n")
    convert("odd_face_indices", indices, [2, 1, 4], [
        EMPTY_TRIANGLE,
        triangle(one, normal, "", normal, two, normal),
        triangle(two, normal, one, normal, "", normal),
        triangle("", "", "", "", "", normal),
    ])

    every_kind = (b"# exported by a modeller\nmtllib scene.mtl\no Cube\ng body\ns 1\nusemtl red\n"
                  b"v 1.000000 1.000000 -1.000000\nvt 0.625 0.5\nvn 0.0000 1.0000 0.0000\nvp 0.1 0.2\n"
                  b"l 1 2\np 1\ncurv 0.0 1.0 1 2\nparm u 0.0 1.0\nend\ncstype bspline\n"
                  b"f 1/1/1 1/1/1 1/1/1\n\tv 9 9 9\nV 9 9 9\nvn\nf\n")
    corner = "<1.000, 1.000, -1.000> "
    up = "<0.000, 1.000, 0.000> "
    convert("every_kind_of_line", every_kind, [1, 1, 1], [triangle(corner, up, corner, up, corner, up)])

    many = b"".join(b"v %d 0 0\n" % k for k in range(1, 150_001)) + b"vn 0 0 1\nf 150000//1 120000//1 -1//1\n"
    last = "<150000 , 0 , 0> "
    convert("records_beyond_the_first_arrays", many, [150_000, 1, 1],
            [triangle(last, normal, "<120000 , 0 , 0> ", normal, last, normal)])
finally:
    shutil.rmtree(WORK, ignore_errors=True)

print(f"{len(failures)} failed")
sys.exit(1 if failures else 0)
