// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Helpers shared by the screen painters (not part of the preview's interface).
#include <string>

#include "model/field.h"
#include "model/preview.h"

namespace tc::preview {

// Colour of a role in the scheme the input asks for.
uint16_t Role(const PreviewInput& in, int role);

// Fills a rectangle with a colour (absolute coordinates).
void Fill(PreviewSurface& s, int x, int y, int w, int h, uint16_t colour);

// Text in UTF-8, drawn in Windows-1251 with the given font at (x, y); the
// glyphs' clear pixels take bg. Returns the width drawn.
int Text(PreviewSurface& s, int x, int y, int font, const std::string& utf8, uint16_t fg,
         uint16_t bg);
// Centred in [x, x + w); a text too long for the region is cut to it, so it
// never runs into the neighbouring cell.
void TextCentred(PreviewSurface& s, int x, int w, int y, int font, const std::string& utf8,
                 uint16_t fg, uint16_t bg);
// Ending at xRight (exclusive).
void TextRight(PreviewSurface& s, int xRight, int y, int font, const std::string& utf8, uint16_t fg,
               uint16_t bg);
// Characters the text draws (Windows-1251 bytes).
int TextLength(const std::string& utf8);
// bigFont when the text fits width in it, else smallFont.
int FitFont(const std::string& utf8, int width, int bigFont, int smallFont);
// Without leading and trailing spaces.
std::string Trimmed(const std::string& text);

// The parameter a cell's code stands for, prepared for drawing, or nullptr
// for an empty cell (code 0 or one the list does not hold).
const TMeasParBase* CellParam(const PreviewInput& in, int code);
// Cell code from a block byte.
int CellCode(const PreviewInput& in, const FieldRef& cell);

inline std::string Tr(const PreviewInput& in, const TextPair& t) {
  return t.Get(in.english);
}

}  // namespace tc::preview
