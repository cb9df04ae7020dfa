#!/usr/bin/env python3
"""The regression corpus compiled by the built program itself, one process a case, as an author
runs it: `compile LINE TRAIN --out DIR --emit-on-fault [--no-plan]`, each case held to the code it
must record, the stamping message it must show and the bytes of every file it must write.

usage: corpus_exe.py PROGRAM CORPUS_FOLDER CASES_FOLDER WORK_FOLDER [--emulator CMD] [--jobs N]

CORPUS_FOLDER holds corpus.json; CASES_FOLDER, its corpus.tar.xz as the build unpacked it.

The cross build runs it with the .exe under Wine (--emulator wine): the test suite's corpus test
checks the same cases in the test's process; this checks the program as it ships.
"""
import argparse
import concurrent.futures
import hashlib
import json
import os
import re
import shutil
import subprocess
import sys
import threading

REPORTED = re.compile(r": error (\d+): ")
RETRIED = []
RETRIED_LOCK = threading.Lock()
STAMPING = re.compile(r"^ Errore n\. (\d+)$", re.MULTILINE)


def run_case(args, name, want):
    sources = os.path.join(args.cases, "cases", name)
    out = os.path.join(args.work, "out", name)
    os.makedirs(out, exist_ok=True)
    command = args.emulator + [args.program, "compile",
                               os.path.join(sources, "Zenvro_Quarvel_linea.txt"),
                               os.path.join(sources, "Zenvro_Quarvel_2417-.txt"),
                               "--out", out, "--emit-on-fault"]
    if not want["plan"]:
        command.append("--no-plan")
    run = subprocess.run(command, capture_output=True, timeout=120)
    # Every compile prints: a "wrote" line or its faults. Under Wine about one run in a few
    # thousand ended with status 1, nothing printed and nothing written, and the same run again
    # gave its bytes: such a run is tried once more, and counted.
    if not run.stdout and not run.stderr:
        with RETRIED_LOCK:
            RETRIED.append(name)
        shutil.rmtree(out, ignore_errors=True)
        os.makedirs(out, exist_ok=True)
        run = subprocess.run(command, capture_output=True, timeout=120)
    err = run.stderr.decode("utf-8", "replace")
    codes = REPORTED.findall(err)
    code = int(codes[-1]) if codes else 0
    shown = STAMPING.search(err)
    shown = shown.group(1) if shown else None
    files = {}
    for file in sorted(os.listdir(out)):
        with open(os.path.join(out, file), "rb") as f:
            files[file] = hashlib.sha256(f.read()).hexdigest()
    problems = []
    if want.get("refused"):
        if not (code != 0 or run.returncode in (1, 3)):
            problems.append("not refused (status %d)" % run.returncode)
    else:
        status = 0 if want["error_code"] == 0 and want["shown"] is None else 1
        if code != want["error_code"]:
            problems.append("error code %d, not %d" % (code, want["error_code"]))
        if shown != want["shown"]:
            problems.append("stamping message %s, not %s" % (shown, want["shown"]))
        if run.returncode != status:
            problems.append("status %d, not %d" % (run.returncode, status))
        if files != want["files"]:
            problems.append("files %s, not %s" % (files, want["files"]))
    shutil.rmtree(out, ignore_errors=True)
    if problems:
        return "case %s (%s): %s\n%s" % (name, want.get("from", ""), "; ".join(problems), err)
    return None


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("program")
    parser.add_argument("corpus")
    parser.add_argument("cases")
    parser.add_argument("work")
    parser.add_argument("--emulator", default="")
    parser.add_argument("--jobs", type=int, default=2)
    args = parser.parse_args()
    args.emulator = args.emulator.split() if args.emulator else []
    shutil.rmtree(args.work, ignore_errors=True)
    os.makedirs(args.work)
    with open(os.path.join(args.corpus, "corpus.json"), encoding="utf-8") as f:
        cases = json.load(f)["cases"]
    if len(cases) < 1600:
        print("the corpus holds %d cases, fewer than its 1600" % len(cases))
        return 1
    with concurrent.futures.ThreadPoolExecutor(args.jobs) as pool:
        failures = [f for f in pool.map(lambda c: run_case(args, c[0], c[1]), cases.items()) if f]
    for failure in failures:
        print(failure)
    print("%d cases, %d as they must be, %d not; %d runs that printed nothing tried again%s" %
          (len(cases), len(cases) - len(failures), len(failures), len(RETRIED),
           (" (" + ", ".join(sorted(RETRIED)) + ")") if RETRIED else ""))
    if not failures:
        shutil.rmtree(args.work, ignore_errors=True)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
