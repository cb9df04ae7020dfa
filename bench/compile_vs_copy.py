#!/usr/bin/env python3
"""The 1,000,000 m route's compile against a durable copy of its output bytes.

Runs `compile` of the long route (bench/long_route.h's sources) and `cp` of its three files
followed by `sync` of the files and their folder, alternately, so both meet the same state of
the machine; prints the mean wall and CPU time (user + system) of each and their ratios.

Usage: bench/compile_vs_copy.py [EXECUTABLE] [--runs N]   (default build/default/scenario-compiler, 30 runs)
"""
import os
import resource
import shutil
import subprocess
import sys
import tempfile
import time


def line_file():
    s = "[generale]\r\nlunghezza percorso,    1000000\r\n[curve]\r\n"
    cls, right, start = 1, True, 2000
    while start + 1500 < 1000000:
        s += f"{'curvad' if right else 'curvas'}{cls},  {start},  1500\r\n"
        cls, right, start = cls % 6 + 1, not right, start + 5000
    return s + "[pendenze]\r\npendenza,  0,   0\r\n[fine]\r\n"


TRAIN_FILE = ("[generale]\r\nnumero vetture,    8\r\n[aderenze]\r\naderenza,   0,    100\r\n"
              "[vel_limite]\r\nvelocita,   0,   150\r\n[fine]\r\n")


def timed(command):
    """Wall and CPU seconds of one run of `command`, a list."""
    before = resource.getrusage(resource.RUSAGE_CHILDREN)
    start = time.perf_counter()
    subprocess.run(command, check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    wall = time.perf_counter() - start
    after = resource.getrusage(resource.RUSAGE_CHILDREN)
    cpu = (after.ru_utime - before.ru_utime) + (after.ru_stime - before.ru_stime)
    return wall, cpu


def main():
    args = sys.argv[1:]
    runs = 30
    if "--runs" in args:
        i = args.index("--runs")
        runs = int(args[i + 1])
        del args[i:i + 2]
    exe = os.path.abspath(args[0] if args else "build/default/scenario-compiler")
    work = tempfile.mkdtemp(prefix="sc-copy-", dir=os.environ.get("TMPDIR", "/tmp"))
    try:
        line, train = os.path.join(work, "Lungo_linea.txt"), os.path.join(work, "Lungo_1-.txt")
        with open(line, "w", newline="") as f:
            f.write(line_file())
        with open(train, "w", newline="") as f:
            f.write(TRAIN_FILE)
        ref, run_out, copy_out = (os.path.join(work, d) for d in ("ref", "run", "copy"))
        for d in (ref, run_out, copy_out):
            os.mkdir(d)
        subprocess.run([exe, "compile", line, train, "--out", ref], check=True,
                       stdout=subprocess.DEVNULL)
        names = sorted(os.listdir(ref))
        compile_cmd = [exe, "compile", line, train, "--out", run_out]
        copy_cmd = ["sh", "-c", 'cp "$@" "$0" && cd "$0" && sync ' + " ".join(names) + " .",
                    copy_out] + [os.path.join(ref, n) for n in names]
        for _ in range(3):  # warm-up
            timed(compile_cmd), timed(copy_cmd)
        totals = {"compile": [0.0, 0.0], "copy": [0.0, 0.0]}
        for _ in range(runs):
            for name, cmd in (("compile", compile_cmd), ("copy", copy_cmd)):
                wall, cpu = timed(cmd)
                totals[name][0] += wall
                totals[name][1] += cpu
        size = sum(os.path.getsize(os.path.join(ref, n)) for n in names)
        c, k = totals["compile"], totals["copy"]
        print(f"1,000,000 m route, {size} bytes in {len(names)} files, {runs} runs each, alternating")
        print(f"compile        wall {1000 * c[0] / runs:7.1f} ms   cpu {1000 * c[1] / runs:7.1f} ms")
        print(f"cp + sync      wall {1000 * k[0] / runs:7.1f} ms   cpu {1000 * k[1] / runs:7.1f} ms")
        print(f"ratio          wall {c[0] / k[0]:7.2f}      cpu {c[1] / k[1]:7.2f}")
    finally:
        shutil.rmtree(work)


if __name__ == "__main__":
    main()
