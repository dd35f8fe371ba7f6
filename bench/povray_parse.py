#!/usr/bin/env python3
"""What POV-Ray 3.7 pays to read each form of include file for one large mesh, as a Markdown table.

    python3 bench/povray_parse.py                        # a 500 x 500 sphere: 499,002 triangles
    python3 bench/povray_parse.py --rows 1000 --columns 1000 --runs 5

Builds meshfold and meshfold_sphere in release mode (in build-bench/, as bench/run.sh does), writes the
sphere, converts it once as a union of smooth triangles and once with --mesh2, and renders each include
file RUNS times in a 16 x 16 picture without display. Per form, the medians of: the include file's size,
POV-Ray's own parse and bounding times (the wall time and the CPU time it states), the wall time of the
whole run and its peak memory (the largest resident set of the povray process).
"""
import argparse
import os
import re
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
BUILD = os.path.join(ROOT, "build-bench")
FORMS = {"union": [], "mesh2": ["--mesh2"]}
SCENE = """#version 3.7;
#include "ball.inc"
camera { location <0, 0, -4> look_at 0 }
light_source { <2, 4, -3> color rgb 1 }
object { ball pigment { color rgb 1 } }
"""


def run(argv, cwd, env=None):
    """Runs argv to its end: its standard error, wall seconds and peak resident set in MB."""
    start = time.perf_counter()
    child = subprocess.Popen(argv, cwd=cwd, env=env, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True)
    log = child.stderr.read()
    _, status, usage = os.wait4(child.pid, 0)
    if os.waitstatus_to_exitcode(status) != 0:
        sys.exit(f"povray_parse.py: {argv[0]} failed\n{log[-2000:]}")
    return log, time.perf_counter() - start, usage.ru_maxrss / 1024


def stated(log, phase):
    """The wall and CPU seconds POV-Ray's statistics give for a phase ("Parse" or "Bounding")."""
    found = re.search(phase + r" Time: .*\(([\d.]+) seconds\)\s+using \d+ thread\(s\) with ([\d.]+) CPU-seconds", log)
    if not found:
        sys.exit(f"povray_parse.py: no {phase} time in POV-Ray's statistics\n{log[-2000:]}")
    return float(found.group(1)), float(found.group(2))


def measure(work, form, runs):
    """One row of the table for one form of the include file."""
    folder = os.path.join(work, form)
    os.mkdir(folder)
    os.link(os.path.join(work, "ball.obj"), os.path.join(folder, "ball.obj"))
    subprocess.run([os.path.join(BUILD, "meshfold"), *FORMS[form], "ball.obj"], cwd=folder, check=True,
                   stdout=subprocess.DEVNULL)
    with open(os.path.join(folder, "scene.pov"), "w") as scene:
        scene.write(SCENE)
    samples = []
    for _ in range(runs):
        # A home of its own spares POV-Ray's complaint about a missing user configuration.
        log, wall, peak = run(["povray", "+Iscene.pov", "+Oscene.png", "+W16", "+H16", "-D", "-V", "+FN"], folder,
                              {**os.environ, "HOME": work})
        samples.append((*stated(log, "Parse"), *stated(log, "Bounding"), wall, peak))
    medians = [statistics.median(column) for column in zip(*samples)]
    size = os.path.getsize(os.path.join(folder, "ball.inc")) / 1e6
    return f"| {form} | {size:.1f} | " + " | ".join(f"{value:.2f}" for value in medians[:5]) + f" | {medians[5]:.0f} |"


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--rows", type=int, default=500)
    parser.add_argument("--columns", type=int, default=500)
    parser.add_argument("--runs", type=int, default=3)
    options = parser.parse_args()
    if not shutil.which("povray"):
        sys.exit("povray is not installed (bash scripts/setup-debian.sh installs it)")
    subprocess.run(["cmake", "-S", ROOT, "-B", BUILD, "-G", "Ninja", "-DCMAKE_BUILD_TYPE=Release",
                    "-DMESHFOLD_TESTS=OFF"], check=True, stdout=subprocess.DEVNULL)
    subprocess.run(["cmake", "--build", BUILD, "--target", "meshfold", "meshfold_sphere", "--", "-j2"], check=True,
                   stdout=subprocess.DEVNULL)
    with tempfile.TemporaryDirectory(dir="/dev/shm" if os.path.isdir("/dev/shm") else None) as work:
        os.makedirs(os.path.join(work, ".povray", "3.7"))
        open(os.path.join(work, ".povray", "3.7", "povray.conf"), "w").close()
        subprocess.run([os.path.join(BUILD, "meshfold_sphere"), "--rows", str(options.rows), "--columns",
                        str(options.columns), os.path.join(work, "ball.obj")], check=True)
        commit = subprocess.run(["git", "-C", ROOT, "rev-parse", "--short", "HEAD"], capture_output=True,
                                text=True).stdout.strip() or "unknown"
        with open(os.path.join(work, "ball.obj"), "rb") as obj:
            faces = sum(line.startswith(b"f ") for line in obj)
        print(f"{options.rows} x {options.columns} sphere: {faces:,} triangles, "
              f"{os.path.getsize(os.path.join(work, 'ball.obj')) / 1e6:.1f} MB of OBJ; medians of {options.runs} runs; "
              f"load {os.getloadavg()[0]:.1f} on {os.cpu_count()} cores; build {commit}\n")
        print("| form | include MB | parse s | parse cpu s | bounding s | bounding cpu s | povray s | peak MB |")
        print("|---|---|---|---|---|---|---|---|")
        for form in FORMS:
            print(measure(work, form, options.runs), flush=True)


if __name__ == "__main__":
    main()
