#!/usr/bin/env python3
"""Writes the double-click speed page's test animation as an uncompressed
RIFF AVI: five 48 x 48 frames of 24-bit bottom-up DIBs at 15 frames per
second. A red ball hangs on a string; it splits, its halves swing apart and
show the letters OK while confetti falls. Run by the build:
make_ok_animation.py OUT.avi
"""
import struct
import sys

SIZE = 48
FPS = 15
WHITE = (255, 255, 255)
RED = (220, 0, 0)
DARK_RED = (140, 0, 0)
STRING = (90, 90, 90)
INK = (0, 0, 160)
CONFETTI = [(255, 200, 0), (0, 170, 0), (0, 120, 255), (255, 0, 200), (255, 120, 0)]


class Frame:
    def __init__(self):
        self.px = [[WHITE] * SIZE for _ in range(SIZE)]

    def put(self, x, y, colour):
        if 0 <= x < SIZE and 0 <= y < SIZE:
            self.px[y][x] = colour

    def rect(self, x0, y0, x1, y1, colour):
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                self.put(x, y, colour)

    def half_ball(self, cx, cy, r, side, colour):
        """A disc, or its left (side -1) or right (side 1) half."""
        for y in range(cy - r, cy + r + 1):
            for x in range(cx - r, cx + r + 1):
                inside = (x - cx) ** 2 + (y - cy) ** 2 <= r * r
                if inside and (side == 0 or (x - cx) * side >= 0):
                    self.put(x, y, colour)

    def letters_ok(self, x, y, colour):
        # O: a 7 x 9 ring; K: a stem with two arms.
        self.rect(x, y + 1, x + 1, y + 7, colour)
        self.rect(x + 5, y + 1, x + 6, y + 7, colour)
        self.rect(x + 1, y, x + 5, y + 1, colour)
        self.rect(x + 1, y + 7, x + 5, y + 8, colour)
        k = x + 9
        self.rect(k, y, k + 1, y + 8, colour)
        for i in range(5):
            self.rect(k + 2 + i, y + 4 - i, k + 3 + i, y + 4 - i, colour)
            self.rect(k + 2 + i, y + 4 + i, k + 3 + i, y + 4 + i, colour)

    def dib_rows(self):
        # Bottom-up rows of blue, green, red; 48 * 3 bytes is a multiple of 4.
        return b"".join(bytes(c for p in row for c in (p[2], p[1], p[0]))
                        for row in reversed(self.px))


def frames():
    cx, cy, r = 24, 27, 11
    out = []
    # The swing apart of the halves per frame, and how much confetti shows.
    for step, (gap, confetti) in enumerate([(0, 0), (0, 0), (4, 3), (9, 8), (13, 14)]):
        f = Frame()
        f.rect(cx, 0, cx, cy - r - 1, STRING)
        if gap == 0:
            f.half_ball(cx, cy, r, 0, RED)
            if step == 1:  # the seam shows before it opens
                f.rect(cx, cy - r, cx, cy + r, DARK_RED)
        else:
            f.half_ball(cx - gap, cy + gap // 3, r, -1, RED)
            f.half_ball(cx + gap, cy + gap // 3, r, 1, RED)
            f.letters_ok(cx - 8, cy - 4, INK)
        for i in range(confetti):
            x = (7 + i * 17 + step * 5) % SIZE
            y = (3 + i * 11 + step * 9) % SIZE
            f.rect(x, y, x + 1, y + 1, CONFETTI[i % len(CONFETTI)])
        out.append(f.dib_rows())
    return out


def chunk(fourcc, data):
    pad = b"\0" if len(data) % 2 else b""
    return fourcc + struct.pack("<I", len(data)) + data + pad


def riff_list(kind, fourcc, body):
    return kind + struct.pack("<I", len(body) + 4) + fourcc + body


def avi(images):
    frame_bytes = len(images[0])
    avih = struct.pack("<14I", 1000000 // FPS, frame_bytes * FPS, 0, 0x10, len(images), 0, 1,
                       frame_bytes, SIZE, SIZE, 0, 0, 0, 0)
    strh = b"vids" + b"DIB " + struct.pack("<IHHIIIIIIiI4h", 0, 0, 0, 0, 1, FPS, 0, len(images),
                                            frame_bytes, -1, 0, 0, 0, SIZE, SIZE)
    strf = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE, 1, 24, 0, frame_bytes, 0, 0, 0, 0)
    hdrl = riff_list(b"LIST", b"hdrl", chunk(b"avih", avih) +
                     riff_list(b"LIST", b"strl", chunk(b"strh", strh) + chunk(b"strf", strf)))
    movi_body = b""
    index = b""
    for image in images:
        # Offsets count from the "movi" tag.
        index += b"00db" + struct.pack("<III", 0x10, 4 + len(movi_body), len(image))
        movi_body += chunk(b"00db", image)
    body = hdrl + riff_list(b"LIST", b"movi", movi_body) + chunk(b"idx1", index)
    return riff_list(b"RIFF", b"AVI ", body)


if __name__ == "__main__":
    with open(sys.argv[1], "wb") as out:
        out.write(avi(frames()))
