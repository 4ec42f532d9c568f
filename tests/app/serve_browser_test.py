#!/usr/bin/python3
"""The live console in a real browser.

Starts `okulsim serve` on the Mars approach scenario and drives its page in
headless Chromium through chromedriver: clicks the terminal, types HLP and
Enter and reads the help text from the page in its order; clicks a composer
field, answers the dialog and checks the field; switches to the photo panel
and back; raises and lowers the time acceleration and checks the clocks;
takes a screenshot and checks its size and that the panel is in it.

Prints the picture rate the page sustained and the server's frame times
with and without the page. Exits 77 (skipped) when Chromium, chromedriver
or Selenium are missing.
"""
import argparse
import io
import json
import os
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

    def __init__(self, okulsim, scenario, out):
        self.process = subprocess.Popen(
            [okulsim, "serve", scenario, "--port", "0", "--out", out],
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
        "return document.getElementById('window').src.endsWith('serial=' + window.consoleState.serial) "
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


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--okulsim", required=True)
    parser.add_argument("--scenario", required=True)
    parser.add_argument("--out", required=True, help="working folder of the served console")
    parser.add_argument("--screenshot", help="where to keep the browser's screenshot")
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
