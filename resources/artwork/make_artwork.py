#!/usr/bin/env python3
"""Draws Ravelock's artwork: the splash pictures (GIF89a, 400 x 55, one frame,
256-entry colour table), the program icon (one .ico with 16, 32 and 48 pixel
images at 16 colours, 256 colours and 24-bit colour) and the hicolor PNGs.

Everything is computed, so running it again gives the same bytes.
Usage: make_artwork.py OUTPUT_FOLDER
"""
import struct
import sys
import zlib
from pathlib import Path

# A 5 x 7 bitmap font, just the letters we write.
FONT = {
    'A': ["01110", "10001", "10001", "11111", "10001", "10001", "10001"],
    'C': ["01111", "10000", "10000", "10000", "10000", "10000", "01111"],
    'D': ["11110", "10001", "10001", "10001", "10001", "10001", "11110"],
    'E': ["11111", "10000", "10000", "11110", "10000", "10000", "11111"],
    'K': ["10001", "10010", "10100", "11000", "10100", "10010", "10001"],
    'L': ["10000", "10000", "10000", "10000", "10000", "10000", "11111"],
    'O': ["01110", "10001", "10001", "10001", "10001", "10001", "01110"],
    'P': ["11110", "10001", "10001", "11110", "10000", "10000", "10000"],
    'R': ["11110", "10001", "10001", "11110", "10100", "10010", "10001"],
    'S': ["01111", "10000", "10000", "01110", "00001", "00001", "11110"],
    'V': ["10001", "10001", "10001", "10001", "10001", "01010", "00100"],
    ' ': ["00000"] * 7,
}


def text_mask(text, scale, gap):
    width = len(text) * (5 * scale + gap) - gap
    height = 7 * scale
    mask = [[False] * width for _ in range(height)]
    for i, ch in enumerate(text):
        glyph = FONT[ch]
        x0 = i * (5 * scale + gap)
        for gy, row in enumerate(glyph):
            for gx, bit in enumerate(row):
                if bit == '1':
                    for dy in range(scale):
                        for dx in range(scale):
                            mask[gy * scale + dy][x0 + gx * scale + dx] = True
    return mask


def banner(text, scale, background, foreground, shadow):
    """A 400 x 55 picture as palette indices with a 256-entry palette."""
    w, h = 400, 55
    # Palette: 0-127 background ramp, 128-255 foreground ramp; the shadow is entry 127.
    palette = []
    for i in range(128):
        t = i / 127
        palette.append(tuple(int(a + (b - a) * t) for a, b in zip(background[0], background[1])))
    for i in range(128):
        t = i / 127
        palette.append(tuple(int(a + (b - a) * t) for a, b in zip(foreground[0], foreground[1])))
    palette[127] = shadow
    pixels = [[min(126, (x * 96) // w + (y * 30) // h) for x in range(w)] for y in range(h)]
    mask = text_mask(text, scale, scale)
    mh, mw = len(mask), len(mask[0])
    ox, oy = (w - mw) // 2, (h - mh) // 2
    for y in range(mh):
        for x in range(mw):
            if mask[y][x]:
                if 0 <= oy + y + 2 < h and 0 <= ox + x + 2 < w:
                    pixels[oy + y + 2][ox + x + 2] = 127
    for y in range(mh):
        for x in range(mw):
            if mask[y][x]:
                pixels[oy + y][ox + x] = 128 + (y * 127) // max(1, mh - 1)
    return w, h, palette, pixels


def gif(w, h, palette, pixels):
    out = bytearray(b'GIF89a')
    out += struct.pack('<HHBBB', w, h, 0xF7, 0, 0)  # global table of 256 entries
    for r, g, b in palette:
        out += bytes((r, g, b))
    out += b'\x2c' + struct.pack('<HHHHB', 0, 0, w, h, 0)
    out += b'\x08'
    # Literal codes only, with a clear code before the table would need
    # 10-bit codes: simple, and every decoder reads it.
    clear, end = 256, 257
    codes = []
    run = 0
    for row in pixels:
        for p in row:
            if run == 0:
                codes.append(clear)
            codes.append(p)
            run = (run + 1) % 250
    codes.append(end)
    bits, nbits, data = 0, 0, bytearray()
    for c in codes:
        bits |= c << nbits
        nbits += 9
        while nbits >= 8:
            data.append(bits & 255)
            bits >>= 8
            nbits -= 8
    if nbits:
        data.append(bits & 255)
    for i in range(0, len(data), 255):
        chunk = data[i:i + 255]
        out += bytes((len(chunk),)) + chunk
    out += b'\x00\x3b'
    return bytes(out)


def icon_rgba(size):
    """The icon: a marked region with a crosshair on a rounded tile."""
    img = [[(0, 0, 0, 0)] * size for _ in range(size)]
    r = max(2, size // 6)
    tile = (22, 92, 110)
    for y in range(size):
        for x in range(size):
            cx = min(x, size - 1 - x)
            cy = min(y, size - 1 - y)
            if cx < r and cy < r and (r - cx - 0.5) ** 2 + (r - cy - 0.5) ** 2 > r * r:
                continue
            shade = int(30 * y / size)
            img[y][x] = (tile[0] + shade, tile[1] + shade, tile[2] + shade, 255)
    a, b = size // 4, size - size // 4 - 1
    for i in range(a, b + 1):
        for (x, y) in ((i, a), (i, b), (a, i), (b, i)):
            img[y][x] = (255, 255, 255, 255)
    cx, cy = b, b
    for d in range(-size // 6, size // 6 + 1):
        for (x, y) in ((cx + d, cy), (cx, cy + d)):
            if 0 <= x < size and 0 <= y < size:
                img[y][x] = (255, 196, 0, 255)
    return img


VGA16 = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128), (0, 128, 128),
         (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0), (0, 0, 255), (255, 0, 255),
         (0, 255, 255), (255, 255, 255)]
CUBE = [(r * 51, g * 51, b * 51) for r in range(6) for g in range(6) for b in range(6)] + \
       [(i * 10, i * 10, i * 10) for i in range(1, 26)] + [(255, 255, 255)] * 15


def nearest(palette, rgb):
    return min(range(len(palette)), key=lambda i: sum((p - c) ** 2 for p, c in zip(palette[i], rgb)))


def dib(img, bpp):
    size = len(img)
    palette = {4: VGA16, 8: CUBE}.get(bpp, [])
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, bpp, 0, 0, 0, 0, len(palette), 0)
    body = bytearray()
    for r, g, b in palette:
        body += bytes((b, g, r, 0))
    cache = {}
    for y in range(size - 1, -1, -1):
        row = bytearray()
        if bpp == 24:
            for x in range(size):
                r, g, b, _ = img[y][x]
                row += bytes((b, g, r))
        else:
            indices = []
            for x in range(size):
                key = img[y][x][:3]
                if key not in cache:
                    cache[key] = nearest(palette, key)
                indices.append(cache[key])
            if bpp == 8:
                row += bytes(indices)
            else:
                for x in range(0, size, 2):
                    row.append(indices[x] << 4 | (indices[x + 1] if x + 1 < size else 0))
        row += b'\0' * (-len(row) % 4)
        body += row
    for y in range(size - 1, -1, -1):
        bits = bytearray((size + 7) // 8)
        for x in range(size):
            if img[y][x][3] == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        bits += b'\0' * (-len(bits) % 4)
        body += bits
    return header + bytes(body), len(palette)


def ico():
    images = []
    for bpp in (4, 8, 24):
        for size in (16, 32, 48):
            data, colours = dib(icon_rgba(size), bpp)
            images.append((size, bpp, colours, data))
    out = bytearray(struct.pack('<HHH', 0, 1, len(images)))
    offset = 6 + 16 * len(images)
    for size, bpp, colours, data in images:
        out += struct.pack('<BBBBHHII', size, size, colours % 256, 0, 1, bpp, len(data), offset)
        offset += len(data)
    for *_, data in images:
        out += data
    return bytes(out)


def png(img):
    size = len(img)
    raw = b''.join(b'\0' + bytes(c for px in row for c in px) for row in img)

    def chunk(kind, data):
        return struct.pack('>I', len(data)) + kind + data + struct.pack('>I', zlib.crc32(kind + data))

    return (b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', struct.pack('>IIBBBBB', size, size, 8, 6, 0, 0, 0)) +
            chunk(b'IDAT', zlib.compress(raw, 9)) + chunk(b'IEND', b''))


def main():
    out = Path(sys.argv[1] if len(sys.argv) > 1 else '.')
    out.mkdir(parents=True, exist_ok=True)
    (out / 'product-name.gif').write_bytes(
        gif(*banner('RAVELOCK', 5, ((10, 20, 60), (30, 70, 140)), ((255, 230, 140), (255, 150, 40)), (0, 0, 20))))
    (out / 'maker-banner.gif').write_bytes(
        gif(*banner('RAVELOCK DEVELOPERS', 2, ((60, 20, 40), (140, 60, 70)), ((255, 255, 255), (200, 220, 255)),
                    (20, 0, 10))))
    (out / 'ravelock.ico').write_bytes(ico())
    for size in (16, 32, 48):
        (out / f'ravelock-{size}.png').write_bytes(png(icon_rgba(size)))


if __name__ == '__main__':
    main()
