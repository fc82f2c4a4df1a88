// SPDX-License-Identifier: GPL-3.0-or-later
#include "util/png_deflate.h"

#include <zlib.h>

#include <cstdlib>
#include <cstring>

namespace tc {

namespace {

void Put32(std::vector<uint8_t>& out, uint32_t v) {
  out.push_back(uint8_t(v >> 24));
  out.push_back(uint8_t(v >> 16));
  out.push_back(uint8_t(v >> 8));
  out.push_back(uint8_t(v));
}

void Chunk(std::vector<uint8_t>& out, const char type[4], const uint8_t* data, size_t size) {
  Put32(out, uint32_t(size));
  const size_t start = out.size();
  out.insert(out.end(), type, type + 4);
  if (size) out.insert(out.end(), data, data + size);
  uLong crc = crc32(0, Z_NULL, 0);
  crc = crc32(crc, out.data() + start, uInt(out.size() - start));
  Put32(out, uint32_t(crc));
}

// Sum of the filtered bytes taken as signed: the usual cheap guess at which
// filter compresses better.
uint64_t Cost(const uint8_t* row, size_t n) {
  uint64_t c = 0;
  for (size_t i = 0; i < n; ++i) c += uint64_t(std::abs(int(int8_t(row[i]))));
  return c;
}

}  // namespace

bool EncodePngWithZlib(uint32_t width, uint32_t height, const uint8_t* rgb,
                       std::vector<uint8_t>& out, std::string& why) {
  // zlib counts in 32-bit units on Windows.
  if ((uint64_t(width) * 3 + 1) * height > 0x7FFFFFFFu) {
    why = "the image is too large";
    return false;
  }
  const size_t stride = size_t(width) * 3;
  // Each row: its filter byte, then the filtered bytes.
  std::vector<uint8_t> raw;
  raw.reserve((stride + 1) * height);
  std::vector<uint8_t> up(stride);
  for (uint32_t y = 0; y < height; ++y) {
    const uint8_t* row = rgb + size_t(y) * stride;
    if (y == 0) {
      raw.push_back(0);
      raw.insert(raw.end(), row, row + stride);
      continue;
    }
    const uint8_t* prev = row - stride;
    for (size_t i = 0; i < stride; ++i) up[i] = uint8_t(row[i] - prev[i]);
    const bool useUp = Cost(up.data(), stride) < Cost(row, stride);
    raw.push_back(useUp ? 2 : 0);
    raw.insert(raw.end(), useUp ? up.data() : row, (useUp ? up.data() : row) + stride);
  }
  uLongf packedSize = compressBound(uLong(raw.size()));
  std::vector<uint8_t> packed(packedSize);
  const int r = compress2(packed.data(), &packedSize, raw.data(), uLong(raw.size()), 6);
  if (r != Z_OK) {
    why = r == Z_MEM_ERROR ? "out of memory" : "zlib error " + std::to_string(r);
    return false;
  }
  static const uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  out.assign(kSignature, kSignature + 8);
  uint8_t header[13];
  const uint32_t dims[2] = {width, height};
  for (int k = 0; k < 2; ++k)
    for (int b = 0; b < 4; ++b) header[k * 4 + b] = uint8_t(dims[k] >> (24 - 8 * b));
  header[8] = 8;   // bits per sample
  header[9] = 2;   // RGB
  header[10] = 0;  // deflate
  header[11] = 0;  // adaptive filtering
  header[12] = 0;  // no interlace
  Chunk(out, "IHDR", header, sizeof header);
  Chunk(out, "IDAT", packed.data(), packedSize);
  Chunk(out, "IEND", nullptr, 0);
  return true;
}

}  // namespace tc
