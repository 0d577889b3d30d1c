#!/usr/bin/env python3
"""Fails when a Windows executable imports a DLL that a bare Windows lacks."""
import subprocess
import sys

ALLOWED = {
    "kernel32.dll", "user32.dll", "gdi32.dll", "advapi32.dll", "shell32.dll",
    "comctl32.dll", "winmm.dll", "opengl32.dll", "glu32.dll", "msvcrt.dll",
}


def imports(path):
    out = subprocess.run(["x86_64-w64-mingw32-objdump", "-p", path], check=True,
                         stdout=subprocess.PIPE, timeout=60).stdout.decode()
    return sorted({line.split("DLL Name:")[1].strip().lower()
                   for line in out.splitlines() if "DLL Name:" in line})


def main():
    found = imports(sys.argv[1])
    print("imports:", ", ".join(found))
    extra = [d for d in found if d not in ALLOWED]
    if extra:
        print("FAILED: not part of Windows:", ", ".join(extra))
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
