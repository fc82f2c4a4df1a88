// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The trip computer's four bitmap fonts. Glyph bitmaps are generated data
// (src/model/fonts/, made by tools/gen_preview_fonts.py).
#include <cstdint>

namespace tc {

enum class CharSet : uint8_t {
  Full,    // Windows-1251 codes 32..127 and 192..255
  Digits,  // + - . : 0..9 T D N P R, everything else blank
};

struct BitmapFont {
  int width;       // cell width in pixels, a multiple of 8
  int height;      // cell height in pixels
  int glyphCount;  // 160 for the full set, 20 for the digit set
  CharSet charSet;
  // glyphCount glyphs of height rows of width / 8 bytes, most significant
  // bit leftmost, a set bit is a foreground pixel.
  const uint8_t* data;

  int BytesPerRow() const { return width / 8; }
  int BytesPerGlyph() const { return height * BytesPerRow(); }
  const uint8_t* Glyph(int g) const { return data + g * BytesPerGlyph(); }
};

constexpr int kFontCount = 4;
// Font n = 1..4 (1: 8 x 16, 2: 16 x 32, 3: 32 x 64 digits, 4: 40 x 80 digits).
// Throws RangeError for any other number.
const BitmapFont& PreviewFont(int n);

// Glyph of a Windows-1251 character in a character set, or -1 when the
// character draws nothing and does not move the cursor.
int GlyphOfChar(CharSet set, uint8_t c);

}  // namespace tc
