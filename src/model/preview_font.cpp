// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/preview_font.h"

#include "util/errors.h"

namespace tc {

extern const uint8_t kFont8x16[];
extern const uint8_t kFont16x32[];
extern const uint8_t kFont32x64[];
extern const uint8_t kFont40x80[];

namespace {
const BitmapFont kFonts[kFontCount] = {
    {8, 16, 160, CharSet::Full, kFont8x16},
    {16, 32, 160, CharSet::Full, kFont16x32},
    {32, 64, 20, CharSet::Digits, kFont32x64},
    {40, 80, 20, CharSet::Digits, kFont40x80},
};
}  // namespace

const BitmapFont& PreviewFont(int n) {
  if (n < 1 || n > kFontCount) throw RangeError();
  return kFonts[n - 1];
}

int GlyphOfChar(CharSet set, uint8_t c) {
  if (set == CharSet::Full) {
    if (c >= 32 && c <= 127) return c - 32;
    if (c >= 192) return c - 96;
    return -1;  // control codes and 128..191 (Ё, ё, signs) have no glyph
  }
  switch (c) {
    case '+':
      return 1;
    case '-':
      return 2;
    case '.':
      return 3;
    case ':':
      return 4;
    case 'T':
      return 15;
    case 'D':
      return 16;
    case 'N':
      return 17;
    case 'P':
      return 18;
    case 'R':
      return 19;
    default:
      return c >= '0' && c <= '9' ? 5 + (c - '0') : 0;
  }
}

}  // namespace tc
