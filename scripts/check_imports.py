#!/usr/bin/env python3
"""Proves, without running them, that 32-bit Windows programs can resolve what they call.

For every program given:
  - each imported (and delay-imported) function is exported by the 32-bit system DLL of that
    name (Wine's 32-bit DLLs are PE files, read with objdump);
  - each call or jump through an absolute pointer inside the import section goes through a
    slot that the loader fills: a slot of a named import. A call through any other slot there
    would jump to address 0 at run time (the way delay-load libraries break on 32-bit).

    check_imports.py [--dlls FOLDER] [--objdump TOOL] PROGRAM.exe...
Prints one line per program and "N passed, N failed" last; exits 1 when any check fails.
"""
import argparse
import os
import re
import subprocess
import sys

DEFAULT_DLLS = "/usr/lib/i386-linux-gnu/wine/i386-windows"


def objdump(tool, *args):
    return subprocess.run([tool, *args], check=True, capture_output=True, text=True,
                          errors="replace").stdout


def parse_header(text):
    """The import section's range, each DLL's imported names and the slots the loader fills."""
    image_base = int(re.search(r"^ImageBase\s+([0-9a-fA-F]+)", text, re.M).group(1), 16)
    imports = {}  # DLL name (lower case) -> set of function names ("#N" for ordinals)
    slots = set()
    blocks = re.split(r"^\s*DLL Name: ", text, flags=re.M)
    # The table before the blocks names each DLL's first thunk, in the order of the blocks.
    thunks = []
    for line in text.splitlines():
        m = re.match(r"^ ([0-9a-f]{8})\t([0-9a-f]{8}) [0-9a-f]{8} [0-9a-f]{8} ([0-9a-f]{8}) "
                     r"([0-9a-f]{8})$", line)
        if m and int(m.group(4), 16):
            thunks.append(int(m.group(4), 16))
    delayed = "The Delay Import Tables" in text
    for index, block in enumerate(blocks[1:]):
        name = block.split("\n", 1)[0].strip().lower()
        functions = imports.setdefault(name, set())
        count = 0
        for line in block.split("\n")[2:]:
            m = re.match(r"^\t([0-9a-f]+)\s+(\d+)\s+(\S+)", line)
            if m:
                functions.add(m.group(3))
                count += 1
                continue
            m = re.match(r"^\t([0-9a-f]+)\s+<none>\s+([0-9a-f]+)", line)  # by ordinal
            if m:
                functions.add("#%d" % int(m.group(2), 16))
                count += 1
                continue
            if line.strip() == "" and count:
                break
        if index < len(thunks) and not delayed:
            first = image_base + thunks[index]
            slots.update(first + 4 * i for i in range(count))
    return image_base, imports, slots, delayed


def import_section(tool, program):
    for line in objdump(tool, "-h", program).splitlines():
        parts = line.split()
        if len(parts) >= 4 and parts[1] == ".idata":
            start = int(parts[3], 16)
            return start, start + int(parts[2], 16)
    return None


def indirect_targets(tool, program):
    targets = {}
    pattern = re.compile(r"\s(call|jmp)\s+\*0x([0-9a-f]+)\s*$")
    for line in objdump(tool, "-d", "--no-show-raw-insn", program).splitlines():
        m = pattern.search(line)
        if m:
            address = int(m.group(2), 16)
            targets[address] = targets.get(address, 0) + 1
    return targets


def exports_of(tool, dll_path, cache):
    if dll_path not in cache:
        names = set()
        in_table = False
        for line in objdump(tool, "-p", dll_path).splitlines():
            if line.startswith("[Ordinal/Name Pointer] Table"):
                in_table = True
                continue
            if in_table:
                m = re.match(r"^\s+\[\s*(\d+)\]\s+(\S+)", line)
                if not m:
                    if line.strip():
                        break
                    continue
                names.add(m.group(2))
        ordinals = set()
        for m in re.finditer(r"^\s+\[\s*(\d+)\] \+base\[\s*(\d+)\]", objdump(tool, "-p", dll_path), re.M):
            ordinals.add("#" + m.group(2))
        cache[dll_path] = names | ordinals
    return cache[dll_path]


def check(program, tool, dll_folder, cache):
    faults = []
    header = objdump(tool, "-p", program)
    if "file format pei-i386" not in objdump(tool, "-f", program):
        return ["not a 32-bit program"]
    _, imports, slots, delayed = parse_header(header)
    for dll, functions in sorted(imports.items()):
        path = os.path.join(dll_folder, dll)
        if not os.path.isfile(path):
            faults.append("imports %s, which is not a 32-bit system DLL" % dll)
            continue
        missing = sorted(f for f in functions if f not in exports_of(tool, path, cache))
        if missing:
            faults.append("%s does not export %s" % (dll, ", ".join(missing)))
    if delayed:
        faults.append("has delayed imports: their slots are filled by code the check cannot follow")
    section = import_section(tool, program)
    if section:
        start, end = section
        for address, uses in sorted(indirect_targets(tool, program).items()):
            if start <= address < end and address not in slots:
                faults.append("%d call(s) through 0x%x, an import slot no import fills" % (uses, address))
    return faults


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--dlls", default=DEFAULT_DLLS)
    parser.add_argument("--objdump", default="i686-w64-mingw32-objdump")
    parser.add_argument("programs", nargs="+")
    args = parser.parse_args()
    cache = {}
    passed = failed = 0
    for program in args.programs:
        faults = check(program, args.objdump, args.dlls, cache)
        name = os.path.basename(program)
        if faults:
            failed += 1
            print("%s: FAILED" % name)
            for fault in faults:
                print("  " + fault)
        else:
            passed += 1
            print("%s: imports resolve" % name)
    print("imports: %d passed, %d failed" % (passed, failed))
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
