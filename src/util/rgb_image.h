// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A plain 24-bit picture in memory: what the core draws into (plots,
// previews) and what the front ends show or save as PNG.
#include <cstdint>
#include <vector>

namespace tc {

struct Rgb {
  uint8_t r = 0, g = 0, b = 0;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};

class RgbImage {
 public:
  RgbImage() = default;
  // Throws TripError for a negative or absurdly large size.
  RgbImage(int width, int height, Rgb fill = {});

  int Width() const { return width_; }
  int Height() const { return height_; }
  bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }
  // Pixels outside the picture read black and are not written.
  Rgb At(int x, int y) const;
  void Set(int x, int y, Rgb c);
  void Fill(Rgb c);
  // A straight line from (x0, y0) towards (x1, y1), the end point itself not
  // drawn, as the desktop's line drawing does. Clipped to the picture.
  void Line(int x0, int y0, int x1, int y1, Rgb c);

  // Rows top to bottom, 3 bytes (r, g, b) per pixel, no padding.
  const std::vector<uint8_t>& Bytes() const { return bytes_; }

 private:
  int width_ = 0;
  int height_ = 0;
  std::vector<uint8_t> bytes_;
};

}  // namespace tc
