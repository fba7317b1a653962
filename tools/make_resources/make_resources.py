#!/usr/bin/python3
"""Draws the window icon and the status-bar picture and writes them where the
program's .rc file takes them from (ui/resources/). The outputs are committed,
so building needs neither Python nor ImageMagick; run this again only after
changing a drawing.

  tools/make_resources/make_resources.py [output directory]

The icon: one 48 x 48 image, 32 bits per pixel with alpha, stored as an
uncompressed BMP inside the ICO (header 6 + entry 16 + BITMAPINFOHEADER 40 +
colour 9216 + AND mask 384 = 9662 bytes).
The picture: a baseline JFIF 1.01 JPEG, 24 x 23, three components, 96 dpi,
padded with a comment segment to exactly 924 bytes. ImageMagick's `convert`
does the JPEG coding.
"""
import math
import os
import struct
import subprocess
import sys
import tempfile

ICON_SIZE = 48
ICON_BYTES = 9662
PICTURE_WIDTH, PICTURE_HEIGHT = 24, 23
PICTURE_BYTES = 924


def clamp(v):
    return max(0, min(255, int(round(v))))


def coverage(distance):
    """Anti-aliased coverage of a pixel whose centre lies `distance` inside an edge."""
    return max(0.0, min(1.0, distance + 0.5))


def draw_icon():
    """A scope: a red-orange disc with a dark rim, a white crosshair and a
    gold centre, on a transparent background. Rows top to bottom, RGBA."""
    pixels = []
    c = (ICON_SIZE - 1) / 2.0
    for y in range(ICON_SIZE):
        row = []
        for x in range(ICON_SIZE):
            dx, dy = x - c, y - c
            r = math.hypot(dx, dy)
            outer = coverage(23.0 - r)
            if outer <= 0:
                row.append((0, 0, 0, 0))
                continue
            # Disc: lighter towards the top left.
            shade = 1.0 - 0.35 * ((dx + dy) / (2 * 23.0) + 0.5)
            red, green, blue = 230 * shade + 20, 90 * shade + 10, 30 * shade
            rim = coverage(r - 19.5)  # dark ring
            red, green, blue = [v * (1 - rim) + d * rim for v, d in zip((red, green, blue), (60, 20, 10))]
            # Crosshair: two bars 3 px wide with a gap in the middle.
            bar = 0.0
            if 4.0 < abs(dy) < 17.0:
                bar = max(bar, coverage(1.5 - abs(dx)))
            if 4.0 < abs(dx) < 17.0:
                bar = max(bar, coverage(1.5 - abs(dy)))
            red, green, blue = [v * (1 - bar) + 250 * bar for v in (red, green, blue)]
            # Gold dot.
            dot = coverage(2.5 - r)
            red, green, blue = [v * (1 - dot) + g * dot for v, g in zip((red, green, blue), (255, 210, 40))]
            row.append((clamp(red), clamp(green), clamp(blue), clamp(255 * outer)))
        pixels.append(row)
    return pixels


def icon_file(pixels):
    n = ICON_SIZE
    xor = bytearray()
    for row in reversed(pixels):  # a DIB stores the bottom row first
        for r, g, b, a in row:
            xor += bytes((b, g, r, a))  # premultiplication is not used in ICO
    mask_stride = ((n + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(pixels):
        bits = bytearray(mask_stride)
        for x, (_, _, _, a) in enumerate(row):
            if a == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    info = struct.pack('<IiiHHIIiiII', 40, n, 2 * n, 1, 32, 0, len(xor) + len(mask), 0, 0, 0, 0)
    image = info + bytes(xor) + bytes(mask)
    header = struct.pack('<HHH', 0, 1, 1)
    entry = struct.pack('<BBBBHHII', n, n, 0, 0, 1, 32, len(image), 6 + 16)
    data = header + entry + image
    assert len(data) == ICON_BYTES, len(data)
    return data


def draw_picture():
    """A small gift box: red box, gold ribbon, on the 3D-face grey. RGB rows."""
    face = (240, 240, 240)
    pixels = []
    for y in range(PICTURE_HEIGHT):
        row = []
        for x in range(PICTURE_WIDTH):
            colour = face
            if 8 <= y <= 21 and 3 <= x <= 20:
                colour = (200, 30, 40)
            if 5 <= y <= 9 and 2 <= x <= 21:
                colour = (225, 45, 55)
            if (10 <= x <= 13 and 5 <= y <= 21) or (5 <= y <= 21 and y in (7,)):
                colour = (250, 200, 40)
            # Bow: two loops above the lid.
            for cx in (8.5, 15.5):
                if abs(math.hypot(x - cx, (y - 3.0) * 1.4) - 2.6) < 0.9 and y <= 5:
                    colour = (250, 200, 40)
            row.append(colour)
        pixels.append(row)
    return pixels


def jpeg_file(pixels, workdir):
    ppm = os.path.join(workdir, 'picture.ppm')
    with open(ppm, 'wb') as f:
        f.write(b'P6\n%d %d\n255\n' % (PICTURE_WIDTH, PICTURE_HEIGHT))
        for row in pixels:
            for rgb in row:
                f.write(bytes(rgb))
    # The best quality that still leaves room for a comment segment (4 bytes
    # at least) to pad the file to its size.
    for quality in range(95, 40, -1):
        jpg = os.path.join(workdir, 'picture.jpg')
        subprocess.run(['convert', ppm, '-strip', '-interlace', 'none', '-sampling-factor', '1x1',
                        '-quality', str(quality), '-units', 'PixelsPerInch', '-density', '96',
                        'jpg:' + jpg], check=True)
        data = open(jpg, 'rb').read()
        if len(data) <= PICTURE_BYTES - 4:
            break
    else:
        sys.exit('make_resources: the picture does not fit %d bytes' % PICTURE_BYTES)
    # SOI, then the JFIF APP0 segment, which must come first.
    assert data[:4] == b'\xff\xd8\xff\xe0', 'no JFIF header'
    app0_end = 4 + struct.unpack('>H', data[4:6])[0]
    assert data[6:11] == b'JFIF\x00' and data[11:13] == b'\x01\x01', 'not JFIF 1.01'
    assert data[13] == 1 and struct.unpack('>HH', data[14:18]) == (96, 96), 'not 96 dpi'
    assert b'\xff\xc0' in data and b'\xff\xc2' not in data, 'not baseline'
    pad = PICTURE_BYTES - len(data)
    comment = b'\xff\xfe' + struct.pack('>H', pad - 2) + b' ' * (pad - 4)
    out = data[:app0_end] + comment + data[app0_end:]
    assert len(out) == PICTURE_BYTES, len(out)
    return out


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    out_dir = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, '..', '..', 'ui', 'resources')
    os.makedirs(out_dir, exist_ok=True)
    with open(os.path.join(out_dir, 'cdk_tool.ico'), 'wb') as f:
        f.write(icon_file(draw_icon()))
    with tempfile.TemporaryDirectory() as workdir:
        picture = jpeg_file(draw_picture(), workdir)
    with open(os.path.join(out_dir, 'picture.jpg'), 'wb') as f:
        f.write(picture)


if __name__ == '__main__':
    main()
