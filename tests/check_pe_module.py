#!/usr/bin/python3
"""Checks a built Windows module file without running it.

  check_pe_module.py FILE x86|x64 [--exports Veltrand.def] [--message-box]

The file must be for the given machine and import only from Windows system
DLLs, so that a user can copy the one file and it loads. With --exports it
must export exactly the names listed in the .def file, undecorated. It
imports MessageBoxA exactly when --message-box is given.
"""
import argparse
import sys

import pefile

MACHINES = {"x86": 0x14C, "x64": 0x8664}
SYSTEM_DLLS = {"kernel32.dll", "user32.dll", "msvcrt.dll", "ntdll.dll", "advapi32.dll", "ucrtbase.dll"}


def definition_names(path):
    names, in_exports = [], False
    for line in open(path):
        words = line.split()
        if not words:
            continue
        if words[0] == "EXPORTS":
            in_exports = True
        elif in_exports and line[0].isspace():
            names.append(words[0])
    return names


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("path")
    parser.add_argument("architecture", choices=MACHINES)
    parser.add_argument("--exports")
    parser.add_argument("--message-box", action="store_true")
    options = parser.parse_args()
    path, architecture = options.path, options.architecture
    image = pefile.PE(path)
    failures = []
    if image.FILE_HEADER.Machine != MACHINES[architecture]:
        failures.append(f"machine is {image.FILE_HEADER.Machine:#x}, expected {architecture}")

    imported = sorted(entry.dll.decode() for entry in getattr(image, "DIRECTORY_ENTRY_IMPORT", []))
    for dll in imported:
        if dll.lower() not in SYSTEM_DLLS and not dll.lower().startswith("api-ms-win-"):
            failures.append(f"imports from {dll}, which is not a Windows system DLL")

    functions = {symbol.name for entry in getattr(image, "DIRECTORY_ENTRY_IMPORT", []) for symbol in entry.imports}
    if (b"MessageBoxA" in functions) != options.message_box:
        failures.append("imports MessageBoxA" if not options.message_box else "does not import MessageBoxA")

    if options.exports:
        expected = sorted(definition_names(options.exports))
        exports = getattr(image, "DIRECTORY_ENTRY_EXPORT", None)
        exported = sorted(symbol.name.decode() for symbol in exports.symbols if symbol.name) if exports else []
        if exported != expected:
            failures.append(f"exports {exported}, expected exactly {expected}")
        if exports and any(symbol.name is None for symbol in exports.symbols):
            failures.append("exports an entry by ordinal only")

    print(f"{path}: imports {', '.join(imported)}")
    for failure in failures:
        print(f"FAIL: {failure}")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
