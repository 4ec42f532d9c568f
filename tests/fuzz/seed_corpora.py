#!/usr/bin/python3
"""Writes the seed corpora of the fuzz targets (tests/fuzz/corpus/<target>/seed-*)
from what the repository itself feeds its readers: the scenarios, the class
files, the runner scripts, the terminal lines and records of the tests and the
guide, the hosts' status texts, and small pictures of every depth the BMP
decoder reads, cut from the panel bitmaps of a build.

    tests/fuzz/seed_corpora.py [BUILD]     (BUILD: a build folder, default build/dev)

Inputs that once found a fault are kept beside the seeds as regression-* files;
this script never touches them.
"""
import glob
import io
import os
import re
import struct
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(os.path.dirname(HERE))
CORPUS = os.path.join(HERE, "corpus")


def write(target, name, data):
    folder = os.path.join(CORPUS, target)
    os.makedirs(folder, exist_ok=True)
    if isinstance(data, str):
        data = data.encode("utf-8")
    with open(os.path.join(folder, "seed-" + name), "wb") as out:
        out.write(data)


def clear_seeds():
    for path in glob.glob(os.path.join(CORPUS, "*", "seed-*")):
        os.remove(path)


def read(path):
    with open(os.path.join(ROOT, path), "rb") as f:
        return f.read()


def scripts():
    return sorted(glob.glob(os.path.join(ROOT, "tests", "**", "*.script"), recursive=True) +
                  [os.path.join(ROOT, "scenarios", "demo.script")])


def script_words(command):
    """The texts the scripts give a runner command ("type", "input")."""
    found = []
    for path in scripts():
        for line in open(path, encoding="utf-8"):
            m = re.match(r"\s*" + command + r" (.*)$", line)
            if m and m.group(1).strip() not in found:
                found.append(m.group(1).strip())
    return found


# Terminal lines of the tests and the guide beyond what the scripts type.
TERMINAL_LINES = [
    "HLP", "HLR", "LST", "CLS", "CLF", "PSI", "ADD 4", "ADD -3 negative", "ADD Q nonnumber",
    "ADD   4   first   ignored", "ADD 9 130;-0.5;0;3.5;", "PHO", "PHO -43050.25", "PHO 43052",
    "PIE ABC", "PIE 43644;0;0;0;0;0;0;0;0;-1", "PLE -3", "PLE -10;;0;0;0;0;0;0;0;0;0",
    "PLM -1;;0;0;0;0;0;0;0;0;0", "LSTX  whatever", "ADD 3 ",
]

RECORDS = [
    "210;-0.00035;-0.5580;0.8297;0.0116;", "130;-0.00694;0;8.0000;", "130;-0.00347;0;1.7540;",
    "210;-0.00001;0.2673;0.5345;0.8018;", "130;-0.5;11;22;33;44;55;66;77;88;99;1234567",
    "1;0.01;0;0;1;1;0;0", "1;;0;;33;", "310;0", "500;0;5", "600;43000.5;1;2;3", "600;43000.5;7;5;1;50;0;0",
    "600;43049.342;0;0;0;1", "600;0;1;2;3", "610;0;-1;1.9", "610;0;-1e9;1e300", "610;0;0;0", "610;0;40;40",
    "610;0;5;3", "610;43000.25;2;4", "610;;;-0.5;;2;4", "620;0", "210;0;1;0;0", "210;-0.5;0.6;0;0.8;1;2;3;4;5;6",
]

PROGRAM_WORDS = {
    "PIE": ["43644;0;0;0;0;0;0;0.0000001;0;-1", "43644;1;0;0;0;0;0;0.0000001;0;1",
            "43644;1;0;0;0;0;0;0.000001;5;2", "43644;0;0;0;0;0;0;0;0;0", "43644", "43560;1;0;0;0;0;0;-1;0;1"],
    "PLE": ["-10", "0", "1", "10", "310", "1000", "-3"],
    "PLM": ["-1", "0", "5", "105", "399"],
}

STATUS_TEXTS = [
    "TAVR-12+ВКС;0;41250.0;3056.2+ОР;ЗЕМЛЯ+ДУ;ВЫКЛ+КОМ;0",
    "U5-Q4+ВКС;5;1200.0;7700.1+ОР;К12+ДУ;ВКЛ 12.50+КОМ;2",
    "Режим 4++ВК;8+ВКС;3;1.5;2.5+Топливо 10", "ВКС;;7;", "ВКС;9", "ВКС 12", "+ВКС;", "ВКС;1;2",
]


def terminal_seeds():
    lines = [l for l in script_words("type") if l] + TERMINAL_LINES
    for i, line in enumerate(lines):
        write("fuzz_terminal", "line%02d" % i, line + "\n")
    # Keys: "ADD 1" typed, a backspace, the minus key, Enter (scan codes).
    write("fuzz_terminal", "keys", b"\x01\x1e\x20\x20\x39\x02\x0e\x02\x0c\x1c\n\x01\x23\x26\x19\x1c\n")
    write("fuzz_terminal", "session", "ADD 0 210;0;1;0;0\nADD 1 600;0;1;2;3\nLST\nCLS\nHLP\n")


def records_seeds():
    header = struct.pack("<dd", 250.0, 14.0)
    for i, record in enumerate(RECORDS):
        write("fuzz_command_records", "record%02d" % i, header + bytes([4, 3, 3, 6, 4]) + record.encode() + b"\n")
    write("fuzz_command_records", "all", header + bytes([8, 3, 3, 3, 6, 4, 5, 1, 0]) +
          "\n".join(RECORDS[:10]).encode() + b"\n")


def composer_seeds():
    inputs = script_words("input")
    for i, text in enumerate(inputs):
        ops = b"".join(bytes([field]) + text.encode() + b"\n" for field in (0, 1, 2, 5))
        write("fuzz_composer", "input%02d" % i, ops + b"\x06" + struct.pack("<d", 43036.25) + b"\x0a")
    # "ADD 3 " on the edit line is the terminal's; the composer's record and the calculator modes.
    for mode in range(3):
        write("fuzz_composer", "offset%d" % mode,
              b"\x00600\n\x05" + ("0;30;2;1;%d" % mode).encode() + b"\n\x06" + struct.pack("<d", 43049.7) +
              b"\x07" + struct.pack("<6d", 0.1, 0.2, 0.97, 1.0, 0.0, 0.0) + b"\x0a")


def program_seeds():
    for n, (name, words) in enumerate(sorted(PROGRAM_WORDS.items())):
        program = {"PIE": 0, "PLE": 1, "PLM": 2}[name]
        for i, word in enumerate(words):
            write("fuzz_program_words", "%s%02d" % (name.lower(), i), bytes([program]) + word.encode() + b"\n")
            write("fuzz_program_words", "%s%02d-terminal" % (name.lower(), i),
                  bytes([program | 4]) + word.encode() + b"\n")


def status_seeds():
    header = bytes([1]) + struct.pack("<d", 250.0)
    for i, text in enumerate(STATUS_TEXTS):
        write("fuzz_host_status", "utf8-%02d" % i, header + text.encode("utf-8"))
        write("fuzz_host_status", "cp1251-%02d" % i, header + text.encode("cp1251"))


def scenario_seeds():
    for path in sorted(glob.glob(os.path.join(ROOT, "scenarios", "*.scn"))):
        write("fuzz_scenario", os.path.basename(path), read(path))


def config_seeds():
    for path in sorted(glob.glob(os.path.join(ROOT, "config", "Vessels", "*.cfg")) +
                       glob.glob(os.path.join(ROOT, "hosts", "Config", "Vessels", "*.cfg"))):
        write("fuzz_class_config", os.path.basename(path), read(path))


def script_seeds():
    # The fuzz target passes over inputs holding '/': such lines are left out.
    for path in scripts():
        text = "".join(l for l in open(path, encoding="utf-8") if "/" not in l)
        name = os.path.relpath(path, ROOT).replace("/", ".")
        write("fuzz_script", name[:-len(".script")], text)


def bmp(width, height, bits, pixels, palette=None, masks=None, top_down=False, bare=False):
    """A BMP of the given depth; pixels: rows (top first) of values (palette indices or packed)."""
    stride = ((width * bits + 31) // 32) * 4
    rows = []
    for row in pixels:
        data = bytearray()
        if bits < 8:
            per = 8 // bits
            for x in range(0, width, per):
                byte = 0
                for k in range(per):
                    value = row[x + k] if x + k < width else 0
                    byte |= value << (8 - bits * (k + 1))
                data.append(byte)
        else:
            for value in row:
                data += value.to_bytes(bits // 8, "little")
        data += bytes(stride - len(data))
        rows.append(bytes(data))
    if not top_down:
        rows.reverse()
    table = b""
    if palette:
        table = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in palette)
    compression = 0
    if masks:
        compression = 3
        table = struct.pack("<3I", *masks)
    info = struct.pack("<IiiHHIIiiII", 40, width, -height if top_down else height, 1, bits, compression,
                       stride * height, 2835, 2835, len(palette) if palette else 0, 0)
    body = info + table + b"".join(rows)
    if bare:
        return body
    return b"BM" + struct.pack("<IHHI", 14 + len(body), 0, 0, 14 + len(info) + len(table)) + body


def bmp_seeds(build):
    # Crops of the panel bitmaps (24 bits), then every depth from one crop.
    crop = None
    for name in ("panel_main.bmp", "panel_photo.bmp"):
        path = os.path.join(build, "resources", "bitmaps", name)
        if not os.path.exists(path):
            continue
        try:
            from PIL import Image
        except ImportError:
            break
        image = Image.open(path).convert("RGB")
        for i, box in enumerate([(0, 0, 24, 16), (400, 300, 440, 330), (700, 600, 733, 611)]):
            part = image.crop(box)
            out = io.BytesIO()
            part.save(out, "BMP")
            write("fuzz_bmp", "%s-crop%d.bmp" % (name[:-4], i), out.getvalue())
            if i == 1 and crop is None:
                crop = part
    if crop is None:
        print("no panel bitmaps in %s: seeds of the other depths from a drawn pattern" % build)
        rgb = [[((x * 40) % 256, (y * 60) % 256, ((x + y) * 25) % 256) for x in range(24)] for y in range(16)]
    else:
        rgb = [[crop.getpixel((x, y)) for x in range(crop.width)] for y in range(crop.height)]
    width, height = len(rgb[0]), len(rgb)
    colours = sorted({c for row in rgb for c in row})
    palette16 = colours[:16] + [(0, 0, 0)] * (16 - min(16, len(colours)))
    palette256 = colours[:256]

    def index(palette, colour):
        return min(range(len(palette)), key=lambda i: sum((a - b) ** 2 for a, b in zip(palette[i], colour)))

    mono = [[1 if sum(c) > 384 else 0 for c in row] for row in rgb]
    write("fuzz_bmp", "1bit.bmp", bmp(width, height, 1, mono, palette=[(0, 0, 0), (255, 255, 255)]))
    write("fuzz_bmp", "4bit.bmp", bmp(width, height, 4, [[index(palette16, c) for c in row] for row in rgb],
                                      palette=palette16))
    write("fuzz_bmp", "8bit.bmp", bmp(width, height, 8, [[index(palette256, c) for c in row] for row in rgb],
                                      palette=palette256))
    packed555 = [[(r >> 3) << 10 | (g >> 3) << 5 | b >> 3 for r, g, b in row] for row in rgb]
    write("fuzz_bmp", "16bit-555.bmp", bmp(width, height, 16, packed555))
    packed565 = [[(r >> 3) << 11 | (g >> 2) << 5 | b >> 3 for r, g, b in row] for row in rgb]
    write("fuzz_bmp", "16bit-565.bmp", bmp(width, height, 16, packed565, masks=(0xF800, 0x07E0, 0x001F)))
    packed24 = [[r << 16 | g << 8 | b for r, g, b in row] for row in rgb]
    write("fuzz_bmp", "24bit-topdown.bmp", bmp(width, height, 24, packed24, top_down=True))
    write("fuzz_bmp", "32bit.bmp", bmp(width, height, 32, packed24))
    write("fuzz_bmp", "32bit-fields.bmp", bmp(width, height, 32, packed24, masks=(0xFF0000, 0xFF00, 0xFF)))
    write("fuzz_bmp", "24bit-dib", bmp(width, height, 24, packed24, bare=True))


# The live console's API as its page and a program call it: the token and
# Host the fuzz target's console takes (fuzz_http_api.cpp), then requests
# it refuses, and several requests on one connection.
HTTP_TOKEN = "fuzz-token"
HTTP_HOST = "127.0.0.1:8012"


def http_request(method, target, body=None, headers=None, token=True, host=HTTP_HOST,
                 content_type="application/x-www-form-urlencoded"):
    lines = [f"{method} {target} HTTP/1.1", f"Host: {host}"]
    if token:
        lines.append(f"X-Okul-Token: {HTTP_TOKEN}")
    lines += headers or []
    if body is not None:
        lines += [f"Content-Type: {content_type}", f"Content-Length: {len(body.encode('utf-8'))}"]
    return "\r\n".join(lines) + "\r\n\r\n" + (body or "")


def http_seeds():
    get = {"state": "/api/state", "stats": "/api/stats", "text": "/api/text?area=51",
           "text-mfd": "/api/text?area=MFD0", "page": "/", "script": "/console.js", "events": "/api/events",
           "panel-png": "/api/panel.png", "nothing": "/api/nothing"}
    for name, target in get.items():
        write("fuzz_http_api", "get-" + name, http_request("GET", target))
    posts = {"click": "area=51", "click-offset": "area=51&mx=3&my=4", "mouse": "x=120&y=250&action=down",
             "mouse-up": "action=up", "key": "name=ENTER", "key-chord": "name=CTRL%2BUP&action=press",
             "key-down": "name=NUMPAD8&action=down", "type": "text=HLP", "type-record": "text=ADD%209%20130%3B-0.5%3B",
             "input": "text=-1", "cancel": "", "warp": "factor=100", "pause": "on=1", "panel": "id=2",
             "save": "file=live_1.scn"}
    for name, body in posts.items():
        path = "/api/" + name.split("-")[0]
        write("fuzz_http_api", "post-" + name, http_request("POST", path, body))
    write("fuzz_http_api", "post-query", http_request("POST", "/api/type?text=PSI", ""))
    write("fuzz_http_api", "page-token", http_request("GET", "/?token=" + HTTP_TOKEN, token=False,
                                                        headers=["Sec-Fetch-Site: none"]))
    write("fuzz_http_api", "cookie", http_request("POST", "/api/click", "area=100", token=False, headers=[
        "Cookie: a=b; okul_token_8012=" + HTTP_TOKEN, "Origin: http://" + HTTP_HOST, "Sec-Fetch-Site: same-origin"]))
    write("fuzz_http_api", "refused-cross-site", http_request("POST", "/api/type", "text=HLP", token=False, headers=[
        "Origin: http://evil.example", "Sec-Fetch-Site: cross-site"]))
    write("fuzz_http_api", "refused-host", http_request("GET", "/api/state", host="evil.example:8012"))
    write("fuzz_http_api", "refused-get-change", http_request("GET", "/api/warp?factor=100"))
    write("fuzz_http_api", "text-plain", http_request("POST", "/api/type", "text=HLP", content_type="text/plain"))
    write("fuzz_http_api", "multipart", http_request(
        "POST", "/api/type", "--b\r\nContent-Disposition: form-data; name=\"text\"\r\n\r\nHLP\r\n--b--\r\n",
        content_type="multipart/form-data; boundary=b"))
    write("fuzz_http_api", "chunked", http_request("POST", "/api/type", None, headers=[
        "Content-Type: application/x-www-form-urlencoded", "Transfer-Encoding: chunked"]) + "8\r\ntext=HLP\r\n0\r\n\r\n")
    write("fuzz_http_api", "expect-continue", http_request("POST", "/api/key", "name=A", headers=["Expect: 100-continue"]))
    write("fuzz_http_api", "range", http_request("GET", "/console.css", headers=["Range: bytes=0-9,20-"]))
    write("fuzz_http_api", "session", http_request("POST", "/api/click", "area=51") + http_request(
        "POST", "/api/type", "text=HLP") + http_request("POST", "/api/key", "name=ENTER") + http_request(
        "GET", "/api/text?area=51"))
    write("fuzz_http_api", "input-box", http_request("POST", "/api/click", "area=100") + http_request(
        "GET", "/api/state") + http_request("POST", "/api/input", "text=-1") + http_request("POST", "/api/cancel", ""))


def main():
    build = sys.argv[1] if len(sys.argv) > 1 else os.path.join(ROOT, "build", "dev")
    clear_seeds()
    terminal_seeds()
    records_seeds()
    composer_seeds()
    program_seeds()
    status_seeds()
    scenario_seeds()
    config_seeds()
    script_seeds()
    bmp_seeds(build)
    http_seeds()
    for folder in sorted(glob.glob(os.path.join(CORPUS, "*"))):
        print("%-24s %3d inputs" % (os.path.basename(folder), len(os.listdir(folder))))


if __name__ == "__main__":
    main()
