#!/usr/bin/python3
"""Edit-to-screen latency of `scenario-compiler serve`, measured in a headless Chromium: from
the moment a source is saved to the first frame after the page's picture shows the change.

Usage: bench/preview_latency.py SCENARIO_COMPILER [SAVES]   (default: 20 saves per route)

Runs on the built-in scenario and on a 1,000,000 m route made here (curves of each class every
5 km, as bench/long_route.h makes it, with two stations so that a name can change). Each save
renames a station, as an editor saves (a new file renamed over the old one); the page's own
clock (Date.now(), the machine's clock) stamps the frame. Prints the median and the worst.
Everything runs on 127.0.0.1; each wait is bounded.
"""
import os
import re
import shutil
import signal
import statistics
import subprocess
import sys
import tempfile
import time

from selenium import webdriver
from selenium.webdriver.chrome.service import Service

WAIT = 10  # seconds, at most, for any one update


def long_route(folder):
    line = ["[generale]", "lunghezza percorso,    1000000", "[curve]"]
    cls, right, start = 1, True, 2000
    while start + 1500 < 1000000:
        line.append(f"{'curvad' if right else 'curvas'}{cls},  {start},  1500")
        cls, right, start = cls % 6 + 1, not right, start + 5000
    line += ["[pendenze]", "pendenza,  0,   0", "[fine]"]
    train = ["[generale]", "numero vetture,    8", "[aderenze]", "aderenza,   0,    100",
             "[vel_limite]", "velocita,   0,   150",
             "stazione, 0, 8, 800, 1, 0, 0, 4,1,0, 2,1,1, 1, 8,25,0, PRIMA",
             "stazione, 500000, 2, 600, 0, 1, 0, 2,1,0, 2,1,1, 60, 8,32,0, MEZZAVIA",
             "[fine]"]
    paths = (os.path.join(folder, "Lungo_linea.txt"), os.path.join(folder, "Lungo_1-.txt"))
    for path, rows in zip(paths, (line, train)):
        with open(path, "w", newline="") as f:
            f.write("\r\n".join(rows) + "\r\n")
    return paths, "MEZZAVIA"


def builtin_route(exe, folder):
    subprocess.run([exe, "export", "--out", folder], check=True, stdout=subprocess.DEVNULL)
    return ((os.path.join(folder, "Zenvro_Quarvel_linea.txt"),
             os.path.join(folder, "Zenvro_Quarvel_2417-.txt")), "MORLENO")


def save_over(path, old, new):
    with open(path, encoding="cp1252", newline="") as f:
        text = f.read()
    with open(path + ".swp", "w", encoding="cp1252", newline="") as f:
        f.write(text.replace(old, new, 1))
    saved = time.time() * 1000
    os.replace(path + ".swp", path)
    return saved


def measure(exe, driver, sources, name, saves):
    serve = subprocess.Popen([exe, "serve", *sources, "--port", "0"], stdout=subprocess.PIPE,
                             text=True)
    try:
        port = int(re.search(r":(\d+)/$", serve.stdout.readline().strip()).group(1))
        driver.get(f"http://127.0.0.1:{port}/")
        deadline = time.time() + WAIT * 3
        while driver.execute_script("return document.body.dataset.picture") is None:
            if time.time() > deadline:
                raise RuntimeError("the first picture never came")
            time.sleep(0.05)
        # Stamps the first frame after the picture holds the awaited name.
        driver.execute_script("""
            window.awaited = null; window.seenAt = null;
            new MutationObserver(() => {
              if (window.awaited && window.seenAt === null &&
                  document.querySelector('#picture svg').outerHTML.includes(window.awaited)) {
                const awaited = window.awaited;
                requestAnimationFrame(() => { if (window.awaited === awaited) window.seenAt = Date.now(); });
              }
            }).observe(document.getElementById('picture'), {childList: true, subtree: true});""")
        latencies, current = [], name
        for i in range(saves):
            fresh = f"{name[:4]}{i:04d}"
            driver.execute_script("window.seenAt = null; window.awaited = arguments[0];", fresh)
            saved = save_over(sources[1], current, fresh)
            current = fresh
            deadline = time.time() + WAIT
            seen = None
            while seen is None:
                if time.time() > deadline:
                    raise RuntimeError(f"save {i} never showed")
                time.sleep(0.01)
                seen = driver.execute_script("return window.seenAt")
            latencies.append(seen - saved)
            time.sleep(0.1)  # a save at a time, as an author makes them
        return latencies
    finally:
        serve.send_signal(signal.SIGINT)
        serve.wait(timeout=WAIT)


def main():
    exe = os.path.abspath(sys.argv[1])
    saves = int(sys.argv[2]) if len(sys.argv) > 2 else 20
    options = webdriver.ChromeOptions()
    for argument in ("--headless=new", "--no-sandbox", "--disable-gpu", "--disable-dev-shm-usage",
                     "--window-size=1400,1000"):
        options.add_argument(argument)
    driver = webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)
    folder = tempfile.mkdtemp(prefix="sc-latency-")
    try:
        for label, make in (("built-in scenario (82 km)", lambda f: builtin_route(exe, f)),
                            ("1,000,000 m route", long_route)):
            sub = os.path.join(folder, str(len(os.listdir(folder))))
            os.makedirs(sub)
            sources, name = make(sub)
            ms = measure(exe, driver, sources, name, saves)
            print(f"{label}: {len(ms)} saves, median {statistics.median(ms):.0f} ms, "
                  f"worst {max(ms):.0f} ms")
    finally:
        driver.quit()
        shutil.rmtree(folder, ignore_errors=True)


if __name__ == "__main__":
    main()
