// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The drawing surface of the display preview: a plain 24-bit RGB buffer the
// size of the trip computer's screen, with the device's drawing model (an
// origin, a foreground and a background colour in RGB565, a line
// thickness, a current font and a text cursor counted in character cells).
#include <cstdint>
#include <string_view>
#include <vector>

#include "model/preview_font.h"
#include "model/preview_pictures.h"

namespace tc {

constexpr int kScreenWidth = 320;
constexpr int kScreenHeight = 240;

struct Rgb24 {
  uint8_t r = 0, g = 0, b = 0;
  friend bool operator==(const Rgb24&, const Rgb24&) = default;
};

// The device's RGB565 to 24 bits: full intensity maps to 255, 0 to 0.
Rgb24 Rgb565ToRgb(uint16_t c);

// Left edge (or top edge) that centres count cells of cellSize in a region:
// (region - count * cellSize) div 2, rounded toward zero (so a text wider
// than its region starts left of it by half the excess).
constexpr int CentreOffset(int region, int count, int cellSize) {
  return (region - count * cellSize) / 2;
}

class PreviewSurface {
 public:
  // The info panel uses a narrower surface; every other screen the full one.
  explicit PreviewSurface(int width = kScreenWidth, int height = kScreenHeight);

  int Width() const { return width_; }
  int Height() const { return height_; }
  // Three bytes a pixel (red, green, blue), rows from the top.
  const std::vector<uint8_t>& Rgb() const { return rgb_; }
  Rgb24 PixelAt(int x, int y) const;

  // --- Drawing state -----------------------------------------------------------
  void SetOrigin(int x, int y) { originX_ = x, originY_ = y; }
  int OriginX() const { return originX_; }
  int OriginY() const { return originY_; }
  void SetForeground(uint16_t c);
  void SetBackground(uint16_t c);
  void SetColours(uint16_t fg, uint16_t bg) { SetForeground(fg), SetBackground(bg); }
  uint16_t Foreground() const { return fg565_; }
  uint16_t Background() const { return bg565_; }
  void SetThickness(int t) { thickness_ = t; }
  int Thickness() const { return thickness_; }

  // --- Primitives --------------------------------------------------------------
  void ClearSurface(uint16_t colour);
  // w x h pixels from the origin in the background colour, clipped.
  void FillRect(int w, int h);
  // One-pixel lines in the foreground colour, ends in either order and both
  // included, shifted by the origin.
  void HLine(int x1, int x2, int y);
  void VLine(int x, int y1, int y2);
  // Thickness parallel lines from y - thickness div 2 (or x - ...) on.
  void ThickHLine(int x1, int x2, int y);
  void ThickVLine(int x, int y1, int y2);
  // Every set pixel of the picture in the foreground colour at origin + (x, y).
  void StampPicture(const Picture& p, int x, int y);
  void StampPicture(PictureId id, int x, int y) { StampPicture(GetPicture(id), x, y); }

  // --- Text ---------------------------------------------------------------------
  // Font 1..4; throws RangeError for another number.
  void SelectFont(int n);
  const BitmapFont& Font() const { return *font_; }
  int FontNumber() const { return fontNumber_; }
  void SetTextCursor(int column, int row) { column_ = column, row_ = row; }
  int TextColumn() const { return column_; }
  int TextRow() const { return row_; }
  // Glyph g of the current font at origin + (x, y): set bits in the
  // foreground, clear bits in the background colour. A glyph number outside
  // the font draws nothing.
  void DrawGlyph(int x, int y, int g);
  // One Windows-1251 character at the cursor. A character without a glyph in
  // the set draws nothing and keeps the cursor; a cursor at or beyond the
  // last whole cell of the screen draws nothing and keeps it too.
  void PutChar(uint8_t c);
  // Moves the cursor, then PutChar for each byte (Windows-1251 text).
  void TextOut(int column, int row, std::string_view cp1251);

  // --- Helpers the screen painters build on ------------------------------------
  // A line between two points, origin-shifted, thickness pixels wide.
  void Line(int x1, int y1, int x2, int y2);
  // A filled disc of the given radius around origin + (cx, cy), foreground.
  void FillDisc(int cx, int cy, int radius);
  // A circle outline thickness pixels wide, foreground.
  void Circle(int cx, int cy, int radius);
  // The picture turned clockwise by angle degrees about its point (px, py),
  // which lands on origin + (cx, cy). Set pixels in the foreground colour.
  void StampPictureRotated(const Picture& p, int px, int py, int cx, int cy, double angle);
  // The picture reduced by a whole factor: a pixel is set when any pixel of
  // its factor x factor block is, so thin strokes survive.
  void StampPictureReduced(const Picture& p, int x, int y, int factor);

 private:
  void Put(int x, int y, const Rgb24& c) {
    if (unsigned(x) < unsigned(width_) && unsigned(y) < unsigned(height_)) {
      uint8_t* p = &rgb_[(size_t(y) * width_ + x) * 3];
      p[0] = c.r, p[1] = c.g, p[2] = c.b;
    }
  }
  void Span(int x1, int x2, int y, const Rgb24& c);  // absolute, clipped

  int width_, height_;
  std::vector<uint8_t> rgb_;
  int originX_ = 0, originY_ = 0;
  uint16_t fg565_ = 0xFFFF, bg565_ = 0;
  Rgb24 fg_{255, 255, 255}, bg_{};
  int thickness_ = 1;
  const BitmapFont* font_;
  int fontNumber_ = 1;
  int column_ = 0, row_ = 0;
};

}  // namespace tc
