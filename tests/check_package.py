#!/usr/bin/python3
"""Checks the release ZIP: exactly the expected files, both DLLs and both
drivers for the right machine, each carrying the version resource.

  check_package.py Veltrand-1.0.0.zip 1.0.0
"""
import sys
import zipfile

import pefile

EXPECTED = {
    "Veltrand.dll": 0x14C, "veltrand-drive.exe": 0x14C,
    "x64/Veltrand.dll": 0x8664, "x64/veltrand-drive.exe": 0x8664,
    "README.md": None, "LICENSE": None, "examples/Veltrand.ini": None,
    "examples/power-step.scn": None, "examples/restart-window.scn": None,
    "examples/reverser.scn": None, "examples/clock-restart.scn": None,
}


def version_strings(data):
    image = pefile.PE(data=data)
    strings = {}
    for info in getattr(image, "FileInfo", []):
        for entry in info:
            for table in getattr(entry, "StringTable", []):
                strings.update({k.decode(): v.decode() for k, v in table.entries.items()})
    return image.FILE_HEADER.Machine, strings


def main():
    path, version = sys.argv[1], sys.argv[2]
    failures = []
    with zipfile.ZipFile(path) as package:
        names = sorted(name for name in package.namelist() if not name.endswith("/"))
        if names != sorted(EXPECTED):
            failures.append(f"package holds {names}, expected {sorted(EXPECTED)}")
        for name, machine in EXPECTED.items():
            if machine is None or name not in names:
                continue
            actual_machine, strings = version_strings(package.read(name))
            if actual_machine != machine:
                failures.append(f"{name}: machine {actual_machine:#x}, expected {machine:#x}")
            if strings.get("ProductName") != "Veltrand" or strings.get("FileVersion") != version:
                failures.append(f"{name}: version resource {strings}, expected Veltrand {version}")
    for failure in failures:
        print(f"FAIL: {failure}")
    print(f"{path}: {len(EXPECTED)} files checked")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
