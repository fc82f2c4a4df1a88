// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// PNG pictures of plots and previews, written through libpng: 8-bit RGB,
// compressed with libpng's default filters and zlib level.
#include <cstdint>
#include <string>
#include <vector>

namespace tc {

class RgbImage;

// The PNG file of width x height pixels of packed r, g, b bytes.
// Throws TripError for an empty or negative size, or when libpng refuses.
std::vector<uint8_t> EncodePng(int width, int height, const uint8_t* rgb);
std::vector<uint8_t> EncodePng(const RgbImage& image);

// Writes the PNG through the atomic file writer.
void WritePngFile(const std::string& path, const RgbImage& image);

}  // namespace tc
