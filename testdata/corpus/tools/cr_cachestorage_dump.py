#!/usr/bin/env python3
"""Dump the entries of a Chromium Service Worker cache folder
(Service Worker/CacheStorage/<origin hash>/<cache id>/): each entry's key, the size and
start of its body (stream 1), and its stream 0, a protocol buffer record, field by field.
Usage: cr_cachestorage_dump.py CACHE_FOLDER"""
import glob, os, struct, sys


def varint(b, i):
    v = s = 0
    while True:
        c = b[i]; i += 1; v |= (c & 0x7f) << s; s += 7
        if not c & 0x80:
            return v, i


def dump(b, depth=0):
    i = 0
    while i < len(b):
        key, i = varint(b, i); f, t = key >> 3, key & 7
        if t == 0:
            v, i = varint(b, i); print("  " * depth, f, "varint", v)
        elif t == 2:
            n, i = varint(b, i); d = b[i:i + n]; i += n
            if depth < 2 and f in (1, 2, 4) and not all(32 <= x < 127 for x in d):
                print("  " * depth, f, "message"); dump(d, depth + 1)
            else:
                print("  " * depth, f, "bytes", d)
        else:
            print("  " * depth, "wire type", t); return


def streams(path):
    b = open(path, 'rb').read()
    key_length = struct.unpack_from('<I', b, 12)[0]
    flags, crc, size = struct.unpack_from('<III', b, len(b) - 16)
    end = len(b) - 24 - (32 if flags & 2 else 0)
    return b[24:24 + key_length], b[24 + key_length:end - size - 24], b[end - size:end]


for path in sorted(glob.glob(os.path.join(sys.argv[1], '*_0'))):
    key, body, stream0 = streams(path)
    print("==", os.path.basename(path), key, "body", len(body), body[:20])
    dump(stream0)
