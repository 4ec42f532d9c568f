#!/usr/bin/python3
"""The live console in a real browser.

Starts `okulsim serve` on the Mars approach scenario and drives its page in
headless Chromium through chromedriver: clicks the terminal, types HLP and
Enter and reads the help text from the page in its order; clicks a composer
field, answers the dialog and checks the field; switches to the photo panel
and back; raises and lowers the time acceleration and checks the clocks;
takes a screenshot and checks its size and that the panel is in it; runs
PLM 0 and PLM 5 and checks that the map shows the program's periapsis and
target (and keeps a screenshot of the map).

Then compares the two picture streams, each on a server of its own in the
same run: whole pictures (as first built) and the changes, at the default
rate and at the full 50 states a second. For each it prints, over a quiet
stretch of cruise (--quiet-seconds; 10 s by default, 60 for the long
figure), the pictures and bytes a second, the states published and those
the page never showed, the encoding time, the simulation thread's frame
time, and the time from a key pressed in the page to the typed character in
the page's picture (median and 95th percentile), and checks the goals of
the changes: every published state shown, at most a tenth of the bytes.

Exits 77 (skipped) when Chromium, chromedriver or Selenium are missing.
"""
import argparse
import io
import json
import os
import random
import re
import statistics
import shutil
import signal
import subprocess
import sys
import tempfile
import threading
import time
import urllib.request

SKIPPED = 77

# What HLP puts on the terminal, top down, under the edit line; the command
# itself is echoed last.
HELP_LINES = [
    ">|",
    "HLR - справка по командной строке",
    "HLP - данная справка",
    "CLS - очистка экрана",
    "CLF - очистка файла",
    "LST - отображение файла",
    "    DDD - данные или пусто",
    "    X - номер строки",
    "    формат ADD X DDDD",
    "ADD - записать строку в файл",
    "HLP",
]
TERMINAL_AREA = 51
CODE_FIELD_AREA = 100
PHOTO_PANEL_BUTTON_AREA = 210


class Failure(Exception):
    pass


def wait_for(what, condition, timeout=15.0, interval=0.1):
    """Polls `condition` until it returns something true; fails naming `what`."""
    deadline = time.monotonic() + timeout
    last = None
    while time.monotonic() < deadline:
        last = condition()
        if last:
            return last
        time.sleep(interval)
    raise Failure(f"timed out waiting for {what} (last seen: {last!r})")


class Server:
    """okulsim serve on a free port, its output collected on a thread; `url` is
    the page's address with the run's token, `base` the server's, `token` the token."""

    def __init__(self, okulsim, scenario, out, options=()):
        self.process = subprocess.Popen(
            [okulsim, "serve", scenario, "--port", "0", "--out", out, *options],
            stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True)
        self.lines = []
        self.url = None
        ready = threading.Event()

        def read():
            for line in self.process.stdout:
                self.lines.append(line.rstrip("\n"))
                if self.url is None and " at http://" in line:
                    self.url = line.split(" at ", 1)[1].split(" ", 1)[0]
                    ready.set()
            ready.set()

        threading.Thread(target=read, daemon=True).start()
        if not ready.wait(60) or self.url is None or "/?token=" not in self.url:
            self.stop()
            raise Failure("okulsim serve did not start:\n" + "\n".join(self.lines))
        self.base, self.token = self.url.split("?token=", 1)

    def get(self, path):
        request = urllib.request.Request(self.base + path.lstrip("/"), headers={"X-Okul-Token": self.token})
        with urllib.request.urlopen(request, timeout=20) as response:
            return response.read()

    def json(self, path):
        return json.loads(self.get(path))

    def stop(self):
        if self.process.poll() is None:
            self.process.send_signal(signal.SIGTERM)
            try:
                self.process.wait(30)
            except subprocess.TimeoutExpired:
                self.process.kill()
                self.process.wait()
        return self.process.returncode


def start_browser(webdriver, profile):
    options = webdriver.ChromeOptions()
    options.binary_location = shutil.which("chromium")
    for argument in ("--headless", "--disable-gpu", "--no-sandbox", "--disable-dev-shm-usage",
                     "--disable-quic", "--no-first-run", "--disable-background-networking",
                     "--disable-component-update", "--disable-sync", "--disable-extensions",
                     "--force-device-scale-factor=1", "--window-size=1500,1000",
                     f"--user-data-dir={profile}"):
        options.add_argument(argument)
    options.set_capability("goog:loggingPrefs", {"browser": "ALL"})
    from selenium.webdriver.chrome.service import Service
    return webdriver.Chrome(service=Service(executable_path=shutil.which("chromedriver")), options=options)


class Page:
    def __init__(self, driver):
        self.driver = driver

    def js(self, script, *args):
        return self.driver.execute_script(script, *args)

    def state(self):
        return self.js("return window.consoleState || null;")

    def lines(self, selector):
        return self.js("return [...document.querySelectorAll(arguments[0])].map(e => e.textContent);", selector)

    def click_panel(self, x, y):
        """Clicks the page's picture where panel pixel (x, y) is shown."""
        from selenium.webdriver.common.action_chains import ActionChains
        state = self.state()
        place = state["panel"]["picture"]
        picture = self.driver.find_element("id", "window")
        box = self.js("const r = arguments[0].getBoundingClientRect(); return [r.width, r.height];", picture)
        window = state["window"]
        # Offsets from the element's centre, in CSS pixels.
        dx = ((place["left"] + x + 0.5) / window["width"] - 0.5) * box[0]
        dy = ((place["top"] + y + 0.5) / window["height"] - 0.5) * box[1]
        ActionChains(self.driver).move_to_element_with_offset(picture, int(round(dx)), int(round(dy))).click().perform()

    def click_area(self, area_id):
        area = next(a for a in self.state()["panel"]["areas"] if a["id"] == area_id)
        left, top, right, bottom = area["rect"]
        self.click_panel((left + right) // 2, (top + bottom) // 2)

    def button(self, selector):
        self.driver.find_element("css selector", selector).click()


def check_terminal_help(page):
    page.click_area(TERMINAL_AREA)
    from selenium.webdriver.common.action_chains import ActionChains
    from selenium.webdriver.common.keys import Keys
    ActionChains(page.driver).send_keys("hlp").send_keys(Keys.ENTER).perform()
    shown = wait_for("the help text on the page's terminal lines",
                     lambda: (lambda lines: lines if HELP_LINES[1] in lines else None)(
                         page.lines("#terminal-lines li")))
    if shown[:len(HELP_LINES)] != HELP_LINES:
        raise Failure("the terminal's lines are not the help text in its order:\n" + "\n".join(shown[:12]))
    print("terminal: HLP shows its", len(HELP_LINES) - 2, "help lines in order")


def check_composer_field(page):
    page.click_area(CODE_FIELD_AREA)
    wait_for("the input dialog", lambda: page.js("return document.getElementById('input-dialog').open;"))
    title = page.js("return document.getElementById('input-title').textContent;")
    if title != "Код функции":
        raise Failure(f"the dialog's title is {title!r}")
    field = page.driver.find_element("id", "input-text")
    field.clear()
    field.send_keys("-1")
    page.button("#input-ok")
    wait_for("the dialog to close", lambda: not page.js("return document.getElementById('input-dialog').open;"))
    page.js("document.getElementById('all-areas').open = true;")
    wait_for("the code field to read -1", lambda: page.lines(f"#area-{CODE_FIELD_AREA} li") == ["-1"])
    print("composer: the dialog \"Код функции\" answered -1; the field shows -1")


def check_panels(page):
    page.click_area(PHOTO_PANEL_BUTTON_AREA)
    wait_for("the photo panel", lambda: page.js(
        "return document.querySelector('[data-panel=\"2\"]').classList.contains('current');"))
    wait_for("a picture of the photo panel", lambda: page.js(
        "return window.consoleStats.shownSerial >= window.consoleState.serial "
        "&& window.consoleState.panel.id === 2;"))
    page.button('[data-panel="0"]')
    wait_for("the main panel again", lambda: (page.state()["panel"] or {}).get("id") == 0 and page.js(
        "return document.querySelector('[data-panel=\"0\"]').classList.contains('current');"))
    print("panels: to the photo panel by its button on the panel, back by the page's control")


def measure_clock_rate(page, seconds):
    """Simulated seconds per real second over a stretch, and the clocks before and after."""
    clocks_before = page.lines("#clocks li")
    first = page.state()
    start = time.monotonic()
    time.sleep(seconds)
    last = page.state()
    elapsed = time.monotonic() - start
    return (last["simTime"] - first["simTime"]) / elapsed, clocks_before, page.lines("#clocks li")


def check_time_acceleration(page):
    page.button('[data-warp="1000"]')
    wait_for("time acceleration 1000", lambda: page.state()["warp"] == 1000)
    rate, before, after = measure_clock_rate(page, 2.0)
    if not 500 <= rate <= 1100:
        raise Failure(f"at ×1000 the simulation ran {rate:.0f} times real time")
    if before == after:
        raise Failure(f"the clocks did not move at ×1000: {after}")
    page.button('[data-warp="1"]')
    wait_for("time acceleration 1", lambda: page.state()["warp"] == 1)
    slow, _, _ = measure_clock_rate(page, 1.0)
    if not 0.5 <= slow <= 1.1:
        raise Failure(f"at ×1 the simulation ran {slow:.2f} times real time")
    print(f"time: ×1000 ran {rate:.0f} times real time (clocks {before[:2]} -> {after[:2]}), ×1 ran {slow:.2f}")


def check_screenshot(page, server, keep):
    from PIL import Image, ImageChops, ImageStat
    png = page.driver.get_screenshot_as_png()
    shot = Image.open(io.BytesIO(png)).convert("RGB")
    viewport = page.js("return [window.innerWidth, window.innerHeight];")
    if list(shot.size) != viewport:
        raise Failure(f"the screenshot is {shot.size}, the page's viewport {viewport}")
    if keep:
        shot.save(keep)
    box = page.js("const r = document.getElementById('window').getBoundingClientRect();"
                  "return [r.left, r.top, r.right, r.bottom].map(Math.round);")
    shown = shot.crop(tuple(box))
    window = Image.open(io.BytesIO(server.get("/api/window.png"))).convert("RGB").resize(shown.size)
    difference = ImageStat.Stat(ImageChops.difference(shown, window)).mean
    brightness = ImageStat.Stat(shown).mean
    if max(difference) > 12 or min(brightness) < 10:
        raise Failure(f"the panel is not in the screenshot: mean difference {difference}, "
                      f"brightness {brightness}")
    print(f"screenshot: {shot.size[0]} x {shot.size[1]}, the window picture at {box} "
          f"(mean difference from the server's picture {max(difference):.1f} of 255)")


PLM_TIME = re.compile(r"^T (\S+) \((\S+)\) R (\S+) V (\S+)")
PLM_POINT = re.compile(r"^Д (\S+) Ш (\S+) В (\S+) км Rош (\S+) км")


def type_command(page, text):
    from selenium.webdriver.common.action_chains import ActionChains
    from selenium.webdriver.common.keys import Keys
    ActionChains(page.driver).send_keys(text).send_keys(Keys.ENTER).perform()


def plm_figures(page, answer):
    """PLM's periapsis as the terminal shows it, once `answer` is on it."""
    def read():
        lines = page.lines("#terminal-lines li")
        if answer not in lines[:8]:
            return None
        time_line = next((PLM_TIME.match(line) for line in lines if PLM_TIME.match(line)), None)
        point = next((PLM_POINT.match(line) for line in lines if PLM_POINT.match(line)), None)
        if not time_line or not point:
            return None
        return {"mjd": float(time_line[2]), "radiusKm": float(time_line[3]), "longitudeDeg": float(point[1]),
                "latitudeDeg": float(point[2]), "missKm": float(point[4]),
                "lines": [time_line[0], point[0]]}
    return wait_for(f"PLM's answer {answer!r} and its periapsis lines", read)


def map_target(page, figures):
    """Waits for the map to show the program's point; returns the map."""
    def shown():
        found = page.js("return window.consoleMap || null;")
        target = (found or {}).get("target") or {}
        same = all(abs(target.get(key, 1e99) - figures[key]) < 1e-9
                   for key in ("mjd", "radiusKm", "longitudeDeg", "latitudeDeg"))
        return found if same and target.get("program") == "PLM" else None
    return wait_for("the map with PLM's target", shown, timeout=20)


def check_map(page, keep):
    type_command(page, "plm 0")
    before = plm_figures(page, "Ответ 0.0")
    page.button("#map-toggle")
    found = map_target(page, before)
    if found["body"]["name"] != "Mars" or not found["target"]["shown"] or not found["periapsis"]:
        raise Failure(f"the map does not show the approach to Mars with PLM's point: {found['body']}, "
                      f"{found['target']}, {found['periapsis']}")
    # PLM 0 predicts the uncorrected approach: its periapsis is the one the
    # simulator predicts, and the map shows both together.
    uncorrected_miss = found["target"]["missKm"]
    if uncorrected_miss > 20:
        raise Failure(f"the simulator's periapsis lies {uncorrected_miss:.1f} km from PLM 0's")

    type_command(page, "plm 5")
    after = plm_figures(page, "Ответ 5.0")
    found = map_target(page, after)
    periapsis, target = found["periapsis"], found["target"]
    # Before the burn the simulator's periapsis is still PLM 0's; the target
    # lies PLM 0's miss away from it.
    for key, within in (("longitudeDeg", 0.2), ("latitudeDeg", 0.2), ("radiusKm", 20.0)):
        if abs(periapsis[key] - before[key]) > within:
            raise Failure(f"the map's periapsis {key} {periapsis[key]} is not PLM 0's {before[key]}")
    if abs(target["missKm"] - before["missKm"]) > max(20.0, 0.05 * before["missKm"]):
        raise Failure(f"the map's target lies {target['missKm']:.1f} km from the periapsis, "
                      f"PLM 0 said {before['missKm']} km")
    text = page.js("return [document.getElementById('map-periapsis').textContent, "
                   "document.getElementById('map-target').textContent];")
    expected = (f"longitude {after['longitudeDeg']:.2f}°, latitude {after['latitudeDeg']:.2f}°")
    if expected not in text[1] or f"R {after['radiusKm']:.2f} km" not in text[1]:
        raise Failure(f"the map's target reads {text[1]!r}, PLM 5 printed {after['lines']}")
    if keep:
        page.driver.find_element("id", "map-view").screenshot(keep)
    print(f"map: PLM 0 {before['lines']} -> the simulator's periapsis {uncorrected_miss:.2f} km from PLM 0's")
    print(f"map: PLM 5 {after['lines']}")
    print(f"map: shows {text[0]!r}; target {text[1]!r}")
    page.button("#map-toggle")


def percentile(values, share):
    ordered = sorted(values)
    return ordered[min(len(ordered) - 1, int(round(share * (len(ordered) - 1))))]


def page_figures(page):
    return page.js("return {pictures: consoleStats.pictures, bytes: consoleStats.bytes, missed: consoleStats.missed,"
                   " published: window.consoleState.published, at: performance.now()};")


def measure_stream(driver, args, name, options, quiet_seconds, key_samples):
    """One picture stream on a server of its own: figures over a quiet stretch, then key latencies."""
    server = Server(args.okulsim, args.scenario, os.path.join(args.out, name), options)
    try:
        driver.get(server.url)
        page = Page(driver)
        wait_for("the first picture", lambda: page.js("return window.consoleStats.pictures;") > 0, timeout=30)
        page.click_area(TERMINAL_AREA)  # the terminal takes the keyboard
        time.sleep(2.0)
        stats_before, figures_before = server.json("/api/stats"), page_figures(page)
        time.sleep(quiet_seconds)
        stats_after, figures_after = server.json("/api/stats"), page_figures(page)

        latencies = []
        random.seed(22)
        from selenium.webdriver.common.action_chains import ActionChains
        from selenium.webdriver.common.keys import Keys
        state = page.state()
        area = next(a for a in state["panel"]["areas"] if a["id"] == TERMINAL_AREA)
        place = state["panel"]["picture"]
        rect = [place["left"] + area["rect"][0], place["top"] + area["rect"][1],
                area["rect"][2] - area["rect"][0], area["rect"][3] - area["rect"][1]]
        for sample in range(key_samples):
            time.sleep(random.uniform(0.05, 0.25))
            page.js("window.armProbe(arguments[0]);", rect)
            ActionChains(driver).send_keys("x" if sample % 2 == 0 else Keys.BACKSPACE).perform()
            wait_for("the key in the page's picture",
                     lambda: len(page.js("return consoleStats.keyLatencies;")) > sample, timeout=10)
        latencies = page.js("return consoleStats.keyLatencies;")
    finally:
        code = server.stop()
    if code != 0:
        raise Failure(f"okulsim serve ({name}) ended with {code}:\n" + "\n".join(server.lines))

    seconds = (figures_after["at"] - figures_before["at"]) / 1000.0

    def frame_totals(stats):
        times = stats["withPage"]
        return times["frames"], times["meanMs"] * times["frames"], times["meanCpuMs"] * times["frames"]
    frames0, real0, cpu0 = frame_totals(stats_before)
    frames1, real1, cpu1 = frame_totals(stats_after)
    frames = max(1, frames1 - frames0)
    encodings = max(1, stats_after["encodings"]["count"] - stats_before["encodings"]["count"])
    updates = stats_after["changeUpdates"]["count"] - stats_before["changeUpdates"]["count"]
    return {
        "name": name,
        "seconds": seconds,
        "states": (figures_after["published"] - figures_before["published"]) / seconds,
        "pictures": (figures_after["pictures"] - figures_before["pictures"]) / seconds,
        "missed": figures_after["missed"] - figures_before["missed"],
        "bytes": (figures_after["bytes"] - figures_before["bytes"]) / seconds,
        "encodingMs": (stats_after["encodings"]["totalMs"] - stats_before["encodings"]["totalMs"]) / encodings,
        "updateCpuMs": ((stats_after["changeUpdates"]["totalCpuMs"] - stats_before["changeUpdates"]["totalCpuMs"])
                        / updates) if updates > 0 else 0.0,
        "workerCpuMs": ((stats_after["changeUpdates"]["worker"]["totalCpuMs"]
                         - stats_before["changeUpdates"]["worker"]["totalCpuMs"]) / updates) if updates > 0 else 0.0,
        "frameMs": (real1 - real0) / frames,
        "frameCpuMs": (cpu1 - cpu0) / frames,
        "keyMedianMs": statistics.median(latencies),
        "keyP95Ms": percentile(latencies, 0.95),
        "keys": len(latencies),
    }


def compare_streams(driver, args):
    runs = [measure_stream(driver, args, name, options, args.quiet_seconds, args.key_samples)
            for name, options in (("whole", ["--pictures", "whole"]),
                                  ("changes", ["--pictures", "changes"]),
                                  ("changes-50", ["--pictures", "changes", "--rate", "50"]))]
    print(f"picture streams over {args.quiet_seconds:.0f} s of quiet cruise each (clocks and MFDs running), "
          f"{args.key_samples} keys each:")
    for run in runs:
        print(f"  {run['name']:10s}: {run['states']:5.1f} states/s published, {run['pictures']:5.1f} pictures/s shown, "
              f"{run['missed']} states not shown, {run['bytes'] / 1024:8.1f} KB/s, "
              f"encoding {run['encodingMs']:5.2f} ms a picture"
              + (f" (+ {run['updateCpuMs']:.2f} ms of the simulation thread a state to take what changed, "
                 f"{run['workerCpuMs']:.2f} ms of the changes worker to find the tiles)"
                 if run['updateCpuMs'] else "")
              + f", frame {run['frameMs']:.2f} ms (processor {run['frameCpuMs']:.2f} ms), "
              f"key to picture median {run['keyMedianMs']:.0f} ms, p95 {run['keyP95Ms']:.0f} ms")
    whole = runs[0]
    for run in runs[1:]:
        print(f"  {run['name']} against whole: bytes {run['bytes'] / whole['bytes']:.3f}, "
              f"frame processor time {run['frameCpuMs'] / whole['frameCpuMs']:.2f}, "
              f"key to picture median {run['keyMedianMs'] / whole['keyMedianMs']:.2f}")
    if args.figures_only:
        print("  (a sanitizer build: the figures are printed, the goals not checked)")
        return
    for run in runs[1:]:
        # Every state, but for the odd one the event stream skips when the
        # browser falls behind on a machine shared with builds (it sends the
        # newest state; the page then gets two states' changes at once).
        published = run["states"] * run["seconds"]
        if run["missed"] > max(1, 0.01 * published):
            raise Failure(f"{run['name']}: the page did not show {run['missed']} of {published:.0f} published states")
        if run["bytes"] > whole["bytes"] / 10:
            raise Failure(f"{run['name']}: {run['bytes'] / 1024:.0f} KB/s is more than a tenth of whole pictures' "
                          f"{whole['bytes'] / 1024:.0f} KB/s")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--okulsim", required=True)
    parser.add_argument("--scenario", required=True)
    parser.add_argument("--out", required=True, help="working folder of the served console")
    parser.add_argument("--screenshot", help="where to keep the browser's screenshot")
    parser.add_argument("--map-screenshot", help="where to keep the screenshot of the map")
    parser.add_argument("--quiet-seconds", type=float, default=10.0,
                        help="the quiet stretch each picture stream is measured over (60 for the long figure)")
    parser.add_argument("--key-samples", type=int, default=12, help="keys timed on each picture stream")
    parser.add_argument("--figures-only", action="store_true",
                        help="print the picture streams' figures without checking their goals (a sanitizer "
                             "build runs many times slower, most of all where it encodes whole pictures)")
    args = parser.parse_args()

    try:
        from selenium import webdriver
    except ImportError:
        print("skipped: python3-selenium is not installed (tools/setup-debian.sh installs it)")
        return SKIPPED
    if not shutil.which("chromium") or not shutil.which("chromedriver"):
        print("skipped: chromium and chromium-driver are not installed (tools/setup-debian.sh installs them)")
        return SKIPPED

    os.makedirs(args.out, exist_ok=True)
    server = Server(args.okulsim, args.scenario, args.out)
    driver = None
    profile = tempfile.mkdtemp(prefix="okul-chromium-")
    try:
        time.sleep(2.0)  # the server alone, for its frame time without a page
        idle = server.json("/api/stats")["withoutPage"]
        driver = start_browser(webdriver, profile)
        driver.get(server.url)
        page = Page(driver)
        wait_for("the first picture", lambda: page.js("return window.consoleStats.pictures;") > 0, timeout=30)
        started = time.monotonic()
        pictures = page.js("return window.consoleStats.pictures;")

        check_terminal_help(page)
        check_composer_field(page)
        check_panels(page)
        check_time_acceleration(page)
        check_screenshot(page, server, args.screenshot)
        check_map(page, args.map_screenshot)

        elapsed = time.monotonic() - started
        shown = page.js("return window.consoleStats.pictures;") - pictures
        errors = [entry for entry in driver.get_log("browser") if entry["level"] == "SEVERE"]
        if errors:
            raise Failure("the page reported errors: " + json.dumps(errors, ensure_ascii=False))
        stats = server.json("/api/stats")
        with_page = stats["withPage"]
        print(f"page: {shown} pictures in {elapsed:.1f} s, {shown / elapsed:.1f} per second")
        for name, times in (("without a page", idle), ("with the page", with_page)):
            print(f"server frame time {name}: mean {times['meanMs']:.3f} ms (processor {times['meanCpuMs']:.3f} ms), "
                  f"max {times['maxMs']:.2f} ms, over {times['frames']} frames")
        print(f"PNG encoding on the request threads: {stats['encodings']['meanMs']:.1f} ms a picture, "
              f"{stats['encodings']['count']} pictures")
        # The rate itself is a figure to read, not to test: a page that stopped
        # refreshing would show a handful.
        if shown < elapsed:
            raise Failure(f"the page showed only {shown} pictures in {elapsed:.1f} s")
        if server.stop() != 0:
            raise Failure(f"okulsim serve ended with {server.process.returncode}")
        # The picture streams side by side, the first server gone.
        compare_streams(driver, args)
    except Failure as failure:
        print("FAILED:", failure)
        return 1
    finally:
        if driver is not None:
            driver.quit()
        shutil.rmtree(profile, ignore_errors=True)
        code = server.stop()
        print("\n".join("server: " + line for line in server.lines))
    if code != 0:
        print(f"FAILED: okulsim serve ended with {code}")
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
