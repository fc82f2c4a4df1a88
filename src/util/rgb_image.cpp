// SPDX-License-Identifier: GPL-3.0-or-later
#include "util/rgb_image.h"

#include <cstdlib>
#include <string>

#include "util/errors.h"

namespace tc {

RgbImage::RgbImage(int width, int height, Rgb fill) : width_(width), height_(height) {
  if (width < 0 || height < 0 || width > 16384 || height > 16384)
    throw TripError("A picture of " + std::to_string(width) + " x " + std::to_string(height) +
                    " pixels cannot be made");
  bytes_.resize(size_t(width) * size_t(height) * 3);
  Fill(fill);
}

Rgb RgbImage::At(int x, int y) const {
  if (!Contains(x, y)) return {};
  const size_t i = (size_t(y) * size_t(width_) + size_t(x)) * 3;
  return {bytes_[i], bytes_[i + 1], bytes_[i + 2]};
}

void RgbImage::Set(int x, int y, Rgb c) {
  if (!Contains(x, y)) return;
  const size_t i = (size_t(y) * size_t(width_) + size_t(x)) * 3;
  bytes_[i] = c.r;
  bytes_[i + 1] = c.g;
  bytes_[i + 2] = c.b;
}

void RgbImage::Fill(Rgb c) {
  for (size_t i = 0; i + 2 < bytes_.size(); i += 3) {
    bytes_[i] = c.r;
    bytes_[i + 1] = c.g;
    bytes_[i + 2] = c.b;
  }
}

void RgbImage::Line(int x0, int y0, int x1, int y1, Rgb c) {
  // Bresenham; the loop stops before the end point.
  const int dx = std::abs(x1 - x0), dy = -std::abs(y1 - y0);
  const int sx = x0 < x1 ? 1 : -1, sy = y0 < y1 ? 1 : -1;
  int err = dx + dy;
  int x = x0, y = y0;
  while (x != x1 || y != y1) {
    Set(x, y, c);
    const int e2 = 2 * err;
    if (e2 >= dy) {
      err += dy;
      x += sx;
    }
    if (e2 <= dx) {
      err += dx;
      y += sy;
    }
  }
}

}  // namespace tc
