#!/usr/bin/env python3
"""The Microsoft-decorated names of the simulator's interface, for the
Windows (MinGW) build of the stand-in simulator.

A module built for the real simulator (Microsoft's C++ ABI) imports the
interface from orbiter.exe under Microsoft-decorated names
(?oapiGetSimMJD@@YANXZ); our simulator library, built by GCC, defines it
under GCC's names (_Z13oapiGetSimMJDv). This script pairs the two (both
demangled, by llvm-undname and c++filt, to one spelling of the signature)
and writes an assembler file that exports each Microsoft name as a thunk:

  ms_exports.py --arch x64|x86 --exports x64.txt --nm NM --cxxfilt CXXFILT \\
                --undname UNDNAME --output MsExports.S OBJECT...

Both ABIs call members the same way on either architecture (x64: `this`
first; x86: thiscall in both), so a thunk is a jump, with two exceptions:
- Microsoft's constructors return `this` (code built for it may use that
  value), GCC's return nothing: a constructor's thunk calls GCC's and
  returns `this`.
- Functions that return a class by value pass the hidden result pointer in
  a different place; the interface has none, and the script refuses one
  rather than export a wrong thunk.
Names of the list that the simulator does not define are left out (a module
importing one fails to load, as on a simulator that lacks it).
"""
import argparse
import re
import subprocess
import sys

CALLING = re.compile(r"\b__(cdecl|thiscall|stdcall|fastcall)\b")


def canonical(signature):
    """One spelling of a demangled signature for both demanglers."""
    s = CALLING.sub("", signature)
    s = re.sub(r"\b(struct|union|class|enum)\s+", "", s)
    s = s.replace("__ptr64", "")
    s = re.sub(r"\bunsigned __int64\b", "unsigned long long", s)
    s = re.sub(r"\b__int64\b", "long long", s)
    s = re.sub(r"\s+", "", s)
    return s.replace("(void)", "()")


def run_lines(command, lines):
    out = subprocess.run(command, input="\n".join(lines) + "\n", capture_output=True, text=True,
                         check=True).stdout
    return out.splitlines()


def ms_functions(names, undname):
    """{canonical signature: (name, return type, parameters)} of the
    functions in the list."""
    out = run_lines([undname], names)
    result = {}
    for i in range(0, len(out) - 1, 3):
        name, text = out[i].strip(), out[i + 1].strip()
        match = CALLING.search(text)
        if not match or "(" not in text:
            continue  # data, or not understood
        prefix = re.sub(r"^(public|protected|private): ", "", text[:match.start()])
        prefix = re.sub(r"\b(virtual|static) ", "", prefix).strip()
        rest = text[match.end():].strip()
        parameters = rest[rest.index("(") + 1:rest.rindex(")")]
        result[canonical(rest)] = (name, prefix, parameters)
    return result


def gcc_functions(objects, nm, cxxfilt, arch):
    """{canonical signature: GCC name} of the functions the objects define."""
    out = subprocess.run([nm, "-g", "--defined-only"] + objects, capture_output=True, text=True,
                         check=True).stdout
    names = sorted({f[2] for f in (line.split() for line in out.splitlines())
                    if len(f) == 3 and f[1] == "T"})
    if arch == "x86":
        names = [n[1:] for n in names if n.startswith("__Z")]
    else:
        names = [n for n in names if n.startswith("_Z")]
    result = {}
    # -n: the names as given (an i686 c++filt would take one underscore off).
    for name, text in zip(names, run_lines([cxxfilt, "-n"], names)):
        key = canonical(text)
        # A constructor's complete-object variant (C1) before the base one.
        if key not in result or re.search(r"C1E", name):
            result[key] = name
    return result


def stack_bytes(parameters):
    """Bytes a parameter list takes on the x86 stack."""
    total = 0
    for p in [p.strip() for p in parameters.split(",") if p.strip() and p.strip() != "void"]:
        if p.endswith("*") or p.endswith("&") or p in ("int", "unsigned int", "long", "unsigned long",
                                                        "bool", "char", "short", "float"):
            total += 4
        elif p in ("double", "__int64", "unsigned __int64"):
            total += 8
        else:
            sys.exit(f"ms_exports: no stack size for parameter type {p!r}")
    return total


def by_value_class(return_type):
    return re.match(r"^(struct|union|class) ", return_type) and not re.search(r"[*&]\s*(const)?\s*$",
                                                                            return_type)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--arch", choices=["x86", "x64"], required=True)
    parser.add_argument("--exports", required=True)
    parser.add_argument("--nm", required=True)
    parser.add_argument("--cxxfilt", required=True)
    parser.add_argument("--undname", required=True)
    parser.add_argument("--output", required=True)
    parser.add_argument("objects", nargs="+")
    args = parser.parse_args()

    with open(args.exports, encoding="ascii") as f:
        ms = ms_functions([line.strip() for line in f if line.strip()], args.undname)
    gcc = gcc_functions(args.objects, args.nm, args.cxxfilt, args.arch)
    prefix = "_" if args.arch == "x86" else ""
    lines = ["# Generated by tools/ms_exports/ms_exports.py: the simulator's interface",
             "# under Microsoft-decorated names, for modules built for Microsoft's ABI.", ".text"]
    exports = []
    constructors = 0
    for key in sorted(ms):
        if key not in gcc:
            continue
        name, return_type, parameters = ms[key]
        if by_value_class(return_type):
            sys.exit(f"ms_exports: {name} returns {return_type} by value: no thunk for that")
        target = prefix + gcc[key]
        label = f'"{prefix}{name}"'
        lines += [f".globl {label}", ".p2align 4", f"{label}:"]
        if name.startswith("??0"):
            constructors += 1
            if args.arch == "x64":
                if len([p for p in parameters.split(",") if p.strip() not in ("", "void")]) > 3:
                    sys.exit(f"ms_exports: {name}: stack parameters in an x64 constructor thunk")
                lines += ["    pushq %rcx", "    subq $32, %rsp", f"    call {target}", "    addq $32, %rsp",
                          "    popq %rax", "    ret"]
            else:
                size = stack_bytes(parameters)
                lines += ["    pushl %ecx"] + [f"    pushl {4 + size}(%esp)"] * (size // 4)
                lines += [f"    call {target}", "    popl %eax", f"    ret ${size}" if size else "    ret"]
        else:
            lines.append(f"    jmp {target}")
        exports.append(name)
    lines.append('.section .drectve, "yn"')
    lines += [f'.ascii " -export:\\"{name}\\""' for name in exports]
    with open(args.output, "w", encoding="ascii") as f:
        f.write("\n".join(lines) + "\n")
    print(f"ms_exports: {len(exports)} Microsoft names ({constructors} constructors) of {len(gcc)} "
          f"functions the simulator defines")
    return 0


if __name__ == "__main__":
    sys.exit(main())
