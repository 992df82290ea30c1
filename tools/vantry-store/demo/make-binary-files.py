#!/usr/bin/env python3
"""Writes the demo site's binary files (GIF, PNG and JPEG images, a download) with nothing but the standard library."""
import math
import os
import struct
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))


def gif(width, height, palette, pixels):
    """An 8-bit GIF89a with a global colour table and one LZW-compressed image."""
    colours = list(palette) + [(0, 0, 0)] * (256 - len(palette))
    out = b"GIF89a" + struct.pack("<HHBBB", width, height, 0xF7, 0, 0)
    out += b"".join(bytes(c) for c in colours)
    out += b"," + struct.pack("<HHHHB", 0, 0, width, height, 0) + bytes([8])
    data = lzw(bytes(pixels), 8)
    for i in range(0, len(data), 255):
        chunk = data[i:i + 255]
        out += bytes([len(chunk)]) + chunk
    return out + b"\x00;"


def lzw(data, min_size):
    clear, end = 1 << min_size, (1 << min_size) + 1
    bits, nbits, out = 0, 0, bytearray()

    def emit(code, size):
        nonlocal bits, nbits
        bits |= code << nbits
        nbits += size
        while nbits >= 8:
            out.append(bits & 0xFF)
            bits >>= 8
            nbits -= 8

    def fresh():
        return {bytes([i]): i for i in range(clear)}, end + 1, min_size + 1

    table, next_code, size = fresh()
    emit(clear, size)
    word = b""
    for byte in data:
        longer = word + bytes([byte])
        if longer in table:
            word = longer
            continue
        emit(table[word], size)
        if next_code < 4095:
            table[longer] = next_code
            next_code += 1
            if next_code - 1 == (1 << size):
                size += 1
        else:
            emit(clear, size)
            table, next_code, size = fresh()
        word = bytes([byte])
    emit(table[word], size)
    emit(end, size)
    if nbits:
        out.append(bits & 0xFF)
    return bytes(out)


def png(width, height, rgb):
    """A truecolour PNG; rgb(x, y) gives each pixel."""
    def chunk(kind, body):
        return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body) & 0xFFFFFFFF)
    raw = b"".join(b"\x00" + b"".join(bytes(rgb(x, y)) for x in range(width)) for y in range(height))
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)) +
            chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


ZIGZAG = [0, 1, 8, 16, 9, 2, 3, 10, 17, 24, 32, 25, 18, 11, 4, 5, 12, 19, 26, 33, 40, 48, 41, 34, 27, 20, 13, 6, 7,
          14, 21, 28, 35, 42, 49, 56, 57, 50, 43, 36, 29, 22, 15, 23, 30, 37, 44, 51, 58, 59, 52, 45, 38, 31, 39, 46,
          53, 60, 61, 54, 47, 55, 62, 63]


def jpeg(width, height, rgb):
    """A baseline JPEG, colour 4:4:4. One DC and one AC Huffman table with every symbol at a fixed length
    keep the writer short; the file is a few hundred bytes larger than an optimised one."""
    quant = [min(255, 4 + 2 * ((i // 8) + (i % 8))) for i in range(64)]
    dc_symbols = list(range(12))
    ac_symbols = [0x00, 0xF0] + [(run << 4) | size for run in range(16) for size in range(1, 11)]
    dc_codes = {s: (i, 4) for i, s in enumerate(dc_symbols)}
    ac_codes = {s: (i, 8) for i, s in enumerate(ac_symbols)}

    def segment(marker, body):
        return bytes([0xFF, marker]) + struct.pack(">H", len(body) + 2) + body

    def huffman(table_class, length, symbols):
        counts = [0] * 16
        counts[length - 1] = len(symbols)
        return bytes([table_class]) + bytes(counts) + bytes(symbols)

    out = b"\xFF\xD8" + segment(0xE0, b"JFIF\x00\x01\x01\x00\x00\x01\x00\x01\x00\x00")
    out += segment(0xDB, b"\x00" + bytes(quant[ZIGZAG[k]] for k in range(64)))
    out += segment(0xC0, struct.pack(">BHHB", 8, height, width, 3) + b"\x01\x11\x00\x02\x11\x00\x03\x11\x00")
    out += segment(0xC4, huffman(0x00, 4, dc_symbols) + huffman(0x10, 8, ac_symbols))
    out += segment(0xDA, b"\x03\x01\x00\x02\x00\x03\x00\x00\x3F\x00")

    bits = []

    def put(value, length):
        bits.extend((value >> (length - 1 - k)) & 1 for k in range(length))

    def magnitude(value):
        size = abs(value).bit_length()
        return size, (value if value >= 0 else value + (1 << size) - 1)

    def ycc(x, y):
        r, g, b = rgb(min(x, width - 1), min(y, height - 1))
        return (0.299 * r + 0.587 * g + 0.114 * b - 128,
                -0.168736 * r - 0.331264 * g + 0.5 * b,
                0.5 * r - 0.418688 * g - 0.081312 * b)

    cos = [[math.cos((2 * x + 1) * u * math.pi / 16) for x in range(8)] for u in range(8)]
    previous = [0, 0, 0]
    for by in range(0, height, 8):
        for bx in range(0, width, 8):
            block = [[ycc(bx + x, by + y) for x in range(8)] for y in range(8)]
            for comp in range(3):
                coeffs = [0] * 64
                for v in range(8):
                    for u in range(8):
                        total = sum(block[y][x][comp] * cos[u][x] * cos[v][y] for y in range(8) for x in range(8))
                        scale = (math.sqrt(0.5) if u == 0 else 1) * (math.sqrt(0.5) if v == 0 else 1) / 4
                        coeffs[v * 8 + u] = round(total * scale / quant[v * 8 + u])
                zz = [coeffs[ZIGZAG[i]] for i in range(64)]
                size, value = magnitude(zz[0] - previous[comp])
                previous[comp] = zz[0]
                put(*dc_codes[size])
                put(value, size)
                run = 0
                for coefficient in zz[1:]:
                    if coefficient == 0:
                        run += 1
                        continue
                    while run > 15:
                        put(*ac_codes[0xF0])
                        run -= 16
                    size, value = magnitude(coefficient)
                    put(*ac_codes[(run << 4) | size])
                    put(value, size)
                    run = 0
                if run:
                    put(*ac_codes[0x00])
    bits.extend([1] * (-len(bits) % 8))
    data = bytearray()
    for i in range(0, len(bits), 8):
        byte = int("".join(map(str, bits[i:i + 8])), 2)
        data.append(byte)
        if byte == 0xFF:
            data.append(0x00)
    return out + bytes(data) + b"\xFF\xD9"


def logo(x, y):
    """Index into the logo palette: night sky, sea, a lighthouse with its beam."""
    if 14 <= x <= 22 and 10 <= y <= 32 and abs(x - 18) <= 2 + (y - 10) // 8:
        return 3 if (y // 4) % 2 else 4
    if 12 <= y <= 16 and 22 < x < 22 + (y - 12) * 20 and abs(y - 14) * 12 <= x - 10:
        return 2
    return 1 if y >= 32 else 0


def star(x, y):
    angle = math.atan2(y - 7.5, x - 7.5)
    radius = math.hypot(x - 7.5, y - 7.5)
    return 1 if radius <= 4 + 3.5 * max(0.0, math.cos(2.5 * angle)) else 0


def banner(x, y):
    if y > 44:
        return (20, 60 + y, 120 + y)
    return (40 + y * 3, 80 + y * 2 + x // 8, 200 - y)


def sunset(x, y):
    if math.hypot(x - 60, y - 30) < 10:
        return (255, 220, 120)
    if y > 40:
        return (10, 40 + (y - 40) * 3, 90 + (y - 40) * 2)
    return (250 - y * 2, 120 + y, 60 + y * 3)


def lamp(x, y):
    if 20 <= x <= 28 and 12 <= y <= 40:
        return (200, 40, 40) if (y // 6) % 2 else (240, 240, 240)
    if 16 <= x <= 32 and 40 < y <= 44:
        return (60, 60, 60)
    return (230, 236, 240)


def write(name, data):
    with open(os.path.join(HERE, name), "wb") as f:
        f.write(data)


if __name__ == "__main__":
    write("logo.gif", gif(120, 40, [(12, 24, 64), (20, 70, 120), (250, 230, 120), (200, 30, 30), (245, 245, 245)],
                          [logo(x, y) for y in range(40) for x in range(120)]))
    write("star.gif", gif(16, 16, [(255, 255, 255), (240, 180, 0)], [star(x, y) for y in range(16) for x in range(16)]))
    write("banner.png", png(320, 60, banner))
    write("harbour.jpg", jpeg(96, 64, sunset))
    write("lamp.jpg", jpeg(48, 48, lamp))
    write("harbour-setup.bin", b"HLSETUP\x00\x01\x02" + bytes((i * 73 + 19) % 256 for i in range(1526)))
