#!/usr/bin/env python3
"""Writes the seed corpora of the TGA and DDS reader harnesses:
   python3 fuzz/make_image_seeds.py   (from the project root)"""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))


def pattern(width, height):
    """Rows top to bottom of (b, g, r, a), with flat stretches for runs."""
    rows = []
    for y in range(height):
        row = []
        for x in range(width):
            if (x // 2) % 2 == 0:
                row.append((10, 20, 30, 255))
            else:
                row.append(((x * 37) & 255, (y * 91) & 255, (x + y) & 255, (x * y * 7) & 255))
        rows.append(row)
    return rows


def tga(image_type, width, height, bits, descriptor, data, image_id=b"", cmap_type=0, cmap_len=0, cmap_bits=0, cmap=b""):
    header = struct.pack("<BBBHHBHHHHBB", len(image_id), cmap_type, image_type, 0, cmap_len, cmap_bits,
                         0, 0, width, height, bits, descriptor)
    return header + image_id + cmap + data


def stored(rows, pixel_bytes, top_down):
    order = rows if top_down else list(reversed(rows))
    return b"".join(bytes(p[:pixel_bytes]) for row in order for p in row)


def rle(pixels, pixel_bytes):
    items = [pixels[i:i + pixel_bytes] for i in range(0, len(pixels), pixel_bytes)]
    out = bytearray()
    i = 0
    while i < len(items):
        run = 1
        while i + run < len(items) and run < 128 and items[i + run] == items[i]:
            run += 1
        if run > 1:
            out += bytes([0x80 | (run - 1)]) + items[i]
            i += run
            continue
        literal = 1
        while i + literal < len(items) and literal < 128 and not (
                i + literal + 1 < len(items) and items[i + literal] == items[i + literal + 1]):
            literal += 1
        out += bytes([literal - 1]) + b"".join(items[i:i + literal])
        i += literal
    return bytes(out)


def dds(width, height, bits, data, alpha_mask=0xFF000000, flags=0x41, fourcc=b"\0\0\0\0"):
    header = bytearray(128)
    header[0:4] = b"DDS "
    struct.pack_into("<IIII", header, 4, 124, 0x1007, height, width)
    struct.pack_into("<II", header, 76, 32, flags)
    header[84:88] = fourcc
    struct.pack_into("<IIIII", header, 88, bits, 0xFF0000, 0xFF00, 0xFF, alpha_mask)
    struct.pack_into("<I", header, 108, 0x1002)
    return bytes(header) + data


def padded(rows, pixel_bytes):
    out = bytearray()
    for row in rows:
        line = b"".join(bytes(p[3:4] if pixel_bytes == 1 else p[:pixel_bytes]) for p in row)
        out += line + b"\0" * (-len(line) % 4)
    return bytes(out)


def tga_seeds():
    rows = pattern(7, 5)
    grey = [[(p[0], p[1], 0, 0) for p in row] for row in rows]
    indexes = [[((x + y) % 4,) for x in range(7)] for y in range(5)]
    palette24 = bytes([0, 0, 255, 0, 255, 0, 255, 0, 0, 9, 9, 9])
    palette32 = bytes([0, 0, 255, 128, 0, 255, 0, 255, 255, 0, 0, 64, 9, 9, 9, 0])
    raw32 = stored(rows, 4, True)
    return {
        "raw32_top": tga(2, 7, 5, 32, 0x28, raw32),
        "raw24_bottom": tga(2, 7, 5, 24, 0x00, stored(rows, 3, False)),
        "rle32_bottom": tga(10, 7, 5, 32, 0x08, rle(stored(rows, 4, False), 4)),
        "rle24_top": tga(10, 7, 5, 24, 0x20, rle(stored(rows, 3, True), 3)),
        "grey8": tga(3, 7, 5, 8, 0x20, stored(grey, 1, True)),
        "grey16_rle": tga(11, 7, 5, 16, 0x20, rle(stored(grey, 2, True), 2)),
        "mapped24": tga(1, 7, 5, 8, 0x20, stored(indexes, 1, True), cmap_type=1, cmap_len=4, cmap_bits=24,
                        cmap=palette24),
        "mapped32_rle": tga(9, 7, 5, 8, 0x00, rle(stored(indexes, 1, False), 1), cmap_type=1, cmap_len=4,
                            cmap_bits=32, cmap=palette32),
        "with_id": tga(2, 7, 5, 32, 0x20, raw32, image_id=b"marrowdeep"),
        "rle_cut": tga(10, 7, 5, 32, 0x20, rle(stored(rows, 4, True), 4)[:30]),
        "raw_cut": tga(2, 7, 5, 32, 0x20, raw32[:50]),
    }


def dds_seeds():
    rows = pattern(5, 3)
    return {
        "argb32": dds(5, 3, 32, padded(rows, 4)),
        "xrgb32": dds(5, 3, 32, padded(rows, 4), alpha_mask=0),
        "rgb24": dds(5, 3, 24, padded(rows, 3), alpha_mask=0, flags=0x40),
        "alpha8": dds(5, 3, 8, padded(rows, 1), flags=0x2),
        "dxt1": dds(8, 8, 0, bytes(32), flags=0x4, fourcc=b"DXT1"),
        "cut": dds(5, 3, 24, padded(rows, 3)[:20], alpha_mask=0, flags=0x40),
    }


def write(name, seeds):
    folder = os.path.join(HERE, "corpus", name)
    os.makedirs(folder, exist_ok=True)
    for seed, data in seeds.items():
        with open(os.path.join(folder, seed), "wb") as out:
            out.write(data)


write("TgaReader", tga_seeds())
write("DdsReader", dds_seeds())
