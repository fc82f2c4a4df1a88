// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/preview_surface.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "util/conversions.h"
#include "util/errors.h"

namespace tc {

Rgb24 Rgb565ToRgb(uint16_t c) {
  const uint32_t v = ColourFrom16(c);  // blue << 16 | green << 8 | red
  return {uint8_t(v), uint8_t(v >> 8), uint8_t(v >> 16)};
}

PreviewSurface::PreviewSurface(int width, int height)
    : width_(std::clamp(width, 1, kScreenWidth)),
      height_(std::clamp(height, 1, kScreenHeight)),
      rgb_(size_t(width_) * height_ * 3, 0),
      font_(&PreviewFont(1)) {}

Rgb24 PreviewSurface::PixelAt(int x, int y) const {
  if (unsigned(x) >= unsigned(width_) || unsigned(y) >= unsigned(height_)) return {};
  const uint8_t* p = &rgb_[(size_t(y) * width_ + x) * 3];
  return {p[0], p[1], p[2]};
}

void PreviewSurface::SetForeground(uint16_t c) {
  fg565_ = c;
  fg_ = Rgb565ToRgb(c);
}

void PreviewSurface::SetBackground(uint16_t c) {
  bg565_ = c;
  bg_ = Rgb565ToRgb(c);
}

void PreviewSurface::Span(int x1, int x2, int y, const Rgb24& c) {
  if (unsigned(y) >= unsigned(height_)) return;
  if (x1 > x2) std::swap(x1, x2);
  x1 = std::max(x1, 0);
  x2 = std::min(x2, width_ - 1);
  if (x1 > x2) return;
  uint8_t* p = &rgb_[(size_t(y) * width_ + x1) * 3];
  for (int x = x1; x <= x2; ++x, p += 3) p[0] = c.r, p[1] = c.g, p[2] = c.b;
}

void PreviewSurface::ClearSurface(uint16_t colour) {
  const Rgb24 c = Rgb565ToRgb(colour);
  for (int y = 0; y < height_; ++y) Span(0, width_ - 1, y, c);
}

void PreviewSurface::FillRect(int w, int h) {
  if (w <= 0 || h <= 0) return;
  const int y1 = std::max(originY_, 0), y2 = std::min(originY_ + h, height_);
  for (int y = y1; y < y2; ++y) Span(originX_, originX_ + w - 1, y, bg_);
}

void PreviewSurface::HLine(int x1, int x2, int y) {
  Span(originX_ + x1, originX_ + x2, originY_ + y, fg_);
}

void PreviewSurface::VLine(int x, int y1, int y2) {
  if (y1 > y2) std::swap(y1, y2);
  for (int y = y1; y <= y2; ++y) Put(originX_ + x, originY_ + y, fg_);
}

void PreviewSurface::ThickHLine(int x1, int x2, int y) {
  for (int i = 0; i < thickness_; ++i) HLine(x1, x2, y - thickness_ / 2 + i);
}

void PreviewSurface::ThickVLine(int x, int y1, int y2) {
  for (int i = 0; i < thickness_; ++i) VLine(x - thickness_ / 2 + i, y1, y2);
}

void PreviewSurface::StampPicture(const Picture& p, int x, int y) {
  const int x0 = originX_ + x, y0 = originY_ + y;
  for (int py = 0; py < p.height; ++py) {
    if (unsigned(y0 + py) >= unsigned(height_)) continue;
    for (int px = 0; px < p.width; ++px)
      if (p.IsSet(px, py)) Put(x0 + px, y0 + py, fg_);
  }
}

void PreviewSurface::SelectFont(int n) {
  font_ = &PreviewFont(n);  // throws for an unknown number
  fontNumber_ = n;
}

void PreviewSurface::DrawGlyph(int x, int y, int g) {
  const BitmapFont& f = *font_;
  if (g < 0 || g >= f.glyphCount) return;
  const uint8_t* bits = f.Glyph(g);
  const int x0 = originX_ + x, y0 = originY_ + y;
  for (int row = 0; row < f.height; ++row) {
    const int py = y0 + row;
    if (unsigned(py) >= unsigned(height_)) {
      bits += f.BytesPerRow();
      continue;
    }
    for (int b = 0; b < f.BytesPerRow(); ++b, ++bits)
      for (int bit = 0; bit < 8; ++bit)
        Put(x0 + b * 8 + bit, py, (*bits >> (7 - bit)) & 1 ? fg_ : bg_);
  }
}

void PreviewSurface::PutChar(uint8_t c) {
  const BitmapFont& f = *font_;
  // The text grid is the device screen's, also on the narrower info-panel
  // surface; whatever falls outside the surface is clipped by the pixels.
  if (column_ >= kScreenWidth / f.width || row_ >= kScreenHeight / f.height) return;
  const int g = GlyphOfChar(f.charSet, c);
  if (g < 0) return;
  DrawGlyph(column_ * f.width, row_ * f.height, g);
  ++column_;
}

void PreviewSurface::TextOut(int column, int row, std::string_view cp1251) {
  SetTextCursor(column, row);
  for (char c : cp1251) PutChar(uint8_t(c));
}

void PreviewSurface::Line(int x1, int y1, int x2, int y2) {
  const int t = std::max(thickness_, 1), half = t / 2;
  auto dot = [&](int x, int y) {
    for (int dy = 0; dy < t; ++dy)
      Span(originX_ + x - half, originX_ + x - half + t - 1, originY_ + y - half + dy, fg_);
  };
  const int dx = std::abs(x2 - x1), sx = x1 < x2 ? 1 : -1;
  const int dy = -std::abs(y2 - y1), sy = y1 < y2 ? 1 : -1;
  int err = dx + dy;
  for (;;) {
    dot(x1, y1);
    if (x1 == x2 && y1 == y2) break;
    const int e2 = 2 * err;
    if (e2 >= dy) err += dy, x1 += sx;
    if (e2 <= dx) err += dx, y1 += sy;
  }
}

void PreviewSurface::FillDisc(int cx, int cy, int radius) {
  if (radius < 0) return;
  const double r2 = (radius + 0.5) * (radius + 0.5);
  for (int dy = -radius; dy <= radius; ++dy) {
    const int w = int(std::sqrt(std::max(0.0, r2 - dy * dy)));
    Span(originX_ + cx - w, originX_ + cx + w, originY_ + cy + dy, fg_);
  }
}

void PreviewSurface::Circle(int cx, int cy, int radius) {
  if (radius < 0) return;
  const double ro = (radius + 0.5) * (radius + 0.5);
  const double inner = radius - std::max(thickness_, 1) + 0.5;
  const double ri = inner > 0 ? inner * inner : -1;
  for (int dy = -radius; dy <= radius; ++dy)
    for (int dx = -radius; dx <= radius; ++dx) {
      const double d = double(dx) * dx + double(dy) * dy;
      if (d <= ro && d > ri) Put(originX_ + cx + dx, originY_ + cy + dy, fg_);
    }
}

void PreviewSurface::StampPictureRotated(const Picture& p, int px, int py, int cx, int cy,
                                         double angle) {
  const double a = angle * 3.14159265358979323846 / 180.0;
  const double c = std::cos(a), s = std::sin(a);
  // Every destination pixel within the picture's reach is mapped back into
  // the picture, so the turned needle has no holes.
  const int reach =
      int(std::ceil(std::hypot(std::max(px, p.width - px), std::max(py, p.height - py))));
  const int x0 = originX_ + cx, y0 = originY_ + cy;
  for (int dy = -reach; dy <= reach; ++dy) {
    if (unsigned(y0 + dy) >= unsigned(height_)) continue;
    // Walk the row in picture coordinates (+0.5 so truncation rounds).
    double sx = px + 0.5 - reach * c + dy * s, sy = py + 0.5 + reach * s + dy * c;
    for (int dx = -reach; dx <= reach; ++dx, sx += c, sy -= s) {
      if (sx < 0 || sy < 0 || sx >= p.width || sy >= p.height) continue;
      if (p.IsSet(int(sx), int(sy))) Put(x0 + dx, y0 + dy, fg_);
    }
  }
}

void PreviewSurface::StampPictureReduced(const Picture& p, int x, int y, int factor) {
  if (factor < 1) return;
  const int w = (p.width + factor - 1) / factor, h = (p.height + factor - 1) / factor;
  for (int ry = 0; ry < h; ++ry)
    for (int rx = 0; rx < w; ++rx) {
      bool on = false;
      for (int sy = ry * factor; sy < std::min(p.height, (ry + 1) * factor) && !on; ++sy)
        for (int sx = rx * factor; sx < std::min(p.width, (rx + 1) * factor) && !on; ++sx)
          on = p.IsSet(sx, sy);
      if (on) Put(originX_ + x + rx, originY_ + y + ry, fg_);
    }
}

}  // namespace tc
