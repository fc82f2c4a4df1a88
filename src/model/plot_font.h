// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A small 5 x 7 bitmap font for the texts inside plots drawn by the core
// (the oscilloscope plot). Printable ASCII and the few Cyrillic letters the
// plot's Russian units need; any other character is drawn as a box.
#include <array>
#include <cstdint>
#include <string>

#include "util/rgb_image.h"

namespace tc {

constexpr int kPlotGlyphWidth = 5;
constexpr int kPlotGlyphHeight = 7;
constexpr int kPlotCharAdvance = 6;  // one column of space between glyphs
constexpr int kPlotLineHeight = 9;

// Rows top to bottom; bit 4 of a row is the leftmost pixel.
using PlotGlyph = std::array<uint8_t, kPlotGlyphHeight>;

// The glyph of a code point, or nullptr when the font has none.
const PlotGlyph* FindPlotGlyph(char32_t cp);

// Width in pixels of a UTF-8 text (characters times the advance).
int PlotTextWidth(const std::string& utf8);

// Draws a UTF-8 text with its top-left corner at (x, y); clipped to the picture.
void DrawPlotText(RgbImage& image, int x, int y, const std::string& utf8, Rgb colour);

}  // namespace tc
