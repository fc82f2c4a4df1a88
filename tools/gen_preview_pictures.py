#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Draws the fourteen pictures of the screen previews and writes them as
one-bit C++ data (src/model/pictures/pictures_data.cpp).

Every picture is drawn here from simple shapes (discs, rings, polygons,
thick lines) at four times its size and reduced with a box filter and a 50 %
threshold, which gives clean edges at the small sizes. No outside artwork is
used. The output is committed; run this again only to change a picture:

    /usr/bin/python3 tools/gen_preview_pictures.py [--sheet sheet.png]

Needs python3-pil. The gauge geometry (centres, radii, sweep angles) must
match the constants of the needle-gauge painter in src/model/preview_gauges.cpp.
"""
import argparse
import math
import os

from PIL import Image, ImageDraw

OUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "src", "model", "pictures",
                   "pictures_data.cpp")
SS = 4  # supersampling factor


class Canvas:
    def __init__(self, w, h):
        self.w, self.h = w, h
        self.img = Image.new("L", (w * SS, h * SS), 0)
        self.d = ImageDraw.Draw(self.img)

    def _p(self, pts):
        return [((x + 0.5) * SS - 0.5, (y + 0.5) * SS - 0.5) for x, y in pts]

    def poly(self, pts, fill=255):
        self.d.polygon(self._p(pts), fill=fill)

    def disc(self, cx, cy, r, fill=255):
        self.d.ellipse([(cx - r + 0.5) * SS - 0.5 - SS / 2, (cy - r + 0.5) * SS - 0.5 - SS / 2,
                        (cx + r + 0.5) * SS - 0.5 + SS / 2, (cy + r + 0.5) * SS - 0.5 + SS / 2],
                       fill=fill)

    def rect(self, x1, y1, x2, y2, fill=255):
        """Pixels x1..x2, y1..y2 inclusive."""
        self.d.rectangle([x1 * SS, y1 * SS, (x2 + 1) * SS - 1, (y2 + 1) * SS - 1], fill=fill)

    def line(self, x1, y1, x2, y2, width):
        """A thick segment with square ends (a rotated rectangle)."""
        dx, dy = x2 - x1, y2 - y1
        n = math.hypot(dx, dy) or 1
        ox, oy = -dy / n * width / 2, dx / n * width / 2
        self.poly([(x1 + ox, y1 + oy), (x2 + ox, y2 + oy), (x2 - ox, y2 - oy), (x1 - ox, y1 - oy)])

    def ring_arc(self, cx, cy, r_out, r_in, a1, a2, steps=120):
        """Filled ring sector between radii, angles clockwise from 12 o'clock."""
        pts = []
        for i in range(steps + 1):
            a = math.radians(a1 + (a2 - a1) * i / steps)
            pts.append((cx + r_out * math.sin(a), cy - r_out * math.cos(a)))
        for i in range(steps, -1, -1):
            a = math.radians(a1 + (a2 - a1) * i / steps)
            pts.append((cx + r_in * math.sin(a), cy - r_in * math.cos(a)))
        self.poly(pts)

    def tick(self, cx, cy, r1, r2, angle, width):
        a = math.radians(angle)
        s, c = math.sin(a), math.cos(a)
        self.line(cx + r1 * s, cy - r1 * c, cx + r2 * s, cy - r2 * c, width)

    def bits(self):
        small = self.img.resize((self.w, self.h), Image.BOX)
        px = small.load()
        return [[1 if px[x, y] >= 128 else 0 for x in range(self.w)] for y in range(self.h)]


def gauge_scale(w, h, cx, cy, r_out, a_min, a_max):
    """A tick arc: an outer rim line, 5 major and 16 minor ticks."""
    c = Canvas(w, h)
    c.ring_arc(cx, cy, r_out, r_out - 2.5, a_min, a_max)
    for i in range(21):
        a = a_min + (a_max - a_min) * i / 20
        if i % 5 == 0:
            c.tick(cx, cy, r_out - 14, r_out - 1, a, 3.5)
        else:
            c.tick(cx, cy, r_out - 8, r_out - 1, a, 2.0)
    return c


def scale_r():
    # Right dial: centre (74, 74), 270 degree sweep.
    return gauge_scale(149, 136, 74, 74, 73, -135, 135)


def scale_l():
    # Left dial: centre (-4, 68) (outside the strip), sweep from 148 (bottom)
    # to 32 degrees (top).
    return gauge_scale(79, 136, -4, 68, 80, 148, 32)


def circle99():
    # Dial face with a bezel ring around it.
    c = Canvas(199, 199)
    c.disc(99, 99, 99)
    c.disc(99, 99, 95.5, fill=0)
    c.disc(99, 99, 93)
    return c


def circle9():
    c = Canvas(9, 9)
    c.disc(4, 4, 4)
    c.disc(4, 4, 1.6, fill=0)
    return c


def arrow():
    # Needle pointing up, pivot in the centre (64, 64); the painter rotates it.
    c = Canvas(129, 129)
    cx, cy = 64, 64
    c.poly([(cx - 1.2, cy - 60), (cx + 1.2, cy - 60), (cx + 3.8, cy + 14), (cx - 3.8, cy + 14)])
    c.disc(cx, cy, 8)
    return c


def gas_station():
    c = Canvas(25, 49)
    c.rect(1, 4, 15, 46)           # pump body
    c.rect(0, 45, 17, 48)          # base
    c.rect(4, 8, 12, 17, fill=0)   # window
    c.rect(1, 4, 15, 5)
    # hose: out of the body's right side, down and up to a nozzle holder
    c.line(15, 12, 20, 12, 2.5)
    c.line(20, 12, 23, 16, 2.5)
    c.line(23, 16, 23, 34, 2.5)
    c.line(23, 34, 19, 38, 2.5)
    c.line(19, 38, 16, 36, 2.5)
    c.line(21, 8, 21, 14, 2.5)     # nozzle
    return c


def acc():
    c = Canvas(79, 41)
    c.rect(0, 7, 78, 40)            # case
    c.rect(4, 11, 74, 36, fill=0)   # inside
    c.rect(9, 1, 22, 6)             # terminals
    c.rect(56, 1, 69, 6)
    return c


def boat_motor():
    c = Canvas(33, 49)
    # cowling
    c.poly([(4, 2), (26, 2), (31, 8), (31, 18), (26, 22), (4, 22), (1, 18), (1, 6)])
    c.rect(6, 6, 20, 8, fill=0)     # cowling stripe
    # mid section and shaft
    c.rect(9, 22, 22, 26)
    c.rect(13, 26, 19, 38)
    # gear case and skeg
    c.poly([(8, 36), (25, 36), (28, 40), (25, 43), (8, 43)])
    c.poly([(14, 43), (20, 43), (19, 48), (15, 48)])
    # propeller blades
    c.poly([(3, 37), (8, 39), (8, 41), (3, 45)])
    return c


def boat_scale(flip):
    # Vertical strip 33 x 105: a rail with 11 ticks, long ones every five.
    c = Canvas(33, 105)
    rail = 29 if not flip else 3
    c.rect(rail - 1, 2, rail + 1, 102)
    for i in range(11):
        y = 3 + i * 9.9
        length = 16 if i % 5 == 0 else 9
        if not flip:
            c.line(rail - length, y, rail, y, 3 if i % 5 == 0 else 2)
        else:
            c.line(rail, y, rail + length, y, 3 if i % 5 == 0 else 2)
    return c


def boat_pointer(left):
    # 41 x 17 pointer: an arrowhead with a tail bar.
    c = Canvas(41, 17)
    if left:  # points left, at a scale on its left
        c.poly([(0, 8), (16, 0), (16, 16)])
        c.rect(16, 5, 40, 11)
    else:
        c.poly([(40, 8), (24, 0), (24, 16)])
        c.rect(0, 5, 24, 11)
    return c


def check_engine():
    # The engine outline of the engine warning lamp, strokes about 8 px.
    c = Canvas(105, 105)
    body = [(20, 34), (38, 34), (38, 26), (30, 26), (30, 19), (62, 19), (62, 26), (54, 26),
            (54, 34), (76, 34), (84, 42), (92, 42), (92, 34), (101, 34), (101, 80), (92, 80),
            (92, 72), (84, 72), (72, 86), (28, 86), (20, 76), (10, 76), (10, 60), (3, 60),
            (3, 44), (10, 44), (10, 54), (20, 54)]
    c.poly(body)
    inner = [(28, 42), (73, 42), (80, 50), (93, 50), (93, 64), (80, 64), (69, 78), (32, 78),
             (28, 72), (28, 42)]
    c.poly(inner, fill=0)
    # "!" in the engine
    c.rect(48, 47, 55, 63)
    c.rect(48, 67, 55, 73)
    return c


def electro():
    # Warning triangle with a lightning bolt.
    c = Canvas(105, 105)
    tri = [(52, 4), (102, 96), (2, 96)]
    c.poly(tri)
    c.poly([(52, 20), (89, 88), (15, 88)], fill=0)
    c.poly([(57, 34), (38, 64), (51, 64), (45, 84), (67, 52), (54, 52), (62, 34)])
    return c


PICTURES = [
    ("ScaleL", scale_l), ("ScaleR", scale_r), ("Circle99", circle99), ("Circle9", circle9),
    ("Arrow", arrow), ("GasStation", gas_station), ("Acc", acc), ("BoatMotor", boat_motor),
    ("BoatScaleT", lambda: boat_scale(False)), ("BoatT", lambda: boat_pointer(True)),
    ("BoatScaleC", lambda: boat_scale(True)), ("BoatC", lambda: boat_pointer(False)),
    ("CheckEngine", check_engine), ("Electro", electro),
]
SIZES = {"ScaleL": (79, 136), "ScaleR": (149, 136), "Circle99": (199, 199), "Circle9": (9, 9),
         "Arrow": (129, 129), "GasStation": (25, 49), "Acc": (79, 41), "BoatMotor": (33, 49),
         "BoatScaleT": (33, 105), "BoatT": (41, 17), "BoatScaleC": (33, 105), "BoatC": (41, 17),
         "CheckEngine": (105, 105), "Electro": (105, 105)}


def main():
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument("--sheet", help="also write a PNG sheet of the pictures")
    args = ap.parse_args()
    drawn = []
    for name, fn in PICTURES:
        c = fn()
        assert (c.w, c.h) == SIZES[name], name
        drawn.append((name, c.w, c.h, c.bits()))

    lines = ["// Generated by tools/gen_preview_pictures.py; do not edit.",
             "// One-bit masks, rows of (width + 7) / 8 bytes, most significant bit leftmost.",
             "// clang-format off",
             "#include \"model/preview_pictures.h\"", "", "namespace tc {", "namespace {", ""]
    for name, w, h, bits in drawn:
        lines.append(f"const uint8_t k{name}[] = {{")
        data = []
        for row in bits:
            for i in range(0, w, 8):
                v = 0
                for j in range(8):
                    v = (v << 1) | (row[i + j] if i + j < w else 0)
                data.append(v)
        for i in range(0, len(data), 16):
            lines.append("    " + ", ".join(f"0x{b:02X}" for b in data[i:i + 16]) + ",")
        lines.append("};")
    lines += ["", "}  // namespace", "",
              "extern const Picture kPictureSet[kPictureCount];",
              "const Picture kPictureSet[kPictureCount] = {"]
    for name, w, h, _ in drawn:
        lines.append(f"    {{\"{name}\", {w}, {h}, k{name}}},")
    lines += ["};", "", "}  // namespace tc", ""]
    os.makedirs(os.path.dirname(OUT), exist_ok=True)
    with open(OUT, "w") as f:
        f.write("\n".join(lines))

    if args.sheet:
        scale = 2
        sheet = Image.new("RGB", (1000, 900), (0, 0, 60))
        x, y, row_h = 10, 10, 0
        for name, w, h, bits in drawn:
            if x + w * scale > sheet.width - 10:
                x, y, row_h = 10, y + row_h + 10, 0
            for yy in range(h):
                for xx in range(w):
                    col = (255, 255, 255) if bits[yy][xx] else (30, 30, 90)
                    for dy in range(scale):
                        for dx in range(scale):
                            sheet.putpixel((x + xx * scale + dx, y + yy * scale + dy), col)
            x += w * scale + 10
            row_h = max(row_h, h * scale)
        sheet.save(args.sheet)


if __name__ == "__main__":
    main()
