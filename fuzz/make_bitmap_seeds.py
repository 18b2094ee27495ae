#!/usr/bin/env python3
"""Writes the bitmap seeds of fuzz/corpus/bitmap: tiny Windows bitmaps of every depth the
loader reads, each with rows that differ so that the fuzzer starts from real pixel data.
Run from anywhere; the files are rewritten in place."""
import os
import struct

OUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "corpus", "bitmap")
W, H = 5, 3
PALETTE = [(0, 0, 0), (255, 0, 0), (0, 255, 0), (0, 0, 255)]


def bmp(bits, rows, palette=(), compression=0, masks=(), height=H):
    header_size = 40
    table = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in palette)
    table += b"".join(struct.pack("<I", m) for m in masks)
    offset = 14 + header_size + len(table)
    info = struct.pack("<IiiHHIIiiII", header_size, W, height, 1, bits, compression,
                       len(rows), 2835, 2835, len(palette), 0)
    return b"BM" + struct.pack("<IHHI", offset + len(rows), 0, 0, offset) + info + table + rows


def index(x, y, colours):
    return (x + 2 * y) % colours


def packed(bits, colours, top_down=False):
    out = b""
    order = range(H) if top_down else reversed(range(H))
    for y in order:
        acc, n, row = 0, 0, b""
        for x in range(W):
            acc = (acc << bits) | index(x, y, colours)
            n += bits
            if n == 8:
                row += bytes([acc])
                acc, n = 0, 0
        if n:
            row += bytes([acc << (8 - n)])
        out += row + b"\0" * (-len(row) % 4)
    return out


def colour_rows(bits):
    out = b""
    for y in reversed(range(H)):
        row = b""
        for x in range(W):
            r, g, b = PALETTE[index(x, y, 4)]
            if bits == 24:
                row += bytes([b, g, r])
            elif bits == 32:
                row += bytes([b, g, r, 0])
            else:  # 16 bits, 5-6-5 in bit fields
                row += struct.pack("<H", ((r >> 3) << 11) | ((g >> 2) << 5) | (b >> 3))
        out += row + b"\0" * (-len(row) % 4)
    return out


def rle8():
    out = b""
    for y in reversed(range(H)):
        line = [index(x, y, 4) for x in range(W)]
        if y % 2:
            out += bytes([0, W] + line) + b"\0"  # absolute run, padded to a word
        else:
            out += b"".join(bytes([1, i]) for i in line)  # encoded runs of one
        out += b"\0\1" if y == 0 else b"\0\0"
    return out


def rle4():
    out = b""
    for y in reversed(range(H)):
        line = [index(x, y, 4) for x in range(W)] + [0]
        out += b"".join(bytes([2, (line[i] << 4) | line[i + 1]]) for i in range(0, W - 1, 2))
        out += bytes([1, line[W - 1] << 4])
        out += b"\0\1" if y == 0 else b"\0\0"
    return out


SEEDS = {
    "1bit.bmp": bmp(1, packed(1, 2), PALETTE[:2]),
    "4bit.bmp": bmp(4, packed(4, 4), PALETTE),
    "8bit.bmp": bmp(8, packed(8, 4), PALETTE),
    "8bit-topdown.bmp": bmp(8, packed(8, 4, top_down=True), PALETTE, height=-H),
    "rle8.bmp": bmp(8, rle8(), PALETTE, compression=1),
    "rle4.bmp": bmp(4, rle4(), PALETTE, compression=2),
    "16bit-565.bmp": bmp(16, colour_rows(16), compression=3, masks=(0xF800, 0x07E0, 0x001F)),
    "24bit.bmp": bmp(24, colour_rows(24)),
    "32bit.bmp": bmp(32, colour_rows(32)),
}

os.makedirs(OUT, exist_ok=True)
for name, data in SEEDS.items():
    with open(os.path.join(OUT, name), "wb") as f:
        f.write(data)
