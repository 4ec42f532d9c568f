#!/usr/bin/env python3
"""Checks of a Microsoft-ABI build of the console module (K12_OKUL.dll).

  module_check.py imports DLL --machine x64 --exports x64.txt
      What the module asks of Windows when it is loaded: every DLL it
      imports from is orbiter.exe or one of Windows' own (KERNEL32, USER32,
      GDI32, the Universal C Runtime or msvcrt.dll), every name it takes from
      orbiter.exe is one a real orbiter.exe exports (the list, one name a
      line), and the machine type is that of the architecture.
  module_check.py texts DLL REFERENCE_DLL SOURCE...
      The module's texts: every string literal of the sources that holds
      Cyrillic letters is found, as its Windows-1251 bytes (Python's cp1251
      codec), in the data (.rdata, .data) of DLL and of REFERENCE_DLL (the GCC
      build, whose texts -fexec-charset=CP1251 made). Without the reference
      the exit code is 77 (a skipped test).

The imports are read by llvm-readobj; the sections by this script.
"""
import argparse
import os
import re
import shutil
import struct
import subprocess
import sys

MACHINES = {"x86": "IMAGE_FILE_MACHINE_I386", "x64": "IMAGE_FILE_MACHINE_AMD64"}
WINDOWS_DLLS = re.compile(r"^(kernel32|user32|gdi32|ucrtbase|msvcrt|api-ms-win-crt-[a-z]+-l1-1-0)\.dll$", re.I)


def readobj():
    for name in ("llvm-readobj", "llvm-readobj-14"):
        path = shutil.which(name)
        if path:
            return path
    sys.exit("module_check: llvm-readobj not found (package llvm)")


def imports_of(dll):
    """The machine type and {DLL name: [imported names]} of a PE file."""
    if not os.path.isfile(dll):
        sys.exit(f"module_check: {dll} is missing")
    out = subprocess.run([readobj(), "--file-headers", "--coff-imports", dll], check=True,
                         capture_output=True, text=True).stdout
    machine = re.search(r"^\s*Machine: (\S+)", out, re.M).group(1)
    imports = {}
    current = None
    for line in out.splitlines():
        line = line.strip()
        if line.startswith("Name: "):
            current = imports.setdefault(line[len("Name: "):], [])
        elif line.startswith("Symbol: ") and current is not None:
            current.append(re.sub(r" \(\d+\)$", "", line[len("Symbol: "):]))
    return machine, imports


def check_imports(args):
    with open(args.exports, encoding="ascii") as f:
        exported = {line.strip() for line in f if line.strip()}
    machine, imports = imports_of(args.dll)
    faults = []
    if machine != MACHINES[args.machine]:
        faults.append(f"machine {machine}, not {MACHINES[args.machine]}")
    if not any(name.lower() == "orbiter.exe" for name in imports):
        faults.append("nothing imported from orbiter.exe")
    for dll, names in sorted(imports.items()):
        if dll.lower() == "orbiter.exe":
            missing = sorted(n for n in names if n not in exported)
            faults += [f"orbiter.exe does not export {n}" for n in missing]
            print(f"orbiter.exe: {len(names)} names, {len(names) - len(missing)} of them exported")
        elif WINDOWS_DLLS.match(dll):
            print(f"{dll}: {len(names)} names")
        else:
            faults.append(f"imports from {dll}, which Windows does not ship: {', '.join(names[:5])}")
    print(f"machine: {machine}")
    for fault in faults:
        print(f"FAULT: {fault}")
    return 1 if faults else 0


def sections(path):
    """{name: bytes} of a PE file's sections."""
    with open(path, "rb") as f:
        data = f.read()
    pe = struct.unpack_from("<I", data, 0x3C)[0]
    if data[pe:pe + 4] != b"PE\0\0":
        sys.exit(f"module_check: {path} is not a PE file")
    count, optional_size = struct.unpack_from("<H12xH", data, pe + 6)
    table = pe + 24 + optional_size
    result = {}
    for i in range(count):
        entry = table + 40 * i
        name = data[entry:entry + 8].rstrip(b"\0").decode("ascii", "replace")
        size, offset = struct.unpack_from("<II", data, entry + 16)
        result[name] = data[offset:offset + size]
    return result


def literals(source):
    """The narrow string literals of a C++ source that hold non-ASCII
    characters, as the CP1251 bytes they stand for (comments skipped;
    adjacent literals stay apart, each is checked on its own)."""
    escapes = {"n": "\n", "t": "\t", "r": "\r", "0": "\0", "\\": "\\", '"': '"', "'": "'"}
    found = []
    i, n = 0, len(source)
    while i < n:
        if source.startswith("//", i):
            i = source.find("\n", i)
            i = n if i < 0 else i
        elif source.startswith("/*", i):
            i = source.find("*/", i + 2) + 2
            i = n if i < 2 else i
        elif source[i] == "'":
            j = i + 1
            while j < n and source[j] != "'":
                j += 2 if source[j] == "\\" else 1
            i = j + 1
        elif source[i] == '"':
            text, j = [], i + 1
            while j < n and source[j] != '"':
                if source[j] == "\\":
                    text.append(escapes.get(source[j + 1], "\\" + source[j + 1]))
                    j += 2
                else:
                    text.append(source[j])
                    j += 1
            literal = "".join(text)
            if any(ord(c) > 127 for c in literal):
                found.append(literal.encode("cp1251"))
            i = j + 1
        else:
            i += 1
    return found


def check_texts(args):
    if not os.path.isfile(args.reference):
        print(f"no reference {args.reference}: build the mingw preset (test skipped)")
        return 77
    found = []
    for path in args.sources:
        with open(path, encoding="utf-8") as f:
            found += [(path, literal) for literal in literals(f.read())]
    data = {dll: b"\0".join(body for name, body in sections(dll).items() if name in (".rdata", ".data"))
            for dll in (args.dll, args.reference)}
    faults = 0
    for path, literal in found:
        for dll, rdata in data.items():
            if literal not in rdata:
                print(f"{dll} lacks the CP1251 bytes of {literal.decode('cp1251')!r} ({path})")
                faults += 1
    print(f"{len(found)} literals with Cyrillic letters in {len(args.sources)} sources: "
          f"{'all' if not faults else 'not all'} found byte for byte in both DLLs")
    if not found:
        print("FAULT: no literal found")
        faults += 1
    return 1 if faults else 0


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    sub = parser.add_subparsers(dest="command", required=True)
    imports = sub.add_parser("imports")
    imports.add_argument("dll")
    imports.add_argument("--machine", choices=sorted(MACHINES), required=True)
    imports.add_argument("--exports", required=True)
    text = sub.add_parser("texts")
    text.add_argument("dll")
    text.add_argument("reference")
    text.add_argument("sources", nargs="+")
    args = parser.parse_args()
    return check_imports(args) if args.command == "imports" else check_texts(args)


if __name__ == "__main__":
    sys.exit(main())
