#!/usr/bin/env python3
"""Prints a Windows shortcut's target and working folder, tab-separated:
what the installer test checks its shortcuts by.

Usage: shortcut_fields.py FILE.lnk
"""
import struct
import sys

HAS_ID_LIST = 0x01
HAS_LINK_INFO = 0x02
IS_UNICODE = 0x80
# The optional strings, in the order they follow the link info.
STRING_FLAGS = (0x04, 0x08, 0x10, 0x20, 0x40)
WORKING_DIR = 0x10
VOLUME_AND_LOCAL_PATH = 0x01


def c_string(data, offset):
    return data[offset:data.index(b"\0", offset)].decode("latin-1")


def fields(data):
    if len(data) < 0x4C or struct.unpack_from("<I", data, 0)[0] != 0x4C:
        raise ValueError("not a shortcut")
    flags = struct.unpack_from("<I", data, 0x14)[0]
    offset = 0x4C
    if flags & HAS_ID_LIST:
        offset += 2 + struct.unpack_from("<H", data, offset)[0]
    target = ""
    if flags & HAS_LINK_INFO:
        size, _, info_flags, _, local_path = struct.unpack_from("<5I", data, offset)
        if info_flags & VOLUME_AND_LOCAL_PATH:
            target = c_string(data, offset + local_path)
        offset += size
    strings = {}
    for flag in STRING_FLAGS:
        if not flags & flag:
            continue
        count = struct.unpack_from("<H", data, offset)[0]
        offset += 2
        if flags & IS_UNICODE:
            strings[flag] = data[offset:offset + 2 * count].decode("utf-16-le")
            offset += 2 * count
        else:
            strings[flag] = data[offset:offset + count].decode("latin-1")
            offset += count
    # Some writers count the string's terminating null.
    return target, strings.get(WORKING_DIR, "").rstrip("\0")


def main():
    if len(sys.argv) != 2:
        sys.stderr.write("usage: shortcut_fields.py FILE.lnk\n")
        return 2
    with open(sys.argv[1], "rb") as link:
        target, working_dir = fields(link.read())
    print(f"{target}\t{working_dir}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
