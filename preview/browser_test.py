#!/usr/bin/python3
"""The preview page in a real headless Chromium: it draws the built-in route and its timetable,
follows saves without a reload, marks a late leg in red, shows a broken row's diagnostic and the
stale mark, clears both once fixed, the server refuses other host names and other paths, and
twenty tabs open at once all draw the route and follow a save while the server still answers at
once.

Usage: browser_test.py SCENARIO_COMPILER SCREENSHOT_FOLDER
Screenshots of each step go into SCREENSHOT_FOLDER. Every wait is bounded.
"""
import os
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import time
import urllib.request

from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.by import By
from selenium.webdriver.support.ui import WebDriverWait

WAIT = 8  # seconds, for any one condition
ROUTE = "Zenvro_Quarvel_2417"
TABS = 20
TAB_WAIT = 3  # seconds for a new tab to draw the route, however many are open
LOOPBACK_NAMES = ("127.0.0.1", "localhost", "[::1]")


def fail(message):
    raise AssertionError(message)


def save_over(path, old, new):
    """Saves as many editors do: a new file renamed over the old one."""
    with open(path, encoding="cp1252", newline="") as f:
        text = f.read()
    if old not in text:
        fail(f"{old!r} is not in {path}")
    with open(path + ".swp", "w", encoding="cp1252", newline="") as f:
        f.write(text.replace(old, new, 1))
    os.replace(path + ".swp", path)


class Serving:
    """scenario-compiler serve, started on a free port of 127.0.0.1."""

    def __init__(self, exe, line, train):
        self.process = subprocess.Popen([exe, "serve", line, train, "--port", "0"],
                                        stdout=subprocess.PIPE, text=True)
        first = self.process.stdout.readline()
        match = re.fullmatch(rf"serving {ROUTE} at http://127\.0\.0\.1:(\d+)/\n", first)
        if not match:
            self.process.kill()
            fail(f"unexpected first line: {first!r}")
        self.port = int(match.group(1))
        self.url = f"http://127.0.0.1:{self.port}/"

    def stop(self):
        self.process.send_signal(signal.SIGINT)
        try:
            status = self.process.wait(timeout=WAIT)
        except subprocess.TimeoutExpired:
            self.process.kill()
            fail("serve did not end on SIGINT")
        rest = self.process.stdout.read()
        if status != 0:
            fail(f"serve ended with {status} on SIGINT")
        return rest


def browser():
    options = webdriver.ChromeOptions()
    for argument in ("--headless=new", "--no-sandbox", "--disable-gpu", "--disable-dev-shm-usage",
                     "--window-size=1400,1000", "--no-first-run", "--disable-extensions",
                     # No name resolves but the one the rebinding test points at loopback:
                     # the page must need no outside address.
                     "--host-resolver-rules=MAP rebound.example 127.0.0.1, "
                     "MAP * ~NOTFOUND, EXCLUDE localhost, EXCLUDE 127.0.0.1, EXCLUDE ::1"):
        options.add_argument(argument)
    return webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)


def main():
    exe, shots = os.path.abspath(sys.argv[1]), os.path.abspath(sys.argv[2])
    os.makedirs(shots, exist_ok=True)
    author = tempfile.mkdtemp(prefix="sc-browser-")
    subprocess.run([exe, "export", "--out", author], check=True, stdout=subprocess.DEVNULL)
    line = os.path.join(author, "Zenvro_Quarvel_linea.txt")
    train = os.path.join(author, "Zenvro_Quarvel_2417-.txt")
    serving = Serving(exe, line, train)
    driver = browser()
    wait = WebDriverWait(driver, WAIT)
    step = 0

    def shot(name):
        nonlocal step
        step += 1
        driver.save_screenshot(os.path.join(shots, f"{step:02d}-{name}.png"))

    def js(script, *args):
        return driver.execute_script(script, *args)

    def svg_text():
        return js("const s = document.querySelector('#picture svg'); return s ? s.outerHTML : ''")

    try:
        # Loads and draws the route's 15 stations.
        driver.get(serving.url)
        wait.until(lambda d: js("return document.body.dataset.picture") == "1")
        stations = driver.find_elements(By.CSS_SELECTOR, "#picture svg circle.station-dot")
        if len(stations) != 15:
            fail(f"{len(stations)} stations drawn, not 15")
        if "MORLENO" not in svg_text():
            fail("the station MORLENO is not in the picture")
        if driver.find_element(By.ID, "stale").is_displayed():
            fail("stale shown on a clean start")
        if driver.find_element(By.ID, "status").text != "ok, 0 warnings":
            fail(f"status {driver.find_element(By.ID, 'status').text!r}")
        foreign = js("return performance.getEntriesByType('resource').map(e => e.name)"
                     ".filter(n => !n.startsWith(arguments[0]))", serving.url)
        if foreign:
            fail(f"the page loaded outside addresses: {foreign}")
        # The timetable: how tight it is above the picture, and its diagram, every leg kept.
        line = driver.find_element(By.ID, "timetable")
        if not line.text.startswith("timetable: the timetable can be kept") or \
                line.get_attribute("class") != "kept":
            fail(f"the timetable line reads {line.text!r}")
        if len(driver.find_elements(By.CSS_SELECTOR, "#picture svg g.time-distance path.modelled-run")) != 11:
            fail("the diagram does not hold the 11 legs' modelled runs")
        shot("loaded")

        # Zoom in with the wheel; the zoom is kept across updates. A mark on the window tells
        # that the page is never reloaded.
        picture = driver.find_element(By.ID, "picture")
        js("""const p = arguments[0], r = p.getBoundingClientRect();
              p.dispatchEvent(new WheelEvent('wheel', {deltaY: -600, clientX: r.left + 200,
                  clientY: r.top + 300, bubbles: true, cancelable: true}));
              window.notReloaded = true;""", picture)
        zoomed = js("return document.querySelector('#picture svg').getAttribute('viewBox')")
        whole = js("return document.querySelector('#picture svg').dataset.whole")
        if zoomed == whole:
            fail("the wheel did not zoom")

        # An edit to a station's name shows without a reload, at the same zoom.
        save_over(train, "MORLENO", "MORLANDO")
        wait.until(lambda d: "MORLANDO" in svg_text())
        if "MORLENO" in svg_text():
            fail("the old name is still drawn")
        if not js("return window.notReloaded === true"):
            fail("the page was reloaded")
        if js("return document.querySelector('#picture svg').getAttribute('viewBox')") != zoomed:
            fail("the zoom was lost on the update")
        shot("renamed")

        # A time no train can keep: the warning at its row, the leg in red, the line in red;
        # then the time as it was.
        save_over(train, "   8,32, 0, MORLANDO", "   8,28, 0, MORLANDO")
        wait.until(lambda d: d.find_element(By.ID, "timetable").get_attribute("class") == "late")
        if "cannot be kept even at line speed" not in driver.find_element(By.ID, "timetable").text:
            fail(f"the timetable line reads {driver.find_element(By.ID, 'timetable').text!r}")
        late = driver.find_elements(By.CSS_SELECTOR, "#picture svg path.modelled-run.late")
        if len(late) != 1 or late[0].get_attribute("data-m") != "800":
            fail(f"{len(late)} late legs drawn, not the one from 800 m")
        if "[-Wtimetable]" not in driver.find_element(By.ID, "problems").text:
            fail("the timetable warning is not listed")
        shot("late-leg")
        save_over(train, "   8,28, 0, MORLANDO", "   8,32, 0, MORLANDO")
        wait.until(lambda d: d.find_element(By.ID, "timetable").get_attribute("class") == "kept")
        js("document.getElementById('picture').dispatchEvent(new MouseEvent('dblclick'))")

        # A broken row: its diagnostic with file and line, and the stale mark.
        save_over(train, "stazione,    6000,", "stazione,    abc,")
        wait.until(lambda d: d.find_element(By.ID, "stale").is_displayed())
        items = driver.find_elements(By.CSS_SELECTOR, "#problems li")
        if len(items) != 1:
            fail(f"{len(items)} problems listed, not 1")
        if not items[0].text.startswith(f"{train}:31\n{train}:31:14: error 25"):
            fail(f"the problem reads {items[0].text!r}")
        if "errors" not in driver.find_element(By.ID, "status").get_attribute("class"):
            fail("the status does not show the error")
        if "MORLANDO" not in svg_text():
            fail("the last good picture is gone")
        shot("broken")

        # A station off the 50 m grid: an error that records its position, marked on the plan
        # and the profiles once chosen.
        save_over(train, "stazione,    abc,", "stazione,    6010,")
        wait.until(lambda d: "error 8" in d.find_element(By.ID, "problems").text)
        if not driver.find_element(By.ID, "stale").is_displayed():
            fail("not stale while the station is off the grid")
        items = driver.find_elements(By.CSS_SELECTOR, "#problems li.error")
        if len(items) != 1 or not items[0].text.startswith(f"{train}:31\n"):
            fail(f"the off-grid error is not listed: {[i.text for i in items]}")
        items[0].click()
        marks = driver.find_elements(By.CSS_SELECTOR, "#picture svg .problem-mark")
        if sorted(m.tag_name for m in marks) != ["circle", "line"]:
            fail(f"marks drawn: {[m.tag_name for m in marks]}")
        # On the profiles, the mark stands where the station's name column meets the axis.
        axis = js("""const p = document.querySelector('#picture svg g.profiles');
                     const x0 = Number(p.dataset.x0), x1 = Number(p.dataset.x1);
                     return x0 + (x1 - x0) * 6010 / Number(p.dataset.axisEnd);""")
        line_x = js("return document.querySelector('#picture svg line.problem-mark').x1.baseVal.value")
        if abs(axis - line_x) > 0.01:
            fail(f"the profiles' mark is at x {line_x}, not {axis}")
        # The plan's mark stands at the station's dot, 10 m from it.
        station = js("""const s = [...document.querySelectorAll('#picture svg circle.station-dot')]
                          .find(c => c.dataset.m === '6000'); return [s.cx.baseVal.value, s.cy.baseVal.value];""")
        ring = js("""const c = document.querySelector('#picture svg circle.problem-mark');
                     return [c.cx.baseVal.value, c.cy.baseVal.value];""")
        if abs(station[0] - ring[0]) > 2 or abs(station[1] - ring[1]) > 2:
            fail(f"the plan's mark {ring} is not at the station {station}")
        shot("error-marked")

        # Fixed: no problem, no stale mark.
        save_over(train, "stazione,    6010,", "stazione,    6000,")
        wait.until(lambda d: not d.find_elements(By.CSS_SELECTOR, "#problems li"))
        if driver.find_element(By.ID, "stale").is_displayed():
            fail("still stale once fixed")
        if driver.find_element(By.ID, "status").text != "ok, 0 warnings":
            fail(f"status {driver.find_element(By.ID, 'status').text!r} once fixed")
        if driver.find_elements(By.CSS_SELECTOR, "#picture svg .problem-mark"):
            fail("a mark outlived its problem")
        shot("fixed")

        # Pointing at a station tells what it is.
        dot = next(s for s in driver.find_elements(By.CSS_SELECTOR, "#picture svg circle.station-dot")
                   if s.get_attribute("data-m") == "6000")
        webdriver.ActionChains(driver).move_to_element(dot).perform()
        hover = driver.find_element(By.ID, "hover")
        wait.until(lambda d: hover.is_displayed())
        if "MORLANDO" not in hover.text or "at 6000 m (km 6.000)" not in hover.text or "stop cell 6250 m to 6300 m" not in hover.text:
            fail(f"the hover reads {hover.text!r}")
        shot("hover")

        # A name rebound to 127.0.0.1 gets nothing; nor does any other path.
        driver.get(f"http://rebound.example:{serving.port}/state")
        body = driver.find_element(By.TAG_NAME, "body").text
        if "forbidden" not in body or "summary" in body:
            fail(f"the rebound name got {body!r}")
        shot("rebound-forbidden")
        for path in ("etc/passwd", "%2e%2e/%2e%2e/etc/passwd", "index.html", "preview/page.js"):
            driver.get(serving.url + path)
            body = driver.find_element(By.TAG_NAME, "body").text
            if body != "not found":
                fail(f"/{path} got {body!r}")
        shot("not-found")
        driver.get(f"http://localhost:{serving.port}/")
        wait.until(lambda d: js("return document.body.dataset.picture") is not None)

        # Twenty tabs under the three names of loopback: more than a browser's six connections
        # a name. Each draws the route at once, the server answers at once meanwhile, and a
        # save reaches every tab, also once the tab that asked the server for the others closed.
        first = driver.current_window_handle
        tabs = []
        started = time.monotonic()
        slowest = 0
        for i in range(TABS):
            driver.switch_to.new_window("tab")
            opened = time.monotonic()
            driver.get(f"http://{LOOPBACK_NAMES[i % 3]}:{serving.port}/")
            WebDriverWait(driver, TAB_WAIT).until(lambda d: "MORLANDO" in svg_text(),
                                                  f"tab {i + 1} did not draw the route")
            slowest = max(slowest, time.monotonic() - opened)
            tabs.append(driver.current_window_handle)
        loaded = time.monotonic() - started
        probe = 0
        for _ in range(5):
            asked = time.monotonic()
            with urllib.request.urlopen(serving.url + "page.css", timeout=WAIT) as reply:
                reply.read()
            probe = max(probe, time.monotonic() - asked)
            time.sleep(0.1)
        if probe > 0.1:
            fail(f"with {TABS} tabs open a GET took {probe * 1000:.0f} ms")
        followed = []
        for old, new in (("MORLANDO", "MORLANDINO"), ("MORLANDINO", "MORLANDETTO")):
            save_over(train, old, new)
            saved = time.monotonic()
            for tab in tabs:
                driver.switch_to.window(tab)
                wait.until(lambda d: new in svg_text())
            followed.append(time.monotonic() - saved)
            shot("many-tabs")
            # The first tab of each name asked the server for the others of its name.
            for tab in tabs[:3]:
                driver.switch_to.window(tab)
                driver.close()
            tabs = tabs[3:]
        for tab in tabs:
            driver.switch_to.window(tab)
            driver.close()
        driver.switch_to.window(first)
        print(f"{TABS} tabs drawn in {loaded:.1f} s, the slowest in {slowest:.1f} s; the slowest of "
              f"5 GETs meanwhile took {probe * 1000:.0f} ms; "
              f"every tab showed a save within {followed[0]:.1f} s, and within {followed[1]:.1f} s "
              "once the first tabs closed")
    finally:
        driver.quit()
        rest = serving.stop()
        shutil.rmtree(author, ignore_errors=True)
    if "stopped" not in rest:
        fail(f"serve's last lines: {rest!r}")
    print(f"browser checks passed; screenshots in {shots}")


if __name__ == "__main__":
    main()
