#!/usr/bin/env python3
"""Drives the real Meshfold program as a user, a script or a desktop would: a table of
cases per group, each in a fresh folder, include files compared byte for byte with
testdata/meshes. Exits 0 when all passed, 1 on a failure, 77 (skipped) without tools."""
import argparse, glob, math, os, pwd, random, re, shlex, shutil, subprocess, sys, tempfile, time  # noqa: E401
from pathlib import Path

parser = argparse.ArgumentParser()
for option in "group meshfold testdata artifacts objdump wine-run wineprefix hold-file sanitized native".split():
    parser.add_argument("--" + option, default="", required=option in ("group", "meshfold", "testdata"))
ARGS = parser.parse_args()
ARGS.meshfold, MESHES = os.path.abspath(ARGS.meshfold), os.path.abspath(os.path.join(ARGS.testdata, "meshes"))
ARTIFACTS = ARGS.artifacts or tempfile.mkdtemp()
MB, SANITIZED = 1 << 20, ARGS.sanitized in ("1", "ON")  # sanitizers multiply memory use: no bounds then
NAME, OPEN, ASK = "Meshfold 0.1  k.dorsel 11.21.23", "open obj file", "file name [file.obj]: "
PROMPT = OPEN + "\n * obj (*.obj)  *.obj\n" + ASK
NOT_OPENED, NOT_WRITTEN = "could not be opened: ", "could not be written: "
SAME, IN_USE = "would replace the chosen file; nothing was written", "The file is in use by another program"
ABSENT, UNCHANGED, tally = "<absent>", "<unchanged>", {"passed": 0, "failed": 0}
USAGE = """usage: meshfold [OPTION...] [FILE.obj...]
Converts each Wavefront OBJ file into a POV-Ray include file beside it,
named after it with the extension .inc: a union of smooth triangles, or
with --mesh2 a mesh2. Without files, asks for one in a file-open dialog.
  --mesh2            write a mesh2: every vector once with all its digits,
                     texture coordinates when every corner has one, the
                     materials of the MTL files and the vertex colours
  --normals=file     the file's normals, computed where a face has none
  --normals=compute  computed normals only
  --normals=none     no normals: flat triangles
  --crease DEGREES   edges sharper than this stay sharp (default 60);
                     a file's smoothing groups (s lines) decide instead
  --groups           with --mesh2, each o or g group a mesh2 of its own
  --scene            also write NAME.pov, a scene that renders the model
  --up y|z           with --scene, the axis the file has up: y (the default,
                     front toward +Z) or z (front toward -Y)
  --help             show this help and exit
  --version          show the version and exit
  --desktop          show the outcome in a message box, not on the terminal
  --                 every later argument is a file name\n"""


def show(value):
    text = value.decode("utf-8", "backslashreplace") if isinstance(value, bytes) else str(
        value.__doc__ if callable(value) else value)
    return text if len(text) <= 1500 else f"{text[:1500]}... ({len(text)} characters)"


def verdict(name, ok, expected, actual):
    tally["passed" if ok else "failed"] += 1
    if not ok:
        print(f"FAILED: {name}\n--- expected\n{show(expected)}\n--- actual\n{show(actual)}", flush=True)
    return ok


def check(name, expected, actual):
    try:
        ok = expected(actual) if callable(expected) else expected == actual
    except (LookupError, ValueError, TypeError, ZeroDivisionError):  # output a check cannot read fails it
        ok = False
    if not ok and isinstance(expected, (bytes, str)) and type(actual) is type(expected):  # show the difference
        at = max(0, next((i for i, (a, b) in enumerate(zip(expected, actual)) if a != b), len(actual)) - 200)
        name, expected, actual = f"{name} (shown from offset {at})", expected[at:], actual[at:]
    return verdict(name, ok, expected, actual)


def skip(why):
    sys.exit(print(f"SKIPPED: {why}") or 77)


def fs(text):
    return text.encode("utf-8", "surrogateescape")


def read(path):
    try:
        return Path(path).read_bytes()
    except PermissionError:  # a mode 000 file, when not run as root
        os.chmod(path, 0o600)
        return read(path)


def gold(name, base=None, declared=None):
    """A golden file; an include file from base, declaring declared (base when valid), instead of its own name."""
    data, old = read(os.path.join(MESHES, name)), name[:-4]
    for text, new in (("from {}.obj", base), ("#declare {} ", declared or base)) if base else ():
        data = data.replace(fs(text.format(old)), fs(text.format(new)))
    return data


def summary(base, vertices, normals, faces):
    return f"{base}.inc created \n{vertices}  vertexs\n{normals}  vertex normals\n{faces}  faces\n"


def include(base, triangles):
    head = [f"//   smooth triangles from {base}.obj", f"//   face count: {len(triangles)}", "//   k.dorsel 11.21.2023"]
    return fs("".join(line + "\r\n" for line in [*head, "", f"#declare {base} = ", "   union {", *triangles, "   }"]))


def triangle(*places):
    return "   smooth_triangle { " + ", ".join(places) + " }"


TRI = summary("tri", 3, 1, 1)


def calls(program, title, text):
    """What the dialog program was asked, an argument a line, as the recording stand-ins keep it."""
    words = ["--file-selection", f"--title={OPEN}", "--filename=<W>/file.obj", "--file-filter=obj (*.obj) | *.obj",
             "--info", f"--title={title}", f"--text={text}", "--no-markup"] if program == "zenity" else [
        "--title", OPEN, "--getopenfilename", "<W>/file.obj", "*.obj|obj (*.obj)", "--title", title, "--msgbox", text]
    return "".join(f"[{word}]\n" for word in words)


def described(doc, fits):  # a check, shown by what it accepts
    fits.__doc__ = doc
    return fits


def framed(base, faces):
    head = include(base, [""] * faces)[:-len(b"\r\n" * faces + b"   }\r\n")]
    return described(f"{base}.inc with its frame and {faces} triangle lines", lambda data: data.startswith(head) and (
        body := data[len(head):].split(b"\r\n"))[-2:] == [b"   }", b""] and len(body) == faces + 2 and all(
        re.fullmatch(rb"   smooth_triangle \{ [^\r\n]* \}", line) for line in body[:-2]))


def case(name, setup="", args=(), stdin="", code=0, out=None, err=None, files=None, env=None, wrap="",
         needs="", steps=(), memory=0):
    """One row: set-up (shell commands, or {file: bytes}); the program run with args and stdin after wrap (shell
    words), answered through the window steps; what it must give (None: unchecked). <W>, <Z>: its folder, for wine."""
    return dict(locals())


def fault(name, answer, reason, **row):  # the include file is named when it is the one at fault
    shown = answer if reason.startswith(NOT_OPENED) else answer[:-4] + ".inc"
    return case(name, stdin=f"<W>/{answer}\n", out=f"{NAME}\n<W>/{shown}\n{reason}\n", **row)


def privilege(needs):
    """The command words a case runs under, or None and why it cannot run."""
    root = os.geteuid() == 0
    if needs == "nobody" and root:  # permission faults show to others only
        user = next((user for user in pwd.getpwall() if user.pw_name == "nobody"), None)
        return (["setpriv", f"--reuid={user.pw_uid}", f"--regid={user.pw_gid}", "--clear-groups"], "") if user and \
            shutil.which("setpriv") else (None, "running as root without the user nobody or setpriv")
    if needs == "root" and not (root and subprocess.run(["unshare", "--mount", "true"]).returncode == 0):
        return None, "needs root and a private mount namespace"
    return [], ""


def xdo(*words):
    return subprocess.run(["xdotool", *words], capture_output=True, text=True, timeout=30).stdout


def drive(label, step, sub, seconds):
    """Finds the window titled step[0] and sends it the rest of the step: keys
    and typed text by turns. No window manager runs: the focus is set directly."""
    title, *items = step
    deadline, window = time.time() + seconds, ""
    while not window and time.time() < deadline:
        window = xdo("search", "--onlyvisible", "--name", "^" + re.escape(title) + "$").split()
        time.sleep(0.3)
    if not verdict(f"{label}: window '{title}'", bool(window), "shown", "not shown"):
        return False
    time.sleep(1)
    if shutil.which("import"):
        shot = re.sub(r"\W+", "-", f"{label}-{title}").strip("-").lower()
        subprocess.run(["import", "-window", "root", f"{ARTIFACTS}/{shot}.png"], stderr=subprocess.DEVNULL, timeout=30)
    xdo("windowfocus", "--sync", window[0])
    for number, item in enumerate(items):
        time.sleep(0.5)
        xdo(*(["type", "--delay", "30", sub(item)] if number % 2
              else ["key", "--clearmodifiers", *item.split()]))
    return True


def run_cases(cases, program=None, env=None, seconds=30):
    base = tempfile.mkdtemp(prefix="meshfold-e2e-")
    os.chmod(base, 0o755)
    if not program:  # a copy of the program that the user nobody may run too
        program = [shutil.copy(ARGS.meshfold, base)]
        os.chmod(program[0], 0o755)
    if SANITIZED and any(row["memory"] for row in cases):
        print("SKIPPED: memory bounds, which a sanitizer build does not keep")
    try:
        for number, row in enumerate(cases, 1):
            prefix, why = privilege(row["needs"])
            if prefix is None:
                print(f"SKIPPED: {row['name']}: {why}")
            else:
                run_case(f"{number:02d}", row, prefix + program, env or {}, seconds, base)
    finally:
        subprocess.run(["chmod", "-R", "u+rwX", base])
        shutil.rmtree(base, ignore_errors=True)


def run_case(number, row, program, env, seconds, base):
    label, work = row["name"], os.path.join(base, number)
    wine = "Z:" + work.replace("/", "\\")
    os.mkdir(work)
    os.chmod(work, 0o755)

    def sub(text):
        return text.replace("<W>", work).replace("<Z>", wine) if isinstance(text, str) else text

    if isinstance(row["setup"], dict):
        for name, data in row["setup"].items():
            Path(work, name).write_bytes(data)
    elif subprocess.run(["bash", "-ec", row["setup"]], cwd=work, env={**os.environ, "M": MESHES}).returncode:
        return verdict(f"{label}: set-up", False, "done", "failed")
    files = {name: e if e in (ABSENT, UNCHANGED) else fs(sub(e)) if isinstance(e, str) else e
             for name, e in (row["files"] or {}).items()}
    files |= {name: read(os.path.join(work, name)) for name, e in files.items() if e == UNCHANGED}
    measure = row["memory"] and not SANITIZED
    Path(work + ".in").write_bytes(fs(sub(row["stdin"])))
    run_env = {**os.environ, **env, **{key: sub(value) for key, value in (row["env"] or {}).items()}}
    # GNU time measures the program alone, not this script as well.
    process = subprocess.Popen(["/bin/bash", "-c", sub(row["wrap"]) + ' "$@" <"$0.in" >"$0.out" 2>"$0.err"', work, *(
        ["/usr/bin/time", "-f", "%M", "-o", work + ".rss"] if measure else []), *program, *map(sub, row["args"])],
        cwd=work, start_new_session=True, env={key: value for key, value in run_env.items() if value is not None})
    for step in row["steps"]:
        if not drive(f"{number}-{label}", step, sub, seconds):
            break
    try:
        code = process.wait(timeout=max(seconds, 120))
    except subprocess.TimeoutExpired:
        os.killpg(process.pid, 9)
        code = "still running, killed"
    check(f"{label}: exit code", row["code"], code)
    for stream in ("out", "err"):
        if row[stream] is not None:
            check(f"{label}: standard {stream}put", sub(row[stream]), read(f"{work}.{stream}").decode(
                "utf-8", "surrogateescape"))
    for name, expected in files.items():
        path = os.path.join(work, name)
        check(f"{label}: {name}", expected, read(path) if os.path.isfile(path) else ABSENT if not os.path.lexists(
            path) else "<not a file>")
    if measure:
        size, peak = sum(map(len, row["setup"].values())) / MB, int(read(work + ".rss").split()[-1]) / 1024
        bound = row["memory"] * size + 20
        verdict(f"{label}: peak memory, {size:.1f} MB in", peak <= bound, f"at most {bound:.1f} MB", f"{peak:.1f} MB")


# Dialog mode without a desktop: the path answered on standard input, the prompt on standard error, the message
# on standard output. With a display, kdialog when zenity is missing: a stand-in that records what it is asked.
def stand_in(program):
    return f"""cp $M/tri.obj .; mkdir bin; cat >bin/{program} <<'X'; chmod +x bin/{program}
#!/bin/sh
printf '[%s]\\n' "$@" >>calls
case "$*" in *--getopenfilename*|*--file-selection*) [ -e cancel ] && exit 1; echo "$PWD/tri.obj"
  [ ! -e killed ] || kill -9 $$;; esac
X
"""


KDIALOG, ZENITY_STAND_IN = stand_in("kdialog"), stand_in("zenity")
# What the program's process image started with, not what it later set: /proc keeps the first.
TELL_TUNABLES = """sed -i '2i command -p tr "\\\\000" "\\\\n" </proc/$PPID/environ | command -p grep -a ^GLIBC_TUNABLES= >tunables' bin/zenity\n"""
# Where the kernel gives large pages only when asked, glibc is told to ask.
THP = Path("/sys/kernel/mm/transparent_hugepage/enabled")
ASKED = "glibc.malloc.hugetlb=1" if THP.exists() and "[madvise]" in THP.read_text() else ""
TERMINAL = [
    *(case(f"a path ended by {end!r}", setup="cp $M/tri.obj .", stdin=f"<W>/tri.obj{end}", out=NAME + "\n" + TRI,
           err=PROMPT + "<W>/tri.obj\n", files={"tri.inc": gold("tri.inc"), "tri.obj": gold("tri.obj")})
      for end in ("\n", "\r\n")),
    case("an empty line takes the preset", setup="cp $M/mac.obj file.obj", stdin="\n", err=PROMPT + "\n",
         out=NAME + "\n" + summary("file", 3, 1, 1), files={"file.inc": gold("mac.inc", "file")}),
    # With a display but no dialog program, the terminal is asked.
    case("refused answers are asked again", setup="cp $M/tri.obj .; mkdir folder.obj",
         env={"DISPLAY": ":0", "WAYLAND_DISPLAY": "wayland-0", "PATH": "<W>/none"},
         stdin="<W>/no/x.obj\nfolder.obj\ntri.obj\n", out=NAME + "\n" + TRI,
         err=PROMPT + "<W>/no/x.obj\n<W>/no/x.obj: the folder does not exist\n" + ASK
         + "folder.obj\n<W>/folder.obj: this is a folder, not a file\n" + ASK + "tri.obj\n",
         files={"folder.inc": ABSENT, "tri.inc": gold("tri.inc")}),
    case("a file in the root folder", stdin="/meshfold-none.obj\n", err=PROMPT + "/meshfold-none.obj\n",
         out=f"{NAME}\n/meshfold-none.obj\n{NOT_OPENED}No such file or directory\n"),
    case("end of input cancels", out="Info:\ncanceled\n", err=PROMPT + "\n"),
    case("kdialog", setup=KDIALOG, env={"DISPLAY": ":0", "PATH": "<W>/bin"}, out="", err="",
         files={"tri.inc": gold("tri.inc"), "calls": calls("kdialog", NAME, TRI[:-1])}),
    case("kdialog cancelled", setup=KDIALOG + "touch cancel", env={"WAYLAND_DISPLAY": "w", "PATH": "<W>/bin"},
         out="", files={"calls": calls("kdialog", "Info:", "canceled"), "tri.inc": ABSENT}),
    case("zenity, found before kdialog", setup=ZENITY_STAND_IN + "cp bin/zenity bin/kdialog; touch cancel",
         env={"DISPLAY": ":0", "PATH": "<W>/bin"}, out="", files={"calls": calls("zenity", "Info:", "canceled")}),
    case("a dialog program that dies has chosen nothing", setup=ZENITY_STAND_IN + "touch killed",
         env={"DISPLAY": ":0", "PATH": "<W>/bin"}, out="", files={"tri.inc": ABSENT}),
    # The dialog program inherits the environment the program ran with after starting itself again.
    *(case(f"large pages asked for, {told or 'unless told'}", setup=ZENITY_STAND_IN + TELL_TUNABLES, out="",
           env={"DISPLAY": ":0", "PATH": "<W>/bin", "GLIBC_TUNABLES": told}, files={
               "tri.inc": gold("tri.inc"), "tunables": f"GLIBC_TUNABLES={told or ASKED}\n" if told or ASKED else ""})
      for told in (None, "glibc.malloc.hugetlb=0")),
    case("misuse told in a box for the desktop", setup=ZENITY_STAND_IN, args=["--desktop", "-x"], code=2, out="",
         env={"DISPLAY": ":0", "PATH": "<W>/bin"}, err="", files={"calls": "".join(f"[{word}]\n" for word in (
             "--info", "--title=Meshfold", "--text=unknown option -x\n\n" + USAGE[:-1], "--no-markup"))}),
]

# Files on the command line: summaries on standard output, failures on standard
# error, exit code 1 unless every file converted; standard input is not read.
GOLDEN = {"tri": (3, 1, 1), "cube": (8, 6, 12), "mac": (3, 1, 1), "odd": (3, 2, 9), "textured": (4, 1, 2),
          "normals": (4, 4, 4), "relative": (4, 2, 2), "scientific": (3, 1, 1), "blanks": (4, 2, 2), "flat": (4, 1, 4),
          "polygons": (12, 2, 3), "missing": (3, 1, 6), "bom": (3, 1, 1), "utf16": (4, 1, 1), "my-model": (3, 1, 1),
          "box": (3, 1, 1), "3d-mix": (5, 1, 6)}
LATIN1 = "m\udce9sh"
COMMAND_LINE = [
    case("every golden mesh, relative and absolute", setup="cp $M/*.obj .; mkdir sub; cp $M/tri.obj sub/",
         args=["<W>/tri.obj", "sub/tri.obj", *(f"{name}.obj" for name in list(GOLDEN)[1:])],
         stdin="<W>/stdin.obj\n", err="", out=TRI + "".join(
             summary(name, *counts) for name, counts in GOLDEN.items()),
         files={f"{name}.inc": gold(f"{name}.inc") for name in GOLDEN}
         | {"stdin.inc": ABSENT, "sub/tri.inc": gold("tri.inc"), "odd.obj": gold("odd.obj")}),
    case("failures among conversions", setup="cp $M/mac.obj .; echo 'v 1 2 3' >scene.inc", code=1, out=summary(
        "mac", 3, 1, 1), err=f"scene.inc\n{SAME}\nmissing.obj\n{NOT_OPENED}No such file or directory\n",
         args=["scene.inc", "missing.obj", "mac.obj"], files={"scene.inc": UNCHANGED, "mac.inc": gold("mac.inc")}),
    case("a refused write names both files", setup="mkdir locked; cp $M/tri.obj locked/; chmod a-w locked",
         args=["locked/tri.obj"], needs="nobody", code=1, out="",
         err=f"locked/tri.obj\nlocked/tri.inc\n{NOT_WRITTEN}Permission denied\n"),
    case("-- before names with a dash or not in UTF-8", args=["--", "-dash.obj", LATIN1 + ".obj"], out=summary(
        "-dash", 3, 1, 1) + summary(LATIN1, 3, 1, 1), setup="cp $M/tri.obj ./-dash.obj; cp $M/tri.obj $'m\\xe9sh.obj'",
         files={"-dash.inc": gold("tri.inc", "-dash", "_dash"), LATIN1 + ".inc": gold("tri.inc", LATIN1, "m_sh")}),
    case("--help", args=["--help"], out=USAGE),
    case("--version", setup="cp $M/tri.obj .", args=["tri.obj", "--version"], out="Meshfold 0.1\n",
         files={"tri.inc": ABSENT}),
    case("an unknown option", setup="cp $M/tri.obj .", args=["--frobnicate", "tri.obj"], code=2, out="",
         err="meshfold: unknown option --frobnicate\n" + USAGE, files={"tri.inc": ABSENT}),
]

# mesh2 on the command line: the golden meshes each as one mesh2, faces left out named on standard error,
# normals computed where the file has none and kept apart across sharp edges.
LONG = b"0." + b"1234567890" * 30  # longer than the writer's batch takes in one entry


def blocks(data):
    """Each block of a mesh2 include file: its count and its entries."""
    return {name.decode(): (int(count), re.findall(rb"<([^>]*)>", body)) for name, count, body in
            re.findall(rb"  (\w+) \{\r\n    (\d+),\r\n(.*?)\r\n  \}", data, re.S)}


def numbers(entry):
    return [float(x) for x in entry.split(b",")]


def block_counts(normals, **counts):
    """Each block as long as its count, the given counts (None: no such block), normal_vectors' count in normals."""
    def fits(data):
        found = {name: count for name, (count, entries) in blocks(data).items() if count == len(entries)}
        return len(found) == len(blocks(data)) and all(found.get(name) == count for name, count in counts.items()) and (
            found.get("normal_vectors") in (normals if isinstance(normals, range) else [normals]))
    return described(f"a mesh2 with {counts} and {normals} normals", fits)


def sphere(rows, columns):
    """A sphere without normals in quads, as a scanner might write it: its seam and poles are split vertices."""
    at = [(math.sin(math.pi * i / rows) * math.cos(2 * math.pi * j / columns), math.cos(math.pi * i / rows),
           math.sin(math.pi * i / rows) * math.sin(2 * math.pi * j / columns))
          for i in range(rows + 1) for j in range(columns + 1)]
    quads = ((i * (columns + 1) + j + 1, i * (columns + 1) + j + 2) for i in range(rows) for j in range(columns))
    return fs("".join([*(f"v {x:.6f} {y:.6f} {z:.6f}\n" for x, y, z in at),
                       *(f"f {a} {b} {b + columns + 1} {a + columns + 1}\n" for a, b in quads)]))


def true_normals(data):
    """At least 99% of the corners have a normal within 3 degrees of the sphere's own (its vertex, from the centre)."""
    found = blocks(data)
    vertices, normals = [numbers(v) for v in found["vertex_vectors"][1]], [numbers(n) for n in found["normal_vectors"][1]]
    angles = [math.degrees(math.acos(max(-1.0, min(1.0, sum(a * b for a, b in zip(vertices[v], normals[n])) / math.dist(
        vertices[v], [0] * 3) / math.dist(normals[n], [0] * 3))))) for face, corners in zip(
        found["face_indices"][1], found["normal_indices"][1]) for v, n in zip(map(int, face.split(b",")), map(
            int, corners.split(b",")))]
    return block_counts(range(2, 3000), face_indices=2 * 20 * 40, normal_indices=2 * 20 * 40)(data) and sum(
        angle <= 3 for angle in angles) >= 0.99 * len(angles)


MESH2_GOLD = os.path.join(ARGS.testdata, "mesh2")
LEFT_OUT = {"3d-mix": ["12 left out: 2 corners, fewer than 3", "13 left out: vertex 7 does not exist",
                       "14 left out: vertex -9 does not exist"],
            "missing": ["7 left out: vertex 9 does not exist", "8 left out: 2 corners, fewer than 3",
                        "9 left out: vertex -4 does not exist", "11 left out: 0 corners, fewer than 3"],
            "odd": [f"{line} left out: vertex {vertex} does not exist" for line, vertex in ((8, -3), (18, 4), (20, 7),
                                                                                             (23, 0))]}
WARNED = {"odd": ["material library odd.mtl could not be read: No such file or directory"]}
MESH2 = [
    case("every golden mesh", setup="cp $M/*.obj $M/*.mtl .", args=["--mesh2", *(f"{name}.obj" for name in GOLDEN)],
         out="".join(summary(name, *counts) for name, counts in GOLDEN.items()),
         err="".join(f"{name}.obj: {why}\n" for name in GOLDEN for why in [*WARNED.get(name, []), *(
             f"face line {left}" for left in LEFT_OUT.get(name, []))]),
         files={f"{name}.inc": read(os.path.join(MESH2_GOLD, f"{name}.inc")) for name in GOLDEN}),
    case("a sphere without normals gets its own", setup={"ball.obj": sphere(20, 40)}, args=["--mesh2", "ball.obj"],
         out=summary("ball", 21 * 41, 0, 800), err="", files={"ball.inc": described(true_normals.__doc__, true_normals)}),
    case("the cube's file normals replaced: its edges stay sharp", setup="cp $M/cube.* .", err="",
         args=["--mesh2", "--normals=compute", "cube.obj"], files={"cube.inc": block_counts(24, uv_vectors=4)}),
    case("without smoothing groups, a crease of 180 degrees smooths every edge", setup="grep -v '^s ' $M/cube.obj >cube.obj; cp $M/cube.mtl .", err="",
         args=["--mesh2", "--normals=compute", "--crease", "180", "cube.obj"], files={"cube.inc": block_counts(8)}),
    case("a zero normal is no direction: computed instead, and not written", setup={"zero.obj": b"v 0 0 0\nv 1 0 0\nv 0 1 0\nvn 0 "
         b"0 0e5\nvn 0.0 -0.000 0.0001\nvn 0 0 1e-5\nf 1//1 2//2 3//3\nf 1//2 2//2 3//3\nf 1//3 2//3 3//2\n"},
         args=["--mesh2", "zero.obj"], files={"zero.inc": block_counts(5, normal_indices=3)}),
    case("coordinates missing or no number are 0, long ones whole", setup={"short.obj": b"v 1\nv +2 nan 3e\nv .5 5. -1e-3"
         b"\nv \t\nv %s 0 0\nv 0 0 %s\nvt 0.25\nf 1/1 2/1 3/1 4/1\n" % (LONG, LONG)}, args=["--mesh2", "short.obj"],
         files={"short.inc": described("<1,0,0> <2,0,0> <.5,5.,-1e-3> <0,0,0> and the long ones, uv <0.25,0>",
             lambda data: b"  vertex_vectors {\r\n    6,\r\n    <1,0,0>,\r\n    <2,0,0>,\r\n    <.5,5.,-1e-3>,\r\n    "
             b"<0,0,0>,\r\n    <%s,0,0>,\r\n    <0,0,%s>\r\n  }\r\n" % (LONG, LONG) in data
             and blocks(data)["uv_vectors"][1] == [b"0.25,0"])}),
    case("no triangle: an empty union, since POV-Ray refuses an empty mesh2", setup={"none.obj": b"v 0 0 0\nf 1 1\n"},
         args=["--mesh2", "none.obj"], out=summary("none", 1, 0, 1), err="none.obj: nothing to draw: no face gives a "
         "triangle\nnone.obj: face line 2 left out: 2 corners, fewer than 3\n", files={"none.inc": b"//   mesh2 from none.obj\r\n//   triangle count: 0\r\n\r\n#declare none = \r\n"
                                   b"   // no triangles, and a mesh2 needs at least one\r\n   union { }\r\n"}),
    case("no normals", setup="cp $M/textured.obj .", args=["--normals=none", "--mesh2", "textured.obj"],
         files={"textured.inc": block_counts(None, normal_indices=None, uv_vectors=4, uv_indices=2)}),
    case("faces left out, a few told in the box", args=["--desktop", "--mesh2", "bad.obj"], setup=ZENITY_STAND_IN
         + "printf 'v 0 0 0\\nv 1 0 0\\nv 0 1 0\\nf 1 2 3\\n' >bad.obj; yes 'f 1 2' | head -n 12 >>bad.obj",
         env={"DISPLAY": ":0", "PATH": "<W>/bin"},
         files={"calls": described("ten faces told, then the rest counted", lambda calls: fs(
             "".join(f"face line {n} left out: 2 corners, fewer than 3\n" for n in range(5, 15))
             + "and 2 more faces left out]") in calls and b"line 15" not in calls)}, out="", err=""),
    *(case(f"the include file and the scene tell how to turn a model with +{up.upper()} up", setup="cp $M/tri.obj .",
           args=["--scene", *args, "tri.obj"], files={"tri.pov": gold(scene), "tri.inc": gold("tri.inc").replace(
               b"2023\r\n", b"2023\r\n//   OBJ is right-handed, POV-Ray left-handed: object { tri %s } shows the model "
               b"as its modeller did, its front toward -z\r\n" % turn)})
      for up, args, scene, turn in (("y", [], "tri.pov", b"scale <1, 1, -1>"),
                                    ("z", ["--up", "z"], "tri-up-z.pov", b"matrix <1, 0, 0, 0, 0, 1, 0, 1, 0, 0, 0, 0>"))),
    *(case(f"misuse: {' '.join(args)}", setup="cp $M/tri.obj .", args=[*args], code=2, out="",
           err=f"meshfold: {problem}\n{USAGE}", files={"tri.inc": ABSENT}) for args, problem in (
        (["--mesh2"], "--mesh2 needs OBJ files to convert; name at least one"),
        (["--normals=none", "tri.obj"], "--normals and --crease choose the normals of a mesh2; add --mesh2"),
        (["--mesh2", "--normals=smooth", "tri.obj"], "--normals takes file, compute or none"),
        (["--mesh2", "tri.obj", "--crease=181"], "--crease takes a number of degrees from 0 to 180"),
        (["--mesh2", "tri.obj", "--crease"], "--crease takes a number of degrees from 0 to 180"),
        (["--up", "z", "tri.obj"], "--up turns the model upright in the scene; add --scene"),
        (["--scene", "tri.obj", "--up=x"], "--up takes y or z"))),
]

# Polygons cut into triangles, read back from both forms and laid in the plane of the polygon's Newell normal:
# a sample clearly inside lies in exactly one triangle, one clearly outside in none (near an edge it may fall
# either way), and the triangles face the way the polygon does.
def normal_of(a, b, c):
    u, v = [q - p for p, q in zip(a, b)], [q - p for p, q in zip(a, c)]
    return [u[1] * v[2] - u[2] * v[1], u[2] * v[0] - u[0] * v[2], u[0] * v[1] - u[1] * v[0]]


def unit(v):
    return [x / math.hypot(*v) for x in v]


def dot(a, b):
    return sum(x * y for x, y in zip(a, b))


def area(a, b, c):  # twice the signed area
    return (b[0] - a[0]) * (c[1] - a[1]) - (b[1] - a[1]) * (c[0] - a[0])


def gap(s, a, b):  # from s to the segment ab
    d = [b[0] - a[0], b[1] - a[1]]
    t = max(0, min(1, ((s[0] - a[0]) * d[0] + (s[1] - a[1]) * d[1]) / (dot(d, d) or 1)))
    return math.dist(s, (a[0] + t * d[0], a[1] + t * d[1]))


def inside(s, ring):
    return sum((a[1] > s[1]) != (b[1] > s[1]) and s[0] < a[0] + (s[1] - a[1]) * (b[0] - a[0]) / (b[1] - a[1])
               for a, b in zip(ring, ring[1:] + ring[:1])) % 2


def read_cut(data, mesh2):
    """The triangles written, three corners each; the union's plain ones; the lines of flat ones left out."""
    if mesh2:
        at = [numbers(v) for v in blocks(data)["vertex_vectors"][1]]
        return [[at[int(i)] for i in face.split(b",")] for face in blocks(data)["face_indices"][1]], [], []
    found = [([numbers(v) for v in re.findall(rb"<([^>]*)>", body)][::2 if smooth else 1], smooth) for smooth, body in
             re.findall(rb"   (smooth_)?triangle \{(.*)\}\r\n", data)]
    return [t for t, _ in found], [t for t, smooth in found if not smooth], re.findall(
        rb"   // face line (\d+): a triangle without area left out\r\n", data)


def cut_fits(corners, line, turned, mesh2):
    polygon = [[float(x) for x in p.split()] for p in corners]
    newell = [sum((p[a] - q[a]) * (p[b] + q[b]) for p, q in zip(polygon, polygon[1:] + polygon[:1]))
              for a, b in ((1, 2), (2, 0), (0, 1))]
    n = unit(newell)
    u = unit(normal_of([0] * 3, n, min(([1, 0, 0], [0, 1, 0], [0, 0, 1]), key=lambda e: abs(dot(e, n)))))
    v = normal_of([0] * 3, n, u)

    def fits(data):
        triangles, plain, flats = read_cut(data, mesh2)
        ring, *cut = [[(dot(p, u), dot(p, v)) for p in t] for t in [polygon, *triangles]]
        (x, *_, right), (y, *_, top) = map(sorted, zip(*ring))
        size, summed = max(right - x, top - y), map(sum, zip(*(normal_of(*t) for t in triangles)))
        if (len(triangles) + len(flats) != len(polygon) - 2 or any(int(f) != line for f in flats)
                or math.dist(summed, newell) > 1e-6 * math.hypot(*newell) or any(not any(normal_of(*t)) for t in plain)
                or sum(area(*t) < -1e-9 * size ** 2 for t in cut) > turned):
            return False
        edges = [(t[i - 1], t[i]) for t in [ring, *cut] for i in range(len(t))]
        samples = [(x + size * (i + 0.5) / 48, y + size * (j + 0.5) / 48) for i in range(48) for j in range(48)]
        return turned or all(sum(min(a) > 0 or max(a) < 0 for a in ([area(s, t[i - 1], t[i]) for i in range(3)]
                                                                     for t in cut)) == inside(s, ring)
                             for s in samples if min(gap(s, a, b) for a, b in edges) > size / 200)
    return described(f"{len(corners) - 2} triangles adding up to the polygon (those without area left out of the "
                     f"union naming line {line}), each sample clearly inside "
                     f"in one, at most {turned} facing against it", fits)


def polygon_obj(corners, normal):
    return fs("".join(f"v {p}\n" for p in corners) + (f"vn {normal}\n" if normal else "") + "f " + " ".join(
        f"{i}//1" if normal else str(i) for i in range(1, len(corners) + 1)) + "\n")


def plain(*places):
    return "   triangle { " + ", ".join(places) + " }"


def union_of(base, faces, lines):  # the header counts face lines, not the lines written
    return include(base, lines).replace(fs(f"face count: {len(lines)}\r"), fs(f"face count: {faces}\r"))


def fanned(corners, normal, base="p", faces=1, notes=()):
    """Both forms as today's fan from the first corner writes them; computed normals only for the XY plane."""
    fan, places = [(0, k, k + 1) for k in range(1, len(corners) - 1)], [f"<{p.replace(' ', ' , ')}> " for p in corners]
    indices = [",".join(map(str, t)) for t in fan]
    lines = [triangle(*(x for i in t for x in (places[i], f"<{normal.replace(' ', ' , ')}> "))) if normal
             else plain(*(places[i] for i in t)) for t in fan]
    named = {"vertex_vectors": [p.replace(" ", ",") for p in corners], "normal_vectors": [normal.replace(" ", ",")]
             if normal else ["0,0,1"] * len(corners), "face_indices": indices,
             "normal_indices": ["0,0,0"] * len(fan) if normal else indices}
    return union_of(base, faces, lines + list(notes)), fs(
        f"//   mesh2 from {base}.obj\r\n//   triangle count: {len(fan)}\r\n\r\n#declare {base} = \r\nmesh2 {{\r\n"
        + "".join(f"  {name} {{\r\n    {len(entries)},\r\n" + ",\r\n".join(f"    <{entry}>" for entry in entries)
                  + "\r\n  }\r\n" for name, entries in named.items()) + "}\r\n")


FORMS = (("union", []), ("mesh2", ["--mesh2"]))
# Each starts at a corner from which a fan would leave it; slanted, the same shape turned into 3D.
SHAPES = {"a U": [(0, 0), (3, 0), (3, 3), (2, 3), (2, 1), (1, 1), (1, 3), (0, 3)],
          "a star": [(r * math.cos(math.pi * (0.5 + k / 5)), r * math.sin(math.pi * (0.5 + k / 5)))
                     for k, r in enumerate([2, 0.8] * 5)],
          "an arrow": [(3, 4), (3, 3), (0, 3), (0, 1), (3, 1), (3, 0), (5, 2)],
          "a comb": [(0, 0), (7, 0), (7, 3), *((x, y) for x in range(6, 0, -1) for y in [(1, 3), (3, 1)][x % 2 == 0]),
                     (0, 3)]}
CUT = [*((f"{name} in the XY plane", [f"{x:.3f} {y:.3f} 0" for x, y in shape], "0 0 1", 0)
         for name, shape in SHAPES.items()),
       *((f"{name} slanted", [f"{(2 * x - 2 * y) / 3:.3f} {(2 * x + y) / 3:.3f} {(x + 2 * y) / 3:.3f}"
                               for x, y in shape], None, 0) for name, shape in SHAPES.items()),
       ("a twisted quad", ["0 0 0", "4 0 0", "0 2 1", "3 3 0"], None, 1),
       ("a rectangle with corners on its edges, one twice", ["2 0 0", "4 0 0", "4 1 0", "4 2 0", "4 2 0", "2 2 0",
                                                             "0 2 0", "0 0 0"], None, 0),
       ("an L with corners on its edges, one twice", ["4 0 0", "4 1 0", "4 1 0", "1 1 0", "1 2 0", "1 3 0", "0 3 0",
                                                      "0 1.5 0", "0 0 0", "2 0 0"], "0 0 1", 0)]
# Polygons that a fan from their first corner covers keep today's triangles, byte for byte.
FANNED = [("a slanted quad", ["0 0 0", "2 0 1", "2 2 1", "0 2 0"], "-1 0 2"),
          ("a slanted pentagon", ["0 0 0", "2 0 1", "3 1.5 1.5", "1 3 0.5", "-1 1.5 -0.5"], "-1 0 2"),
          ("a pentagon", ["2 0 0", "3 1.5 0", "1 3 0", "-1 1.5 0", "0 0 0"], None),
          ("a chevron from its reflex corner", ["1 2 0", "0 0 0", "4 2 0", "0 4 0"], None)]
# A backslash at the end of a line, blanks after it or not, continues the record on the next; messages name the
# record's first line, and later lines keep their own numbers.
CONTINUED = "v 0 0 1{e}v 2 \\{b}{e}0 1{e}v 2 2 1{e}v 0 2 1{e}f 1 2 \\{b}{e}3 4{e}f 1 2\\{b}{e} 9{e}f 1 2{e}"
LEFT_C = ["8 left out: vertex 9 does not exist", "10 left out: 2 corners, fewer than 3"]


def column(sides, groups):
    """An open column of quads without normals, groups' s line before face k (after the last face: k = sides)."""
    ring = [(math.cos(2 * math.pi * k / sides), math.sin(2 * math.pi * k / sides)) for k in range(sides)]
    return fs("".join([*(f"v {x:.4f} {y} {z:.4f}\n" for y in (0, 1) for x, z in ring), *(groups.get(k, "") + (
        f"f {k + 1} {(k + 1) % sides + 1} {(k + 1) % sides + 1 + sides} {k + 1 + sides}\n" if k < sides else "")
        for k in range(sides + 1))]))


def normal_gaps(data):
    """How far each corner's normal lies from its triangle's own, both of unit length."""
    found = blocks(data)
    at, normals = [[numbers(v) for v in found[name][1]] for name in ("vertex_vectors", "normal_vectors")]
    return [math.dist(unit(normal_of(*(at[int(i)] for i in face.split(b",")))), unit(normals[int(i)]))
            for face, corners in zip(found["face_indices"][1], found["normal_indices"][1]) for i in corners.split(b",")]


SMOOTHING = [("5 sides in s 1, smooth beyond the crease", 5, {0: "s 1\n"}, True),
             ("48 sides after s off", 48, {0: "s off\n"}, False),
             ("48 sides before the first s line and after s 0", 48, {24: "s 0\n"}, False),
             ("48 sides in groups 1 and 2 by turns", 48, {k: f"s {k % 2 + 1}\n" for k in range(48)}, False),
             ("5 sides without s: the crease keeps them sharp", 5, {}, False)]
POLYGONS = [
    *(case(f"{name} ({form})", setup={"p.obj": polygon_obj(corners, normal)}, args=[*args, "p.obj"], files={
        "p.inc": cut_fits(corners, len(corners) + 1 + bool(normal), turned, bool(args))})
      for name, corners, normal, turned in CUT for form, args in FORMS),
    *(case(f"{name}, fanned as before ({form})", setup={"p.obj": polygon_obj(corners, normal)}, args=[*args, "p.obj"],
           files={"p.inc": fanned(corners, normal)[bool(args)]})
      for name, corners, normal in FANNED for form, args in FORMS),
    *(case(f"continued lines{label} ({form})", setup={"c.obj": fs(CONTINUED.format(e=end, b=blanks))},
           args=[*args, "c.obj"], out=summary("c", 4, 0, 3), err="".join(f"c.obj: face line {why}\n" for why in LEFT_C)
           * bool(args), files={"c.inc": fanned(["0 0 1", "2 0 1", "2 2 1", "0 2 1"], None, "c", 3, (
               f"   // face line {why}" for why in LEFT_C))[bool(args)]})
      for label, end, blanks in (("", "\n", ""), (", CR LF", "\r\n", ""),
                                 (", blanks after the backslash", "\r\n", " \t"))
      for form, args in FORMS),
    *(case(f"smoothing groups: {name}", setup={"col.obj": column(sides, groups)}, args=["--mesh2", "col.obj"], err="",
           files={"col.inc": described(f"every corner normal {'apart from' if smooth else 'on'} its triangle's own",
                                       lambda data, smooth=smooth: min(normal_gaps(data)) > 0.01 if smooth
                                       else max(normal_gaps(data)) < 1e-4)})
      for name, sides, groups, smooth in SMOOTHING),
]

# File-system faults: each is said, nothing is claimed that was not written,
# and the OBJ file keeps its bytes.
BIG = "{ echo 'v 1.000000 2.000000 3.000000'; echo 'vn 0 0 1'; yes 'f 1//1 1//1 1//1' | head -n 5000; } >big.obj"
FULL_DISK = ("unshare --mount bash -c 'mount -t tmpfs -o size=256k meshfold disk && cp big.obj disk/ && "
             "\"$@\" && { cmp -s big.obj disk/big.obj || echo OBJ file changed; }' -")
FAULTS = [
    fault("a missing OBJ file", "missing.obj", NOT_OPENED + "No such file or directory", files={"missing.inc": ABSENT}),
    fault("a pipe, which nothing waits for", "pipe.obj", NOT_OPENED + "Not a regular file", setup="mkfifo pipe.obj",
          files={"pipe.inc": ABSENT}),
    fault("an OBJ file held by another program", "held.obj", NOT_OPENED + IN_USE, setup="cp $M/tri.obj held.obj",
          wrap="flock -x held.obj", files={"held.obj": UNCHANGED, "held.inc": ABSENT}),
    fault("an unreadable OBJ file", "secret.obj", NOT_OPENED + "Permission denied", needs="nobody",
          setup="cp $M/tri.obj secret.obj; chmod 000 secret.obj", files={"secret.obj": gold("tri.obj"),
                                                                          "secret.inc": ABSENT}),
    case("a read error", stdin="/proc/self/mem\n",  # its first page is never mapped
         out=f"{NAME}\n/proc/self/mem\ncould not be read; nothing was written: Input/output error\n"),
    fault("an include path that is a folder", "boxed.obj", NOT_WRITTEN + "Is a directory",
          setup="cp $M/tri.obj boxed.obj; mkdir boxed.inc", files={"boxed.obj": UNCHANGED}),
    fault("an include path naming a device", "full.obj", NOT_WRITTEN + "Not a regular file",
          setup="cp $M/tri.obj full.obj; ln -s /dev/full full.inc"),
    fault("an include file held by another program", "busy.obj", NOT_WRITTEN + IN_USE, wrap="flock -x busy.inc",
          setup="cp $M/tri.obj busy.obj; echo kept >busy.inc", files={"busy.inc": UNCHANGED}),
    fault("a folder that cannot be written", "shut/tri.obj", NOT_WRITTEN + "Permission denied", needs="nobody",
          setup="mkdir shut; cp $M/tri.obj shut/; chmod 555 shut", files={"shut/tri.inc": ABSENT,
                                                                           "shut/tri.obj": UNCHANGED}),
    fault("an include file that cannot be written", "sealed.obj", NOT_WRITTEN + "Permission denied", needs="nobody",
          setup="cp $M/tri.obj sealed.obj; echo 1 >sealed.inc; chmod 444 sealed.inc", files={"sealed.inc": UNCHANGED}),
    fault("a file-size limit", "big.obj", NOT_WRITTEN + "File too large", setup=BIG, wrap="ulimit -f 200;",
          files={"big.obj": UNCHANGED}),
    fault("a full disk", "disk/big.obj", NOT_WRITTEN + "No space left on device", setup=BIG + "; mkdir disk",
          wrap=FULL_DISK, needs="root"),
    fault("a hard link to the include file", "hard.obj", SAME, setup="echo 'v 1' >hard.inc; ln hard.inc hard.obj",
          files={"hard.inc": UNCHANGED}),
    fault("a symbolic link to the include file", "soft.obj", SAME, setup="echo v >soft.inc; ln -s soft.inc soft.obj",
          files={"soft.inc": UNCHANGED}),
    fault("an include path linked to the chosen file", "real.obj", SAME,
          setup="cp $M/tri.obj real.obj; ln -s real.obj real.inc", files={"real.obj": gold("tri.obj")}),
]


def count_kinds(data):
    """Vertex, normal and face lines, each kind looked for after the one before."""
    counts = [0, 0, 0]
    for line in re.split(rb"\r\n|[\r\n\0]", data):
        for kind, start in enumerate((b"v", b"vn", b"f")):
            found = re.match(rb"[ \t]*" + start + rb"[ \t]", line)
            counts[kind] += bool(found)
            line = line[found.end():] if found else line
    return counts


def bad(name, data, counts=None, triangles=None, memory=3):
    """Bad input converts all the same, in memory bounded by its size."""
    counts = counts or count_kinds(data)
    return case(name, setup={name + ".obj": data}, stdin=f"<W>/{name}.obj\n", out=NAME + "\n" + summary(name, *counts),
                memory=memory, files={name + ".obj": UNCHANGED, name + ".inc": framed(name, counts[2])
                                      if triangles is None else include(name, triangles)})


WORDS = b"v 1.#QNAN0 1 -inf\nv 1 1,5 1.5e\nv 0x10 +-1 2\nv +1.5 -.5 5.\nvn 0 0 1\nf 1//1 2//1 3//1\nf 1//1 2//1 4//1\n"


def bad_input_cases():
    one, two, up, unit, corner, normal = ("<1.0 , 2.0 , 3.0> ", "<4.0 , 5.0 , 6.0> ", "<0 , 0 , 1> ", "<1 , 2 , 3> ",
                                          "<1.000, 1.000, -1.000> ", "<0.000, 1.000, 0.000> ")
    mesh, blanks = "v 1.0 2.0 3.0\r\nv 4.0 5.0 6.0\r\nv 1.0 5.0 3.0\r\nvn 0 0 1\r\nf 1//1 2//1 3//1\r\n", b" " * 100_000
    unit0, unitx, unity = "<0 , 0 , 0> ", "<1 , 0 , 0> ", "<0 , 1 , 0> "
    two2, three2, six = "<2 , 2 , 3> ", "<1 , 3 , 3> ", "<1.0 , 5.0 , 3.0> "
    return [
        bad("empty", b"", [0, 0, 0], []),
        bad("line_ends_only", b"\n\r\n\r" * 1000, [0, 0, 0], []),
        bad("million_blank_lines", b"\n" * 1_000_000, [0, 0, 0], []),
        bad("no_final_line_end", b"v 1 2 3\nv 2 2 3\nv 1 3 3\nvn 0 0 1\nf 1//1 2//1 3//1", [3, 1, 1],
            [triangle(unit, up, two2, up, three2, up)]),
        bad("nul_bytes", b"v 1 2 3\0v 4 5 6\0\0f 1 2 3\n", [2, 0, 1], ["   // face line 4 left out: vertex 3 does not exist"]),
        bad("random_binary", random.Random(1234).randbytes(2 * MB)),
        # Without its mark every other byte is a NUL, which ends a line: no line is a record.
        *(bad(f"{code.replace('-', '_')}{'_bom' if bom else ''}", bom + mesh.encode(code),
              [3, 1, 1] if bom else [0, 0, 0], [triangle(one, up, two, up, six, up)] if bom else [])
          for code, bom in (("utf-16-le", b"\xff\xfe"), ("utf-16-le", b""), ("utf-16-be", b"\xfe\xff"),
                            ("utf-16-be", b""))),
        bad("single_line_50mb", b"v 1.5 2.5 " + b"3.25 " * (10 * MB), [1, 0, 0], []),
        # Its line is held at once as bytes, as a text and as the stored vector
        # text, two bytes a character each; the triangle line adds nothing.
        bad("face_of_a_20mb_vertex", b"v 1 2 " + b"3 " * (10 * MB) + b"\nv 2 2 3\nv 1 3 3\nvn 0 0 1\nf 1//1 2//1 3//1\n",
            [3, 1, 1], memory=6),
        bad("tabs_between_numbers", b"v 1.0\t2.0 3.0\nv 4.0 5.0\t6.0\nv\t1.0 5.0 3.0\t\nvn 0 0 1\nf 1//1 2//1 3//1\n",
            [3, 1, 1], [triangle(one, up, two, up, six, up)]),
        bad("lines_of_blanks", (blanks + b"\n") * 20 + b"v 1.0 2.0" + blanks + b"3.0\nv 2 2 3\nv 1 3 3\nvn 0 0 1\n"
            b"f 1//1 2//1 3//1\n", [3, 1, 1]),
        bad("odd_face_indices", b"f -1//-1 0//0 9223372036854775807//9223372036854775807\n"
            b"v 1.0 2.0 3.0\nv 4.0 5.0 6.0\nvn 0 0 1\n"
            b"f 18446744073709551617//1 999999999999999999999999999999//-1 $2//%1\n"
            b"f %10//$1 -2//-1 -9223372036854775808//1\nf 4294967297//2 $//% -0//+1\n", [2, 1, 4], [
                f"   // face line {line} left out: vertex {index} does not exist" for line, index in (
                    (1, -1), (5, 5076944270305263615), (6, -9223372036854775808), (7, 4294967297))]),
        bad("every_kind_of_line", b"# exported by a modeller\nmtllib scene.mtl\no Cube\ng body\ns 1\nusemtl red\n"
            b"v 1.000000 1.000000 -1.000000\nvt 0.625 0.5\nvn 0.0000 1.0000 0.0000\nvp 0.1 0.2\n"
            b"l 1 2\np 1\ncurv 0.0 1.0 1 2\nparm u 0.0 1.0\nend\ncstype bspline\n"
            b"v 1 0 0\nv 0 0 1\nf 1/1/1 2/1/1 3/1/1\n\tv 9 9 9\nV 9 9 9\nvn\nf\n", [4, 1, 1],
            [triangle(corner, normal, "<1 , 0 , 0> ", normal, "<0 , 0 , 1> ", normal)]),
        # POV-Ray drops a smooth_triangle with a zero normal, written or left by the cut to three decimals: a
        # triangle from the vertices alone.
        bad("zero_normals", b"v 0 0 0\nv 1 0 0\nv 0 1 0\nvn 0 0 1\nvn 0.0 -0.000 0e5\nvn 0.0001 0 0\nf 1//1 2//1 3//1\n"
            b"f 1//1 2//2 3//1\nf 1//3 2//1 3//1\n", [3, 3, 3], [triangle(unit0, up, unitx, up, unity, up),
            *["   triangle { " + ", ".join([unit0, unitx, unity]) + " }"] * 2]),
        # POV-Ray refuses a smooth_triangle unless its normals lie on one side of its plane, all in front or all
        # behind: the others keep their place as triangles from the vertices alone.
        bad("normals_across_the_plane", b"v 0 0 0\nv 1 0 0\nv 0 1 0\nvn 0 0 1\nvn 1 0 0\nvn 0 0 -1\n"
            b"f 1//1 2//2 3//1\nf 1//1 2//3 3//1\nf 1//3 2//3 3//3\n", [3, 3, 3],
            [*["   triangle { " + ", ".join([unit0, unitx, unity]) + " }"] * 2,
             triangle(*(x for p in (unit0, unitx, unity) for x in (p, "<0 , 0 , -1> ")))]),
        # Corners a float cannot tell apart, and a cross product too long for a double, judged as POV-Ray does.
        bad("far_and_huge", b"v 1000000.001 0 0\nv 1000000.002 0 0\nv 1000000 1 0\nv 1e300 0 0\nv 0 1e300 0\n"
            b"vn 0 0 1\nf 1//1 2//1 3//1\nf 4//1 5//1 1//1\nf 1//1 2//1 2//1\n", [5, 1, 3], [triangle(
                "<1000000.001, 0 , 0> ", up, "<1000000.002, 0 , 0> ", up, "<1000000 , 1 , 0> ", up),
                "   triangle { <1e300 , 0 , 0> , <0 , 1e300 , 0> , <1000000.001, 0 , 0>  }",
                "   // face line 9: a triangle without area left out"]),
        # Integers on one line, which floats (16 apart here) round off it: the floats' cross product is long,
        # though far shorter than what rounding 100,000 long edges can give.
        bad("rounded_into_area", b"v 134217728 134217728 0\nv 134317738 134267733 0\nv 134417748 134317738 0\n"
            b"f 1 2 3\n", [3, 0, 1], ["   // face line 4: a triangle without area left out"]),
        # Words and broken numbers where coordinates belong, as some exporters write them, would stop POV-Ray: 0.
        bad("words_for_numbers", WORDS, [4, 1, 2], [triangle("<0 , 1 , 0> ", up, unitx, up, "<0 , 0 , 2> ", up),
                                                    "   triangle { <0 , 1 , 0> , <1 , 0 , 0> , <+1.5 , -.5 , 5.>  }"]),
        # Normals that name no record, far beyond the arrays: a triangle from the vertices alone.
        bad("normals_beyond_the_arrays", b"v 1 2 3\nv 2 2 3\nv 1 3 3\nvn 0 0 1\nf 1//400000 2//3000000 3//4294967295\n",
            [3, 1, 1], ["   triangle { " + ", ".join([unit, "<2 , 2 , 3> ", "<1 , 3 , 3> "]) + " }"]),
        # More records than the stores start with.
        bad("records_beyond_the_first_arrays", b"".join(b"v %d %d 0\n" % (k, k % 2) for k in range(1, 150_001))
            + b"vn 0 0 1\nf 150000//1 120000//1 -2//1\n", [150_000, 1, 1],
            [triangle("<150000 , 0 , 0> ", up, "<120000 , 0 , 0> ", up, "<149999 , 1 , 0> ", up)]),
    ]


# The real zenity on a virtual display, each call recorded by a wrapper first
# on PATH: the path typed into the chooser, the message box confirmed.
def typed(name, base, declared=None, **row):
    """Types the path into the chooser; a character beyond ASCII is pressed as the key give_keys_of_their_own
    gave it, between runs of ASCII typed."""
    keys = [piece if n % 2 == 0 else f"U{ord(piece):04X}" for n, piece in enumerate(re.split(r"([^ -~])", base))]
    keys[0], keys[-1] = "<W>/" + keys[0], keys[-1] + ".obj"
    return case(name, setup=f"cp $M/tri.obj {base}.obj", steps=[(OPEN, "ctrl+l", *keys, "Return"),
                (NAME, "Return")], files={f"{base}.inc": gold("tri.inc", base, declared), "zenity.calls": calls(
                    "zenity", NAME, summary(base, 3, 1, 1)[:-1])}, **row)


ZENITY = [
    typed("a file typed into the chooser", "tri", out=""),
    case("a cancelled chooser", setup="cp $M/tri.obj .", steps=[(OPEN, "Escape"), ("Info:", "Return")],
         files={"tri.inc": ABSENT, "zenity.calls": calls("zenity", "Info:", "canceled")}),
    typed("a name beyond ASCII in the C locale", "m\u00e9sh", "m_sh", env={"LC_ALL": "C", "LANG": "C"}),
]


def give_keys_of_their_own(keysyms):
    """xdotool types a character the keyboard map lacks through a spare key mapped for a moment, and GTK may
    read that key before it learns the map: then a wrong character lands. Each such keysym ("U00E9") gets
    one of the last spare keys for good instead, before any dialog starts."""
    spare = [line.split()[1] for line in subprocess.run(["xmodmap", "-pke"], capture_output=True, text=True,
                                                          check=True).stdout.splitlines() if line.rstrip().endswith("=")]
    for key, keysym in zip(reversed(spare), sorted(keysyms)):
        subprocess.run(["xmodmap", "-e", f"keycode {key} = {keysym}"], check=True)


def zenity_group():
    if missing := [tool for tool in ("xvfb-run", "xdotool", "xmodmap", "zenity") if not shutil.which(tool)]:
        skip(f"no {' or '.join(missing)} (bash scripts/setup-debian.sh installs them)")
    if not os.environ.get("MESHFOLD_XVFB"):  # this script again, on a virtual display of its own
        os.environ["MESHFOLD_XVFB"] = "1"
        os.execvp("xvfb-run", ["xvfb-run", "-a", "-s", "-screen 0 1024x768x24", sys.executable, *sys.argv])
    give_keys_of_their_own({item for row in ZENITY for step in row["steps"] for item in step
                            if re.fullmatch("U[0-9A-F]{4}", item)})
    with tempfile.TemporaryDirectory() as home:
        wrapper = Path(home, "zenity")
        wrapper.write_text(f"#!/bin/sh\nprintf '[%s]\\n' \"$@\" >>zenity.calls\nexec {shutil.which('zenity')} \"$@\"\n")
        wrapper.chmod(0o755)
        run_cases(ZENITY, None, {"PATH": home + ":" + os.environ["PATH"], "HOME": home, "NO_AT_BRIDGE": "1",
                                 "WAYLAND_DISPLAY": None})


# The real meshfold.exe under wine, driven through its file-open dialog and
# message boxes; dropped files arrive as arguments, with one box for all.
PICK, BOX = (OPEN, "End shift+Home"), (NAME, "Return")


def holding(name):
    """A wrap: another Windows program holds the file, sharing nothing, while ours runs."""
    hold = " ".join(map(shlex.quote, ["bash", ARGS.wine_run, ARGS.wineprefix, ARGS.hold_file, "<Z>\\" + name]))
    return (f'hold() {{ {hold} "<Z>.held" & for _ in $(seq 240); do [ -e "<W>.held" ] && break; sleep 0.5; done; '
            '"$@"; code=$?; rm -f "<W>.held"; wait; return $code; }; hold')


WINE = [
    case("a conversion", setup="cp $M/tri.obj .", steps=[PICK + (r"<Z>\tri.obj", "Return"), BOX],
         files={"tri.inc": gold("tri.inc"), "tri.obj": gold("tri.obj")}),
    case("the chosen include file", setup="printf 'v 9 9 9\\r\\n' >self.inc",
         steps=[PICK + (r"<Z>\self.inc", "Return"), BOX], files={"self.inc": UNCHANGED}),
    case("a cancel", steps=[(OPEN, "Escape"), ("Info:", "Return")]),
    case("dropped files", setup="cp $M/tri.obj .", args=[r"<Z>\tri.obj", r"<Z>\missing.obj"], steps=[BOX], code=1,
         files={"tri.inc": gold("tri.inc"), "missing.inc": ABSENT}),
    case("dropped files as mesh2s", setup="cp $M/missing.obj $M/flat.obj .", steps=[BOX], files={
        name: read(os.path.join(MESH2_GOLD, name)) for name in ("missing.inc", "flat.inc")},
         args=["--mesh2", r"<Z>\missing.obj", r"<Z>\flat.obj"]),
    # Share mode 0 refuses every second holder: nothing is read or written.
    *(case(f"a held {held}", args=[r"<Z>\tri.obj"], code=1, wrap=holding(held), steps=[BOX],
           setup="cp $M/tri.obj .; printf 'keep\\r\\n' >tri.inc", files={"tri.obj": UNCHANGED, "tri.inc": UNCHANGED})
      for held in ("tri.inc", "tri.obj")),
]


def at_dpi(dpi):
    """A wrap: the program runs with wine's screen at dpi, and the prefix is set back to 96 after."""
    reg = " ".join(map(shlex.quote, ["bash", ARGS.wine_run, ARGS.wineprefix, "reg", "add",
                                     r"HKCU\Control Panel\Desktop", "/v", "LogPixels", "/t", "REG_DWORD", "/f", "/d"]))
    return f'dpi() {{ {reg} {dpi}; "$@"; code=$?; {reg} 96; return $code; }}; dpi'


# The boxes of the file-open dialog, ticked by their keys before Open, and what the Linux program is given to
# write the same files from the same model, two materials in two groups.
BOXES = [("nothing ticked", "", [], 96), ("mesh2 and a scene", "alt+m alt+s", ["--mesh2", "--scene"], 96),
         ("mesh2 and a scene at 144 DPI", "alt+m alt+s", ["--mesh2", "--scene"], 144),
         ("a scene alone", "alt+s", ["--scene"], 96), ("groups refused before mesh2", "alt+g alt+m", ["--mesh2"], 96),
         ("mesh2 and groups", "alt+m alt+g", ["--mesh2", "--groups"], 96)]


def natively(setup, args):
    """What the Linux program writes from setup with args: m.inc and m.pov, each ABSENT when it writes none."""
    with tempfile.TemporaryDirectory() as native:
        for name, data in setup.items():
            Path(native, name).write_bytes(data)
        made = subprocess.run([ARGS.native, *args, "m.obj"], cwd=native, capture_output=True)
        check(f"the Linux program with {args}: exit code", 0, made.returncode)
        return {name: read(f"{native}/{name}") if os.path.exists(f"{native}/{name}") else ABSENT
                for name in ("m.inc", "m.pov")}


def wine_group():
    shown = Path(ARGS.wineprefix + ".display")  # where wine-display.sh leaves its Xvfb
    os.environ["DISPLAY"] = display = os.environ.get("DISPLAY") or (shown.read_text().strip() if shown.exists() else "")
    if not display or not shutil.which("xdotool") or subprocess.run(
            ["xdotool", "getmouselocation"], capture_output=True, timeout=10).returncode:
        skip("no X server (Xvfb) or no xdotool, so the dialogs cannot be driven")
    model = halves(groups=("o left\n", "g right-half\n"))
    rows = WINE + [case("boxes ticked, then a cancel", setup=model, steps=[(OPEN, "alt+m alt+s Escape"), (
        "Info:", "Return")], files={"m.inc": ABSENT, "m.pov": ABSENT})]
    if not ARGS.native:
        print("SKIPPED: a scene and materials as the Linux program writes them: no Linux meshfold given (--native)")
    else:  # the same files converted by the Linux program, which meshfold.exe must match byte for byte
        rows += [case("a dropped file with its materials, and a scene", setup=model, steps=[BOX],
                      args=["--mesh2", "--scene", r"<Z>\m.obj"], files=natively(model, ["--mesh2", "--scene"])),
                 *(case(f"the dialog's boxes: {name}", setup=model, wrap=at_dpi(dpi) if dpi != 96 else "", steps=[
                     PICK + (r"<Z>\m.obj", f"{keys} Return"), BOX], files=natively(model, args))
                   for name, keys, args, dpi in BOXES)]
    run_cases(rows, ["bash", ARGS.wine_run, ARGS.wineprefix, ARGS.meshfold],
              {"WINEPREFIX": ARGS.wineprefix, "MESHFOLD_WINE_TIMEOUT": "180"}, seconds=120)


# POV-Ray renders what we write from every OBJ file, messy ones included, in both forms, under
# the name the include file declares, and its bounding box says where the mesh
# sits. odd.obj is left out: its vertex at 6.789e10 lies beyond what POV-Ray bounds.
EXTENTS = {"tri": "0 0 0 1 1 0", "mac": "0 0 0 1 1 0", "cube": "-1 -1 -1 1 1 1", "donut": "-1.4 -0.4 -1.4 1.4 0.4 1.4",
           "iced": "-1.8 -0.4 -1.8 1.8 0.4 1.8",
           "textured": "0 0 0 2 3 0", "normals": "0 0 0 1 1 1", "relative": "0 0 0 4 2 5",
           "scientific": "-10 -2 -0.75 12.34 10 3", "scientific mesh2": "-10 -2 -0.75 12.34567 10 3",
           "grid": "0 0 0.5 229 229 0.5", "blanks": "0 0 0 1.5 1.5 0",
           "flat": "0 0 0 2 2 1", "polygons": "0 0 0 3 2 1", "3d-mix": "0 0 0 2 3 0.5", "cylinder": "-1 -1 -1 1 1 1",
           **dict.fromkeys(("missing", "bom", "utf16", "my-model", "box"), "0 0 0 1 1 0"),
           **dict.fromkeys(("quad", "bare_quad"), "0 0 0 4 4 0"), "zero_normal": "0 0 0 5 5 0",
           "words": "0 -0.5 0 1.5 1 5", "metres": "0 0 0 2 1 0"}
MODES = {"union": [], "mesh2": ["--mesh2"]}
SCENE = """#version 3.7; global_settings {{ assumed_gamma 1.0 }}
#include "{0}.inc"
#declare Mesh = object {{ {1} }} #declare Low = min_extent(Mesh); #declare High = max_extent(Mesh);
#debug concat("extent ", vstr(3, Low, " ", 0, 3), " ", vstr(3, High, " ", 0, 3), "\\n")
#declare Size = max(vlength(High - Low), 0.001); #declare Middle = (Low + High) / 2;
"""
# A bright light and a tight highlight, so that normals lost or wrong change more than a few pixels.
LOOK = """camera {{ location Middle + <0.4, 0.6, -2> * Size look_at Middle angle 30 }}
light_source {{ Middle + <1, 2, -3> * Size color rgb 1.5 }}
object {{ Mesh pigment {{ color rgb <0.8, 0.5, 0.3> }} finish {{ ambient 0 diffuse 0.9 phong 1 phong_size 10 }} }}"""
# The quad (0..4 in x and y, uv 0..1) fills the picture, a checker cell 16 pixels wide. The texture comes in a
# later object, as users write it, and only the mesh2's own uv_mapping maps it by uv. Without uv the image falls
# back to its planar map, one tile per unit, and every cell centre here falls on the same spot of a tile.
CHECKER = """camera {{ orthographic location <2, 2, -5> look_at <2, 2, 0> right x * 4 up y * 4 }}
object {{ {1} texture {{ pigment {{ image_map {{ ppm "checker.ppm" }} }} finish {{ ambient 1 diffuse 0 }} }} }}"""
# POV-Ray parses a smooth_triangle with a zero normal but does not draw it, though it counts in the extent: lit,
# every drawn point is white. The 5 x 5 square of zero_normal at 10 pixels a unit.
LIT = """camera {{ orthographic location <2.5, 2.5, -5> look_at <2.5, 2.5, 0> right x * 5 up y * 5 }}
object {{ {1} pigment {{ color rgb 1 }} finish {{ ambient 1 diffuse 0 }} }}"""
CELLS = [[(row + column) % 2 == 0 for column in range(4)] for row in range(4)]  # light cells, the top row first
QUAD = "v 0 0 0\nv 4 0 0\nv 4 4 0\nv 0 4 0\nvn 0 0 -1\n"
UV = [("quad", "mesh2", True), ("quad", "union", False), ("bare_quad", "mesh2", False)]


def cylinder(sides=12, rings=4):
    """An open cylinder with texture and normals, a seam of doubled vertices where u wraps."""
    corners = [(math.cos(2 * math.pi * k / sides), 2 * j / rings - 1, math.sin(2 * math.pi * k / sides), k / sides,
                j / rings) for j in range(rings + 1) for k in range(sides + 1)]
    return fs("".join([*(f"v {x:.6f} {y:.6f} {z:.6f}\nvt {u:.6f} {v:.6f}\nvn {x:.6f} 0 {z:.6f}\n"
                         for x, y, z, u, v in corners), *("f " + " ".join(f"{i}/{i}/{i}" for i in (
                             a, a + 1, a + sides + 2, a + sides + 1)) + "\n" for a in (
                             j * (sides + 1) + k + 1 for j in range(rings) for k in range(sides)))]))


def povray_group():
    if not shutil.which("povray"):
        skip("povray is not installed (bash scripts/setup-debian.sh installs it)")
    n = 230  # a grid of 104882 faces, more than the stores start with
    meshes = {Path(obj).stem: read(obj) for obj in sorted(glob.glob(os.path.join(ARGS.testdata, "*/*.obj")))
              if Path(obj).stem != "odd"} | {
        "cylinder": cylinder(), "quad": fs(QUAD + "vt 0 0\nvt 1 0\nvt 1 1\nvt 0 1\nf 1/1/1 2/2/1 3/3/1 4/4/1\n"),
        "bare_quad": fs(QUAD + "f 1//1 2//1 3//1 4//1\n"),
        "words": WORDS,
        # Tiny triangles that the cut to three decimals flattens, and a corner named twice: POV-Ray bounds a flat
        # triangle by everything, which would spread over the whole union.
        "metres": fs("v 0 0 0\nv 2 0 0\nv 2 1 0\nv 0 1 0\nv 1.0001 0.5 0\nv 1.0002 0.5001 0\nv 1 0.5 0\nf 1 2 3 4\n"
                     "f 5 6 7\nf 1 2 1\n"),
        # The far triangle, around (2, 2), names a zero normal.
        "zero_normal": fs("v 0 0 0\nv 1 0 0\nv 0 1 0\nv 5 5 0\nvn 0 0 -1\nvn 0 0 0\nf 1//1 2//1 3//1\nf 2//2 4//1 3//1\n"),
        "grid": fs("".join([*(f"v {i}.{j:06d} {j}.{i:06d} 0.5\n" for i in range(n) for j in range(n)), "vn 0 0 -1\n", *(
            f"f {a}//1 {a + 1}//1 {a + n + 1}//1\nf {a}//1 {a + n + 1}//1 {a + n}//1\n"
            for a in (i * n + j + 1 for i in range(n - 1) for j in range(n - 1)))]))}
    with tempfile.TemporaryDirectory() as work:
        for name, data in meshes.items():
            pictures = [render(work, name, mode, data, LOOK, 64, 48) for mode in MODES]
            if name in ("donut", "cylinder") and all(pictures):  # the same scene from both writers
                alike(name, *pictures)
        check("grid: face count", b"//   face count: 104882", read(f"{work}/union/grid.inc").split(b"\r\n")[1])
        for name, mode, shown in UV:
            Path(work, mode, "checker.ppm").write_bytes(b"P6\n4 4\n255\n" + bytes(
                255 * light for row in CELLS for light in row for _ in "rgb"))
            if picture := render(work, name, mode, meshes[name], CHECKER, 64, 64):
                got = [[sum(picture[3 * ((16 * row + 8) * 64 + 16 * column + 8):][:3]) > 1.5 for column in range(4)]
                       for row in range(4)]
                verdict(f"{name} ({mode}): checker {'shown' if shown else 'not shown'}", (got == CELLS) == shown,
                        CELLS if shown else "anything else", got)
        for mode in MODES:
            if picture := render(work, "zero_normal", mode, meshes["zero_normal"], LIT, 50, 50):
                at = 3 * (30 * 50 + 20)  # the point (2, 2)
                verdict(f"zero_normal ({mode}): the triangle with a zero normal drawn", sum(picture[at:at + 3]) > 1.5,
                        "white", picture[at:at + 3])


def alike(name, union, mesh2):
    # Tolerance: a pixel differs when a channel moves by more than 10 % of full scale, and at most 1 % of the
    # pixels may differ; the union's coordinates, cut to three decimals, can move an edge by a pixel.
    apart = sum(max(abs(a - b) for a, b in zip(union[i:i + 3], mesh2[i:i + 3])) > 0.1
                for i in range(0, len(union), 3))
    verdict(f"{name}: union and mesh2 pictures alike", len(union) == len(mesh2) and apart <= len(union) / 3 / 100,
            "at most 1 % of the pixels more than 10 % apart", f"{apart} of {len(union) // 3} pixels")


def render(work, name, mode, data, scene, width, height):
    """The mesh converted in mode, rendered: its channel values, from 0 to 1, row by row; None on a failure."""
    folder, label = os.path.join(work, mode), f"{name} ({mode})"
    os.makedirs(folder, exist_ok=True)
    Path(folder, name + ".obj").write_bytes(data)
    run = subprocess.run([ARGS.meshfold, *MODES[mode], name + ".obj"], cwd=folder, capture_output=True)
    if not check(f"{label}: conversion exit code", 0, run.returncode):
        return None
    declared = re.search(rb"#declare (\S+) = ", read(os.path.join(folder, name + ".inc"))).group(1).decode()
    Path(folder, name + ".pov").write_text((SCENE + scene).format(name, declared))
    run = subprocess.run(["povray", f"+I{name}.pov", f"+O{name}.ppm", f"+W{width}", f"+H{height}", "-D", "-V", "+FP"],
                         cwd=folder, env={**os.environ, "HOME": work}, capture_output=True, text=True, timeout=300)
    picture = os.path.join(folder, name + ".ppm")
    said = re.search(r"^extent (.*)$", run.stderr, re.M)
    got, want = [float(x) for x in said.group(1).split()] if said else [], EXTENTS.get(
        f"{name} {mode}", EXTENTS.get(name, "an entry in EXTENTS"))
    # POV-Ray pads its bounding boxes a little.
    verdict(f"{label}: extent", len(got) == len(want.split()) == 6 and all(
        abs(a - float(b)) <= 0.001 for a, b in zip(got, want.split())), want, said.group(1) if said else "none printed")
    if not verdict(f"{label}: render", run.returncode == 0 and "Error" not in run.stderr and os.path.exists(picture)
                   and os.path.getsize(picture) > 0, "a picture, no error", run.stderr[-1500:]):
        return None
    suffix = {CHECKER: "-checker", LIT: "-lit"}.get(scene, "")
    shutil.copy(picture, os.path.join(ARTIFACTS, f"{name}-{mode}{suffix}.ppm"))
    return pixels(picture, width, height)


def pixels(picture, width, height):
    """A picture POV-Ray wrote: its channel values, from 0 to 1, row by row."""
    data = read(picture)  # binary PPM: P6, comment lines, width, height, largest value; then the samples
    head = re.match(rb"P6\s+(?:#[^\n]*\n\s*)*(\d+)\s+(\d+)\s+(\d+)\s", data)
    step, top = 1 + (int(head.group(3)) > 255), int(head.group(3))
    samples = data[head.end():]
    return [int.from_bytes(samples[i:i + step], "big") / top for i in range(0, width * height * 3 * step, step)]


# What a user sees of materials, vertex colours, image maps and groups: each model converted with --scene, then
# POV-Ray run on the scene Meshfold wrote as a user runs it, told only a size and where to write. That scene frames
# the model its own way, so a row judges where colours fall against one another, not at which pixels.
def hues(picture, width):
    """Each hue's share of the picture and its middle (x to the right, y up); grey, white and black have no hue,
    nor has the background, whose colour the top left corner shows. A hue names its strong channels: "r" red,
    "rg" yellow, "rb" magenta."""
    found = {}
    for i in range(0, len(picture), 3):
        rgb = picture[i:i + 3]
        if max(rgb) > 0.1 and min(rgb) < 0.5 * max(rgb) and max(abs(a - b) for a, b in zip(rgb, picture)) > 0.05:
            found.setdefault("".join(c for c, v in zip("rgb", rgb) if v > 0.6 * max(rgb)), []).append(
                (i // 3 % width, -(i // 3 // width)))
    return {hue: (3 * len(at) / len(picture), *(sum(p) / len(at) for p in zip(*at))) for hue, at in found.items()}


def seen(doc, fits):  # a judge of the picture's hues and the include file
    return described(doc, lambda found: fits(*found))


def halves(extra="", left="red", right="blue", lib="m.mtl", groups=("", "")):
    """Two unit squares side by side facing +Z, uv across both: the left in material left, the right in right."""
    obj = (f"mtllib {lib}\n" + "".join(f"v {x} {y} 0\nvt {x / 2} {y}\n" for y in (0, 1) for x in (0, 1, 2))
           + f"{groups[0]}usemtl {left}\nf 1/1 2/2 5/5 4/4\n{groups[1]}usemtl {right}\nf 2/2 3/3 6/6 5/5\n")
    return {"m.obj": fs(obj), lib: fs(f"newmtl red\nKd 1 0 0\n{extra}newmtl blue\nKd 0 0 1\nillum 1\n")}


def slab(up="y"):
    """An L facing +Z, its upright green on the left, its foot yellow to the right; its back, behind, magenta. With
    up z, the same L turned a quarter about x, so that it stands along +Z and faces -Y."""
    quads = [((0, 0), (1, 0), (1, 3), (0, 3)), ((1, 0), (3, 0), (3, 1), (1, 1))]
    place = "{0} {1} {2}" if up == "y" else "{0} {3} {1}"
    return {"m.obj": fs("mtllib m.mtl\n" + "".join("".join(f"v {place.format(x, y, z, -z)}\n"
                                                            for x, y in quad[::1 if z > 0 else -1])
                                                   + f"usemtl {name}\nf -4 -3 -2 -1\n" for z, names in (
        (0.25, ("green", "yellow")), (-0.25, ("magenta", "magenta"))) for quad, name in zip(quads, names))),
            "m.mtl": b"newmtl green\nKd 0 1 0\nnewmtl yellow\nKd 1 1 0\nnewmtl magenta\nKd 1 0 1\n"}


# A triangle with a red, a green and a blue corner, and the same one behind it: three colours, whatever the material.
COLOURED = fs("mtllib m.mtl\nusemtl red\n" + "".join(f"v {x} {y} {z} {c}\n" for z in (0, -1) for x, y, c in (
    (0, 0, "1 0 0"), (2, 0, "0 1 0"), (1, 2, "0 0 1"))) + "f 1 2 3\nf 4 5 6\n")
# Four cells, the top row first: red, green; blue, yellow. A grey plain as the bump map leaves the normals be.
IMAGES = {"cells.ppm": b"P6\n2 2\n255\n" + bytes([255, 0, 0, 0, 255, 0, 0, 0, 255, 255, 255, 0]),
          "plain.pgm": b"P5\n2 2\n255\n" + bytes([128] * 4)}
PICTURED = "newmtl pic\nKd 0.8 0.8 0.8\nmap_Kd cells.ppm\nmap_Bump plain.pgm\n"
CELLS_SEEN = seen("red cells left of green, blue left of yellow, red above blue, green above yellow, each at least 1 %",
                  lambda h, inc: min(h[c][0] for c in ("r", "g", "b", "rg")) > 0.01 and h["r"][1] < h["g"][1]
                  and h["b"][1] < h["rg"][1] and h["r"][2] > h["b"][2] and h["g"][2] > h["rg"][2])
SIDES = seen("red pixels left of blue ones, each at least 2 % of the picture",
             lambda h, inc: min(h["r"][0], h["b"][0]) > 0.02 and h["r"][1] < h["b"][1])
UPRIGHT = seen("the green upright left of and above the yellow foot, each at least 1 %, less of the magenta back, "
               "seen past the slab's open sides", lambda h, inc: min(h["g"][0], h["rg"][0]) > 0.01
               and h.get("rb", [0])[0] < (h["g"][0] + h["rg"][0]) / 2 and h["g"][1] < h["rg"][1]
               and h["g"][2] > h["rg"][2])
LOOKS = [  # what meshfold is given besides --scene, the words one warning must hold (none: no warning), the judge
    ("two materials, from an MTL file whose name has a blank", halves(lib="my m.mtl"), ["--mesh2"], (), SIDES),
    ("the front faces the camera, +X on the right, +Y up", slab(), ["--mesh2"], (), UPRIGHT),
    ("--up z: the front (-Y) faces the camera, +X on the right, +Z up", slab("z"), ["--mesh2", "--up", "z"], (),
     UPRIGHT),
    ("a union", slab(), [], (), None),
    ("vertex colours, before the material", {**halves(), "m.obj": COLOURED}, ["--mesh2"], (), seen(
        "red, blue, green corners left to right, blue on top, each at least 0.5 %; a texture a colour, not a corner",
        lambda h, inc: min(h[c][0] for c in "rgb") > 0.005 and h["r"][1] < h["b"][1] < h["g"][1]
        and h["b"][2] > max(h["r"][2], h["g"][2]) and 3 <= blocks(inc)["texture_list"][0] <= 5)),
    ("an image map", halves(PICTURED, "pic", "pic") | IMAGES, ["--mesh2"], (), CELLS_SEEN),
    ("an image named by a Windows path", halves(PICTURED.replace("cells", "D:\\dev\\x\\cells"), "pic", "pic")
     | IMAGES, ["--mesh2"], (), CELLS_SEEN),
    ("an image beside its MTL file in a sub-folder", halves(PICTURED, "pic", "pic", "sub/m.mtl") | {
        "sub/" + name: data for name, data in IMAGES.items()}, ["--mesh2"], (), CELLS_SEEN),
    ("a broken PNG", halves("map_Kd broken.png\n") | {"broken.png": b"\x89PNG\r\n\x1a\n\0\0\0\x0dIHDR" + bytes(17)},
     ["--mesh2"], ("broken.png",), SIDES),
    ("a Tr 1 cube, made opaque", {"m.obj": gold("cube.obj"), "cube.mtl": b"newmtl Material\nKd 1 0 0\nTr 1\n"},
     ["--mesh2"], ("wholly invisible",), seen("red over at least 5 %", lambda h, inc: h["r"][0] > 0.05)),
    ("groups", halves(groups=("o left\n", "g right-half\n")), ["--mesh2", "--groups"], (), seen(
        SIDES.__doc__ + "; a mesh2 of 4 vertices a group", lambda h, inc: SIDES((h, inc)) and [
            blocks(c)["vertex_vectors"][0] for c in inc.split(b"#declare ")[1:] if b"vertex_vectors" in c] == [4, 4])),
    ("two groups named alike as identifiers: the second one numbered", halves(groups=("o a-b\n", "g a b\n")),
     ["--mesh2", "--groups"], (), seen(SIDES.__doc__ + "; m_a_b and m_a_b_2", lambda h, inc: SIDES((h, inc)) and
                                       b"#declare m_a_b = " in inc and b"#declare m_a_b_2 = " in inc)),
    ("one group: the mesh itself, not a union of one", halves(groups=("o only\n", "")), ["--mesh2", "--groups"], (),
     seen(SIDES.__doc__ + "; no union", lambda h, inc: SIDES((h, inc)) and b"union" not in inc)),
    # The cut to three decimals lays the second triangle's corners on a line; a normal no face takes is zero.
    *((f"triangles without area, a zero normal unused ({form or 'union'})", {"m.obj": fs(
        "v 0 0 0\nv 1 0 0\nv 1 1 0\nv 2 0.0004 0\nvn 0 0 1\nvn 0 0 0\nf 1//1 2//1 3//1\nf 1//1 2//1 4//1\n"
        "f 1//1 3//1 4//1\n")}, form, (), seen("the sliver's line a comment, or only the normal taken written", lambda
        h, inc, mesh2=bool(form): blocks(inc)["normal_vectors"][1] == [b"0,0,1"] if mesh2 else inc.count(
            b"without area left out") == 1)) for form in ([], ["--mesh2"])),
    ("nothing to draw", {"m.obj": b"v 0 0 0\nv 1 0 0\n"}, ["--mesh2"], ("nothing to draw",), None),
    ("a missing MTL file", {"m.obj": halves(lib="gone.mtl")["m.obj"]}, ["--mesh2"], ("gone.mtl",), None),
    ("a comma for a decimal point", halves("Kd 0,5 0,5 0,5\n"), ["--mesh2"], ("m.mtl", "red"), None),
    ("a material no MTL file defines", halves(left="nosuch"), ["--mesh2"], ("nosuch",), seen(
        "the blue half kept, at least 2 %", lambda h, inc: h["b"][0] > 0.02)),
    ("a missing image", halves("map_Kd gone.ppm\n"), ["--mesh2"], ("gone.ppm",), SIDES),
    ("an MTL file of random bytes", halves() | {"m.mtl": random.Random(7).randbytes(4096)}, ["--mesh2"], ("m.mtl",),
     None),
]
# Our own view of the groups' include, 8 x 4 pixels over the squares: the left one fills columns 0 to 3.
VIEW = """#version 3.7; global_settings {{ assumed_gamma 1.0 }} #include "m.inc"
camera {{ orthographic location <1, 0.5, -5> look_at <1, 0.5, 0> right x * 2 up y }}
light_source {{ <1, 0.5, -5> color rgb 1 }} object {{ {} }}"""


# Boxes of every proportion, rendered from the scene at 4:3 and at 16:9: whole, none of the model on the picture's
# edge, at least half the picture along the model's longer side there, and a face in the key light. The lit grey
# model differs from the blue-grey background (sRGB <0.6, 0.65, 0.72>) by more than 0.04 in a channel.
FRAMES = [("1x4x1", (1, 4, 1), [], True), ("4x1x1", (4, 1, 1), [], False), ("1x1x4", (1, 1, 4), [], False),
          ("4x0.05x3", (4, 0.05, 3), [], False), ("1x1x4, +Z up", (1, 1, 4), ["--up=z"], True)]
BACKGROUND = [1.055 * c ** (1 / 2.4) - 0.055 for c in (0.6, 0.65, 0.72)]


def box(sides):
    corners = "".join(f"v {x * sides[0]} {y * sides[1]} {z * sides[2]}\n" for x in (0, 1) for y in (0, 1)
                      for z in (0, 1))
    return fs(corners + "f 1 2 4 3\nf 5 7 8 6\nf 1 5 6 2\nf 3 4 8 7\nf 1 3 7 5\nf 2 6 8 4\n")


# A low pyramid seen from the front, each face with its reversed twin: a twin must not join the normals of the
# face it backs, or they cancel and the pyramid shows dark blotches.
TWINS = [("twin faces in one smoothing group", []), ("twin faces, no smoothing groups, --crease 180",
                                                      ["--crease", "180"])]


def twins(smoothing):
    faces = ["1 2 5", "2 3 5", "3 4 5", "4 1 5"]
    return fs("v 0 0 0\nv 1 0 0\nv 1 1 0\nv 0 1 0\nv .5 .5 .2\n" + smoothing
              + "".join(f"f {face}\nf {' '.join(reversed(face.split()))}\n" for face in faces))


def framing(picture, width):
    """Where the model is in the picture: the columns and rows it spans, its pixels' mean, brightest value and the
    value a twentieth of them lie below."""
    at = [i // 3 for i in range(0, len(picture), 3)
          if max(abs(a - b) for a, b in zip(picture[i:i + 3], BACKGROUND)) > 0.04]
    values = [sum(picture[3 * i:3 * i + 3]) / 3 for i in at]
    columns, rows = {i % width for i in at}, {i // width for i in at}
    return (min(columns), max(columns), min(rows), max(rows), sum(values) / len(values), max(values),
            sorted(values)[len(values) // 20])


def whole(width, height, tall):
    return described(f"every model pixel inside the edge, at least half the picture along its longer side, "
                     f"{'taller than wide' if tall else 'wider than tall'}, a mean above 0.5 and a pixel above 0.65",
                     lambda f: 0 < f[0] and f[1] < width - 1 and 0 < f[2] and f[3] < height - 1 and f[4] > 0.5
                     and max((f[1] - f[0] + 1) / width, (f[3] - f[2] + 1) / height) >= 0.5 and f[5] > 0.65
                     and (f[3] - f[2] > f[1] - f[0]) == tall)


def shoot(folder, label, scene, width, height):
    """POV-Ray run on the scene in its folder: the picture (None on a failure) and what POV-Ray said."""
    run = subprocess.run(["povray", scene, f"+W{width}", f"+H{height}", "-D", "+Oshot.ppm", "+FP"], cwd=folder,
                         env={**os.environ, "HOME": folder}, capture_output=True, text=True, timeout=300)
    done = verdict(f"{label}: rendered", run.returncode == 0 and "Error" not in run.stderr, "exit 0, no error",
                   f"exit {run.returncode}\n{run.stderr[-1000:]}")
    return pixels(os.path.join(folder, "shot.ppm"), width, height) if done else None, run.stderr


def look_group():
    if not shutil.which("povray"):
        skip("povray is not installed (bash scripts/setup-debian.sh installs it)")
    with tempfile.TemporaryDirectory() as work:
        for number, (label, files, args, words, judge) in enumerate(LOOKS):
            folder, obj = os.path.join(work, f"row{number}"), f"row{number}/m.obj"
            os.mkdir(folder)
            for name, data in files.items():
                Path(folder, name).parent.mkdir(exist_ok=True)
                Path(folder, name).write_bytes(data)
            run = subprocess.run([ARGS.meshfold, *args, "--scene", obj], cwd=work, capture_output=True, text=True,
                                 errors="backslashreplace")
            check(f"{label}: exit code", 0, run.returncode)
            check(f"{label}: standard error", described(f"one line '{obj}: ...' naming {' or '.join(words)}", lambda
                  err: err.startswith(obj + ": ") and err.count("\n") == 1 and err.endswith("\n") and any(
                      word in err for word in words)) if words else "", run.stderr)
            picture, said = shoot(folder, label, "m.pov", 96, 72)
            if picture:
                shutil.copy(os.path.join(folder, "shot.ppm"), os.path.join(ARTIFACTS, f"row{number}.ppm"))
            if picture and not words:
                check(f"{label}: no POV-Ray warning", [], [line for line in said.splitlines()
                                                          if "Warning" in line and "Warning Stream" not in line])
            if picture and judge:
                check(f"{label}: picture", judge, (hues(picture, 96), read(os.path.join(folder, "m.inc"))))
        for label, sides, args, tall in FRAMES:
            folder = os.path.join(work, label)
            os.mkdir(folder)
            Path(folder, "m.obj").write_bytes(box(sides))
            check(f"{label}: exit code", 0, subprocess.run([ARGS.meshfold, *args, "--scene", "m.obj"], cwd=folder,
                                                           capture_output=True).returncode)
            for width, height in ((80, 60), (96, 54)):
                if picture := shoot(folder, f"{label} at {width}x{height}", "m.pov", width, height)[0]:
                    check(f"{label} at {width}x{height}: framed", whole(width, height, tall), framing(picture, width))
        for label, args in TWINS:
            folder = os.path.join(work, label)
            os.mkdir(folder)
            Path(folder, "m.obj").write_bytes(twins("" if args else "s 1\n"))
            subprocess.run([ARGS.meshfold, "--mesh2", *args, "--scene", "m.obj"], cwd=folder, capture_output=True)
            if picture := shoot(folder, label, "m.pov", 96, 72)[0]:
                check(f"{label}: evenly lit", described("the darkest twentieth of the model within 0.2 of its "
                                                        "brightest", lambda f: f[5] - f[6] < 0.2), framing(picture, 96))
        folder = os.path.join(work, f"row{[row[0] for row in LOOKS].index('groups')}")
        for name, drawn in (("m_left", "11110000"), ("m_right_half", "00001111"), ("m", "11111111")):
            Path(folder, "view.pov").write_text(VIEW.format(name))
            picture, _ = shoot(folder, f"groups: {name} alone", "view.pov", 8, 4)
            if picture:
                check(f"groups: {name} drawn, column by column", drawn, "".join(
                    str(int(max(picture[3 * (8 + c):][:3]) > 0.05)) for c in range(8)))


# Every word the installed POV-Ray refuses to declare and every word of the reserved-word table, each an OBJ base
# name: a "_" behind exactly the refused ones, and POV-Ray parses every declared name in one scene. The refused
# words, which scripts/povray-reserved-words.sh takes half a minute to find, are kept per script and POV-Ray.
def names_group():
    if not shutil.which("povray"):
        skip("povray is not installed (bash scripts/setup-debian.sh installs it)")
    root = Path(ARGS.testdata).parent
    script = root / "scripts" / "povray-reserved-words.sh"
    kept = Path(ARTIFACTS, "refused-" + "-".join(str(os.stat(f).st_mtime_ns) for f in (script, shutil.which("povray"))))
    if not kept.exists():
        kept.write_text(subprocess.run(["bash", script], capture_output=True, text=True, check=True).stdout)
    refused = set(kept.read_text().split())
    table = set(re.findall(r'u"(\w+)"', (root / "converter" / "writers" / "IdentifierName.cpp").read_text()))
    named = {word: word + "_" * (word in refused) for word in sorted(refused | table)}
    scene = "".join(f'#include "{word}.inc" object {{ {name} }}\n' for word, name in named.items())
    pov = "HOME=$PWD povray +Inames.pov +W8 +H8 -D -F >/dev/null 2>log || { grep -A1 Error log >&2; false; }"
    run_cases([case("each word, then POV-Ray on them all", args=[word + ".obj" for word in named], err="",
                    setup={"names.pov": fs(scene), **{word + ".obj": gold("tri.obj") for word in named}},
                    out="".join(summary(word, 3, 1, 1) for word in named), wrap=f'pov() {{ "$@" && {pov}; }}; pov',
                    files={word + ".inc": gold("tri.inc", word, name) for word, name in named.items()})])


# meshfold.exe is one Windows GUI program for x86-64 that carries its manifest
# and needs only the DLLs every Windows has.
PE = [("a PE32+ image for x86-64", r"file format pei-x86-64"),
      ("the GUI subsystem, no console", r"(?m)^Subsystem\s+00000002"),
      ("a manifest (type 24), id 1, language 1033", r"Entry: ID: 0x000018,.*\n.*\n.*Entry: ID: 0x000001,.*\n.*\n"
       r".*Entry: ID: 0x000409,")]
SYSTEM_DLLS = {"kernel32", "user32", "comdlg32", "comctl32", "ole32", "msvcrt", "advapi32", "shell32", "gdi32"}


def windows_exe_group():
    headers = subprocess.run([ARGS.objdump, "-p", ARGS.meshfold], capture_output=True, text=True).stdout
    for what, pattern in PE:
        verdict(what, re.search(pattern, headers) is not None, pattern, "no such lines in objdump -p")
    check("only system DLLs", set(), {dll.lower()[:-4] for dll in re.findall(r"DLL Name: (\S+)", headers)}-SYSTEM_DLLS)


GROUPS = {"terminal": lambda: run_cases(TERMINAL), "command_line": lambda: run_cases(COMMAND_LINE),
          "faults": lambda: run_cases(FAULTS), "mesh2": lambda: run_cases(MESH2),
          "polygons": lambda: run_cases(POLYGONS),
          "bad_input": lambda: run_cases(bad_input_cases(), seconds=120), "povray": povray_group, "names": names_group,
          "look": look_group,
          "zenity": zenity_group, "wine": wine_group, "windows_exe": windows_exe_group}
if __name__ == "__main__":
    os.makedirs(ARTIFACTS, exist_ok=True)
    sys.stdout.reconfigure(errors="backslashreplace")  # names that are not UTF-8
    GROUPS[ARGS.group]()
    print(f"{tally['passed']} passed, {tally['failed']} failed")
    sys.exit(1 if tally["failed"] else 0)
