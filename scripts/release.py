#!/usr/bin/env python3
"""Helpers of scripts/package and scripts/check-package.

  release.py zip OUT.zip SECONDS FILE...  writes FILE... (by their names, sorted) into OUT.zip with
                                          the time SECONDS (since 1970, UTC) and fixed attributes,
                                          so that the same files give the same bytes
  release.py version PROGRAM.exe          prints the version resource of a Windows program:
                                          its fixed version and its strings, one NAME=VALUE a line
"""
import os
import struct
import sys
import time
import zipfile


def write_zip(out, seconds, files):
    stamp = time.gmtime(max(int(seconds), 315532800))[:6]  # a zip time starts in 1980
    with zipfile.ZipFile(out, "w") as archive:
        for path in sorted(files, key=os.path.basename):
            info = zipfile.ZipInfo(os.path.basename(path), date_time=stamp)
            info.compress_type = zipfile.ZIP_DEFLATED
            info.create_system = 3
            info.external_attr = 0o100644 << 16  # a plain file, readable by all
            with open(path, "rb") as f:
                archive.writestr(info, f.read(), compresslevel=9)


def read_block(data, start, base):
    """One block of a version resource: (key, value, children), and where it ends."""
    length, value_length, kind = struct.unpack_from("<HHH", data, start)
    at = start + 6
    key_end = at
    while data[key_end:key_end + 2] != b"\0\0":
        key_end += 2
    key = data[at:key_end].decode("utf-16-le")
    align = lambda offset: base + ((offset - base + 3) & ~3)
    at = align(key_end + 2)
    size = value_length * 2 if kind == 1 else value_length
    value = data[at:at + size]
    at = align(at + size)
    children = []
    while at < start + length:
        child, end = read_block(data, at, base)
        children.append(child)
        at = align(end)
    return (key, value, children), start + length


def print_version(program):
    data = open(program, "rb").read()
    found = data.find("VS_VERSION_INFO".encode("utf-16-le"))
    if found < 6:
        sys.exit(f"release.py: {program} has no version resource")
    base = found - 6
    (key, fixed, children), _ = read_block(data, base, base)
    signature, _, file_ms, file_ls = struct.unpack_from("<IIII", fixed)
    if signature != 0xFEEF04BD:
        sys.exit(f"release.py: {program} has a broken version resource")
    print(f"Fixed={file_ms >> 16}.{file_ms & 0xFFFF}.{file_ls >> 16}.{file_ls & 0xFFFF}")
    for block_key, _, tables in children:
        if block_key != "StringFileInfo":
            continue
        for _, _, strings in tables:
            for name, value, _ in strings:
                print(f"{name}={value.decode('utf-16-le').rstrip(chr(0))}")


if __name__ == "__main__":
    if len(sys.argv) >= 4 and sys.argv[1] == "zip":
        write_zip(sys.argv[2], sys.argv[3], sys.argv[4:])
    elif len(sys.argv) == 3 and sys.argv[1] == "version":
        print_version(sys.argv[2])
    else:
        sys.exit(__doc__)
