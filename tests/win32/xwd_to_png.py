#!/usr/bin/python3
"""An X window dump (xwd) as a PNG picture: xwd_to_png.py IN.xwd OUT.png (24-bit TrueColor dumps)."""
import struct, sys, zlib
data = open(sys.argv[1], 'rb').read()
h = struct.unpack('>25I', data[:100])
header_size, width, height, byte_order, bytes_per_line = h[0], h[4], h[5], h[7], h[12]
masks, ncolors = h[14:17], h[19]
stride = h[11] // 8  # bits per pixel; lines may be padded beyond width × stride
shifts = [(m & -m).bit_length() - 1 for m in masks]
off = header_size + ncolors * 12
rows = []
for y in range(height):
    line = data[off + y * bytes_per_line: off + (y + 1) * bytes_per_line]
    out = bytearray(b'\0')
    for x in range(width):
        v = int.from_bytes(line[x * stride:(x + 1) * stride], 'little' if byte_order == 0 else 'big')
        out += bytes((v & m) >> s for m, s in zip(masks, shifts))
    rows.append(bytes(out))
def chunk(t, d):
    return struct.pack('>I', len(d)) + t + d + struct.pack('>I', zlib.crc32(t + d) & 0xffffffff)
png = (b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', struct.pack('>IIBBBBB', width, height, 8, 2, 0, 0, 0)) +
       chunk(b'IDAT', zlib.compress(b''.join(rows), 9)) + chunk(b'IEND', b''))
open(sys.argv[2], 'wb').write(png)
