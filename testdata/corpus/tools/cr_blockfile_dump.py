#!/usr/bin/env python3
"""Dump a Chromium blockfile cache folder (index, data_N, f_xxxxxx) and check its hashes.

For every entry reached through the index: whether its blocks are marked in use, whether
the key hash and the record hashes (SuperFastHash) match, its rankings record, its
streams, and the start of stream 0 (the pickled response info).
Usage: cr_blockfile_dump.py CACHE_FOLDER"""
import os, struct, sys
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from superfasthash_check import sfh  # noqa: E402

d = sys.argv[1]
files = {}
def blockfile(n):
    if n not in files: files[n] = open(os.path.join(d, 'data_%d' % n), 'rb').read()
    return files[n]
SIZES = {1: 36, 2: 256, 3: 1024, 4: 4096}
def addr(a):
    if not a & 0x80000000: return None
    t = (a >> 28) & 7
    if t == 0: return ('f_%06x' % (a & 0x0fffffff),)
    return (t, ((a >> 24) & 3) + 1, (a >> 16) & 0xff, a & 0xffff)
def read(a, size=None):
    x = addr(a)
    if len(x) == 1: return open(os.path.join(d, x[0]), 'rb').read()[:size]
    t, n, f, b = x; bs = SIZES[t]; data = blockfile(f)
    assert struct.unpack_from('<i', data, 12)[0] == bs, 'block size of data_%d' % f
    used = (data[80 + b // 8] >> (b % 8)) & ((1 << n) - 1) == (1 << n) - 1
    off = 8192 + b * bs
    return data[off: off + (size if size is not None else n * bs)], used
ix = open(os.path.join(d, 'index'), 'rb').read()
magic, ver, nent, nbytes2, last_file, this_id, stats, table_len, crash, exp = struct.unpack_from('<IIiiiiIiii', ix, 0)
create, nbytes3 = struct.unpack_from('<Qq', ix, 40)
print('index: %d bytes magic=%#x version=%#x entries=%d bytes(v2)=%d bytes(v3)=%d last_file=%d this_id=%d table_len=%#x crash=%d' % (len(ix), magic, ver, nent, nbytes2, nbytes3, last_file, this_id, table_len, crash))
lru = struct.unpack_from('<2i i 5i 5I 5I I i i', ix, 256)
print('lru filled=%d sizes=%s heads=%s tails=%s' % (lru[2], lru[3:8], [hex(x) for x in lru[8:13]], [hex(x) for x in lru[13:18]]))
for n in range(4):
    b = blockfile(n)
    m, v, this, nxt, esz, ne, mx = struct.unpack_from('<IIhhiii', b, 0)
    print('data_%d: %d bytes magic=%#x version=%#x this=%d next=%d entry_size=%d used=%d max=%d updating=%d' % (n, len(b), m, v, this, nxt, esz, ne, mx, struct.unpack_from('<i', b, 56)[0]))
table = struct.unpack_from('<%dI' % (table_len or 0x10000), ix, 368)
count = 0
for bucket, head in enumerate(table):
    a = head
    while a:
        e, used = read(a)
        (h, nxt, rank, reuse, refetch, state, ctime, klen, longkey) = struct.unpack_from('<IIIiiiQiI', e, 0)
        sizes = struct.unpack_from('<4i', e, 40); addrs = struct.unpack_from('<4I', e, 56)
        flags, = struct.unpack_from('<I', e, 72); selfh, = struct.unpack_from('<I', e, 92)
        if longkey:
            k = read(longkey)[0] if len(addr(longkey)) > 1 else read(longkey)
            key = k[:klen]
        else:
            key = e[96:96 + klen]
        r, rused = read(rank)
        last_used, last_mod, rn, rp, contents, dirty, rself = struct.unpack_from('<QQIIIiI', r, 0)
        print('entry %#x bucket %#x used=%s hash ok=%s self ok=%s state=%d reuse=%d refetch=%d klen=%d longkey=%s flags=%d key=%r' % (a, bucket, used, sfh(key) == h, selfh == 0 or sfh(e[:92]) == selfh, state, reuse, refetch, klen, addr(longkey), flags, key[:100]))
        print('   rankings %s used=%s last_used=%d last_mod=%d contents ok=%s dirty=%d self ok=%s' % (addr(rank), rused, last_used, last_mod, contents == a, dirty, rself == 0 or sfh(r[:32]) == rself))
        for i in range(4):
            if sizes[i] or addrs[i]: print('   stream %d: %d bytes at %s' % (i, sizes[i], addr(addrs[i])))
        s0 = read(addrs[0], sizes[0]); s0 = s0[0] if isinstance(s0, tuple) else s0
        psize, = struct.unpack_from('<I', s0, 0)
        print('   stream0 pickle size %d of %d, flags %#x, head %r' % (psize, len(s0), struct.unpack_from('<I', s0, 4)[0], s0[4:80]))
        count += 1
        a = nxt
print(count, 'entries through the index')
