#!/usr/bin/env python3
"""Draws Setup's pictures in the 16 standard VGA colours and writes them
beside this script: the wizard's side bitmap (SetupWizard.bmp, 152 x 292),
the installer's icon (Setup.ico) and the uninstaller's icon (Uninstall.ico).
The outputs are committed; run this again only to change the pictures."""
import os
import struct

PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
BLACK, MAROON, GREEN, OLIVE, NAVY, PURPLE, TEAL, SILVER = range(8)
GREY, RED, LIME, YELLOW, BLUE, FUCHSIA, AQUA, WHITE = range(8, 16)


def bell(x, y, cx, top, height):
    """True inside a hand bell whose crown is at (cx, top)."""
    v = (y - top) / height
    if v < 0 or v > 1.08:
        return False
    if v > 1.0:  # clapper
        return abs(x - cx) <= height * 0.07
    # A dome that widens into a flared lip.
    half = height * (0.16 + 0.22 * v + 0.22 * v ** 6)
    if v < 0.1:  # a rounded crown
        half *= (1 - (1 - v / 0.1) ** 2) ** 0.5
    return abs(x - cx) <= half


def note(x, y, nx, ny, size):
    """True on an eighth note whose head is centred at (nx, ny)."""
    dx, dy = (x - nx) / size, (y - ny) / (size * 0.7)
    if dx * dx + dy * dy <= 1:
        return True
    stem_x = nx + size * 0.85
    if stem_x - size * 0.25 <= x <= stem_x and ny - size * 3.2 <= y <= ny:
        return True
    return stem_x <= x <= stem_x + size * 1.1 and ny - size * 3.2 <= y <= ny - size * 2.5


def wizard_pixel(x, y):
    if bell(x, y, 76, 96, 92):
        edge = not bell(x - 3, y, 76, 96, 92) or not bell(x + 3, y, 76, 96, 92)
        return OLIVE if edge else YELLOW
    if note(x, y, 34, 70, 7) or note(x, y, 116, 56, 6) or note(x, y, 120, 232, 7):
        return WHITE
    # Bands that darken downwards, with a lighter stripe at the left edge.
    if x < 6:
        return AQUA
    if y < 98:
        return BLUE
    if y < 196:
        return TEAL if (x + y) % 2 == 0 else BLUE
    return TEAL if y < 250 else NAVY


def icon_pixel(x, y, uninstall):
    if uninstall and (abs(x - y) <= 1 or abs(x + y - 46) <= 1) and 16 <= x <= 30 and 16 <= y <= 30:
        return RED
    if bell(x, y, 13, 4, 20):
        return YELLOW if bell(x - 1.5, y, 13, 4, 20) and bell(x + 1.5, y, 13, 4, 20) else OLIVE
    if 4 <= x <= 27 and 18 <= y <= 29:  # the box the bell stands in
        return GREY if x in (4, 27) or y in (18, 29) else SILVER
    return None


def dib(width, height, pixel):
    """A bottom-up 4-bit DIB: header, palette, pixel rows."""
    row = ((width * 4 + 31) // 32) * 4
    data = bytearray()
    for y in range(height - 1, -1, -1):
        line = bytearray(row)
        for x in range(width):
            c = pixel(x, y)
            line[x // 2] |= c << 4 if x % 2 == 0 else c
        data += line
    palette = b"".join(bytes((b, g, r, 0)) for r, g, b in PALETTE)
    return data, palette, row


def write_bitmap(path):
    data, palette, _ = dib(152, 292, wizard_pixel)
    info = struct.pack("<IiiHHIIiiII", 40, 152, 292, 1, 4, 0, len(data), 2835, 2835, 16, 0)
    offset = 14 + len(info) + len(palette)
    head = struct.pack("<2sIHHI", b"BM", offset + len(data), 0, 0, offset)
    with open(path, "wb") as f:
        f.write(head + info + palette + data)


def write_icon(path, uninstall):
    size = 32
    shape = lambda x, y: icon_pixel(x, y, uninstall)
    xor, palette, _ = dib(size, size, lambda x, y: shape(x, y) or 0)
    mask = bytearray()
    for y in range(size - 1, -1, -1):
        bits = 0
        for x in range(size):
            if shape(x, y) is None:
                bits |= 1 << (31 - x)
        mask += struct.pack(">I", bits)
    info = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 4, 0, len(xor) + len(mask), 0, 0, 16, 0)
    image = info + palette + xor + mask
    header = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", size, size, 16, 0, 1, 4, len(image), 6 + 16)
    with open(path, "wb") as f:
        f.write(header + entry + image)


if __name__ == "__main__":
    here = os.path.dirname(os.path.abspath(__file__))
    write_bitmap(os.path.join(here, "SetupWizard.bmp"))
    write_icon(os.path.join(here, "Setup.ico"), False)
    write_icon(os.path.join(here, "Uninstall.ico"), True)
