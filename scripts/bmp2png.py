#!/usr/bin/env python3
"""Turns a 24-bit uncompressed BMP (as the test driver writes them) into a PNG, with nothing but
the standard library."""
import struct
import sys
import zlib


def bmp_to_png(source, target):
    data = open(source, "rb").read()
    offset = struct.unpack_from("<I", data, 10)[0]
    width, height = struct.unpack_from("<ii", data, 18)
    bits = struct.unpack_from("<H", data, 28)[0]
    if bits != 24:
        raise SystemExit(f"{source}: {bits}-bit BMP, expected 24-bit")
    stride = (width * 3 + 3) // 4 * 4
    bottom_up = height > 0
    height = abs(height)
    raw = bytearray()
    for y in range(height):
        row_index = height - 1 - y if bottom_up else y
        row = data[offset + row_index * stride: offset + row_index * stride + width * 3]
        raw.append(0)
        for x in range(0, len(row), 3):
            raw += bytes((row[x + 2], row[x + 1], row[x]))

    def chunk(kind, body):
        return (struct.pack(">I", len(body)) + kind + body
                + struct.pack(">I", zlib.crc32(kind + body) & 0xFFFFFFFF))

    png = b"\x89PNG\r\n\x1a\n"
    png += chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0))
    png += chunk(b"IDAT", zlib.compress(bytes(raw), 9))
    png += chunk(b"IEND", b"")
    open(target, "wb").write(png)


if __name__ == "__main__":
    if len(sys.argv) != 3:
        raise SystemExit("usage: bmp2png.py IN.bmp OUT.png")
    bmp_to_png(sys.argv[1], sys.argv[2])
