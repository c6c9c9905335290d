#!/usr/bin/env python3
"""Zips a folder as one top folder of the same name, the same bytes every
time: entries sorted, folders before their files, fixed dates and modes.

Usage: make_zip.py ZIP FOLDER
"""
import os
import sys
import zipfile

# The earliest date a zip entry can hold.
FIXED_DATE = (1980, 1, 1, 0, 0, 0)


def entries(folder):
    top = os.path.basename(os.path.normpath(folder))
    names = [top + "/"]
    for parent, dirs, files in os.walk(folder):
        relative = os.path.relpath(parent, os.path.dirname(os.path.normpath(folder)))
        prefix = relative.replace(os.sep, "/") + "/"
        names += [prefix + name + "/" for name in dirs]
        names += [prefix + name for name in files]
    return sorted(names)


def make_zip(zip_path, folder):
    base = os.path.dirname(os.path.normpath(folder))
    with zipfile.ZipFile(zip_path, "w", zipfile.ZIP_DEFLATED, compresslevel=9) as archive:
        for name in entries(folder):
            info = zipfile.ZipInfo(name, FIXED_DATE)
            info.create_system = 0
            if name.endswith("/"):
                info.external_attr = 0x10
                archive.writestr(info, b"")
            else:
                info.compress_type = zipfile.ZIP_DEFLATED
                with open(os.path.join(base, name), "rb") as source:
                    archive.writestr(info, source.read())


def main():
    if len(sys.argv) != 3 or not os.path.isdir(sys.argv[2]):
        sys.stderr.write("usage: make_zip.py ZIP FOLDER\n")
        return 2
    make_zip(sys.argv[1], sys.argv[2])
    return 0


if __name__ == "__main__":
    sys.exit(main())
