#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Generates the four bitmap fonts of the display preview as C++ data.

Fonts 1 and 2 (8 x 16 and 16 x 32, Latin and Cyrillic in Windows-1251 order)
are taken from the Terminus Font console fonts of Debian's console-setup-linux
package (SIL Open Font License 1.1, Copyright (c) 2010 Dimitar Toshkov
Zhekov). Fonts 3 and 4 (32 x 64 and 40 x 80, digits and a few signs and
letters) are rendered from DejaVu Sans Bold of Debian's fonts-dejavu-core
package (Bitstream Vera Fonts licence, DejaVu changes in the public domain),
condensed to the tall cells and thresholded to one bit.

The output is committed, so the build does not need this script or its
inputs. Run it again only to change the fonts:

    /usr/bin/python3 tools/gen_preview_fonts.py [--sheet sheet.png]

Needs python3-pil (for the DejaVu rendering and the optional sheet).
"""
import argparse
import gzip
import os
import struct
import sys

CONSOLEFONTS = "/usr/share/consolefonts"
DEJAVU = "/usr/share/fonts/truetype/dejavu"
OUT_DIR = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "src", "model", "fonts")

# Character order of the full set: Windows-1251 32..127, then 192..255.
FULL_CODES = list(range(32, 128)) + list(range(192, 256))
# Glyph order of the digit set; glyph 0 is the blank.
DIGIT_CHARS = " +-.:0123456789TDNPR"


def read_psf(path):
    """Returns (width, height, glyph rows, {codepoint: glyph index})."""
    data = gzip.open(path).read()
    if data[:2] == b"\x36\x04":
        mode, charsize = data[2], data[3]
        count = 512 if mode & 1 else 256
        width, height, rowbytes, off = 8, charsize, 1, 4
        has_table = mode & 6
        glyph_size = charsize
    elif data[:4] == b"\x72\xb5\x4a\x86":
        _, hdr, flags, count, glyph_size, height, width = struct.unpack("<7I", data[4:32])
        rowbytes, off, has_table = (width + 7) // 8, hdr, flags & 1
    else:
        sys.exit(f"{path}: not a PSF font")
    glyphs = []
    for g in range(count):
        raw = data[off + g * glyph_size: off + (g + 1) * glyph_size]
        glyphs.append([int.from_bytes(raw[r * rowbytes:(r + 1) * rowbytes], "big")
                       for r in range(height)])
    table = {}
    if has_table:
        pos = off + count * glyph_size
        psf1 = data[:2] == b"\x36\x04"
        for g in range(count):
            if psf1:
                while True:
                    (u,) = struct.unpack("<H", data[pos:pos + 2])
                    pos += 2
                    if u == 0xFFFF:
                        break
                    if u != 0xFFFE:
                        table.setdefault(u, g)
            else:
                end = data.index(b"\xff", pos)
                chunk = data[pos:end].split(b"\xfe")[0]
                pos = end + 1
                for ch in chunk.decode("utf-8"):
                    table.setdefault(ord(ch), g)
    return width, height, glyphs, table


def console_font(name, want_w, want_h):
    w, h, glyphs, table = read_psf(os.path.join(CONSOLEFONTS, name))
    assert (w, h) == (want_w, want_h), (name, w, h)
    out = []
    for code in FULL_CODES:
        if code == 127:  # DEL has no picture: blank
            out.append([0] * h)
            continue
        cp = ord(bytes([code]).decode("cp1251"))
        if cp not in table:
            sys.exit(f"{name}: no glyph for U+{cp:04X}")
        out.append(glyphs[table[cp]])
    return out


def digit_font(cell_w, cell_h, ttf):
    from PIL import Image, ImageDraw, ImageFont

    size = 600
    font = ImageFont.truetype(ttf, size)
    # Digit metrics set the scale: digits fill the cell's height less a
    # margin and its width less a gap, so neighbouring digits never touch.
    ink_h = round(cell_h * 0.80)
    ink_w = cell_w - max(4, cell_w // 8)
    top = (cell_h - ink_h) // 2
    base = top + ink_h  # baseline row inside the cell
    digit_top = min(font.getbbox(d, anchor="ls")[1] for d in "0123456789")
    digit_w = max(font.getbbox(d, anchor="ls")[2] - font.getbbox(d, anchor="ls")[0]
                  for d in "0123456789")
    sy = ink_h / -digit_top
    sx = ink_w / digit_w
    # The signs sit on the middle of the digits.
    mid = base - ink_h / 2

    out = []
    for ch in DIGIT_CHARS:
        img = Image.new("L", (cell_w, cell_h), 0)
        if ch != " ":
            # The typographic minus is as wide as the plus; the hyphen is not.
            ch = "\u2212" if ch == "-" else ch
            l, t, r, b = font.getbbox(ch, anchor="ls")
            src = Image.new("L", (r - l + 8, b - t + 8), 0)
            ImageDraw.Draw(src).text((4 - l, 4 - t), ch, font=font, fill=255, anchor="ls")
            src = src.crop((4, 4, 4 + r - l, 4 + b - t))
            csx = min(sx, ink_w / (r - l)) if ch.isalpha() else sx
            w = max(1, round((r - l) * csx))
            h = max(1, round((b - t) * sy))
            if ch in "+\u2212":
                y = round(mid - h / 2)
            else:
                y = round(base + t * sy)
            x = (cell_w - w) // 2
            img.paste(src.resize((w, h), Image.LANCZOS), (x, y))
        rows = []
        px = img.load()
        for y in range(cell_h):
            v = 0
            for x in range(cell_w):
                v = (v << 1) | (1 if px[x, y] >= 128 else 0)
            rows.append(v)
        out.append(rows)
    return out


def write_cpp(symbol, width, height, glyphs, source, fname):
    rowbytes = width // 8
    lines = [
        "// Generated by tools/gen_preview_fonts.py; do not edit.",
        f"// {width} x {height} cells, {len(glyphs)} glyphs. {source}",
        "#include <cstdint>",
        "",
        "namespace tc {",
        "",
        f"extern const uint8_t {symbol}[];",
        f"const uint8_t {symbol}[] = {{",
    ]
    for rows in glyphs:
        bs = []
        for v in rows:
            bs += list(v.to_bytes(rowbytes, "big"))
        for i in range(0, len(bs), 16):
            lines.append("    " + ", ".join(f"0x{b:02X}" for b in bs[i:i + 16]) + ",")
    lines += ["};", "", "}  // namespace tc", ""]
    with open(os.path.join(OUT_DIR, fname), "w") as f:
        f.write("\n".join(lines))


def write_sheet(path, fonts):
    from PIL import Image

    scale = 2
    width = 16 * 40 * scale + 20
    height = sum(((len(g) + 15) // 16) * h * scale + 10 for (_, w, h, g) in fonts) + 10
    img = Image.new("RGB", (width, height), (0, 0, 40))
    px = img.load()
    oy = 10
    for _, w, h, glyphs in fonts:
        for i, rows in enumerate(glyphs):
            gx, gy = 10 + (i % 16) * w * scale, oy + (i // 16) * h * scale
            for y, v in enumerate(rows):
                for x in range(w):
                    on = (v >> (w - 1 - x)) & 1
                    c = (255, 255, 255) if on else ((20, 20, 70) if (i + i // 16) % 2 else (0, 0, 40))
                    for dy in range(scale):
                        for dx in range(scale):
                            px[gx + x * scale + dx, gy + y * scale + dy] = c
        oy += ((len(glyphs) + 15) // 16) * h * scale + 10
    img.save(path)


def main():
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument("--sheet", help="also write a PNG sheet of every glyph")
    ap.add_argument("--digits-ttf", default=os.path.join(DEJAVU, "DejaVuSans-Bold.ttf"))
    args = ap.parse_args()
    terminus = "Terminus Font (SIL OFL 1.1), Debian console-setup-linux"
    dejavu = "DejaVu Sans Bold (Bitstream Vera licence), Debian fonts-dejavu-core"
    fonts = [
        ("kFont8x16", 8, 16, console_font("Uni2-TerminusBold16.psf.gz", 8, 16), terminus),
        ("kFont16x32", 16, 32, console_font("Uni2-TerminusBold32x16.psf.gz", 16, 32), terminus),
        ("kFont32x64", 32, 64, digit_font(32, 64, args.digits_ttf), dejavu),
        ("kFont40x80", 40, 80, digit_font(40, 80, args.digits_ttf), dejavu),
    ]
    os.makedirs(OUT_DIR, exist_ok=True)
    for symbol, w, h, glyphs, source in fonts:
        write_cpp(symbol, w, h, glyphs, source, f"font_{w}x{h}.cpp")
    if args.sheet:
        write_sheet(args.sheet, [(s, w, h, g) for s, w, h, g, _ in fonts])


if __name__ == "__main__":
    main()
