// SPDX-License-Identifier: GPL-3.0-or-later
// The zlib-only PNG writer of the Windows build, read back by libpng here so
// that a file libpng would refuse never reaches Windows users.
#include "util/png_deflate.h"

#include <gtest/gtest.h>
#include <png.h>

#include <string>
#include <vector>

using namespace tc;

namespace {

struct Decoded {
  bool ok = false;
  uint32_t width = 0, height = 0;
  std::vector<uint8_t> rgb;
};

Decoded Decode(const std::vector<uint8_t>& file) {
  Decoded d;
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&image, file.data(), file.size())) return d;
  image.format = PNG_FORMAT_RGB;
  d.width = image.width;
  d.height = image.height;
  d.rgb.resize(PNG_IMAGE_SIZE(image));
  d.ok = png_image_finish_read(&image, nullptr, d.rgb.data(), 0, nullptr) != 0;
  png_image_free(&image);
  return d;
}

std::vector<uint8_t> Encode(uint32_t w, uint32_t h, const std::vector<uint8_t>& rgb) {
  std::vector<uint8_t> out;
  std::string why;
  EXPECT_TRUE(EncodePngWithZlib(w, h, rgb.data(), out, why)) << why;
  return out;
}

}  // namespace

TEST(PngDeflate, PicturesRoundTripThroughLibpng) {
  // A gradient (rows that the "Up" filter shrinks), noise (rows it does not)
  // and a single pixel.
  const uint32_t w = 320, h = 240;
  std::vector<uint8_t> gradient(size_t(w) * h * 3), noise(gradient.size());
  uint32_t seed = 12345;
  for (size_t i = 0; i < gradient.size(); ++i) {
    gradient[i] = uint8_t((i / 3) % w + (i / (3 * w)) * 3 + i % 3);
    seed = seed * 1103515245u + 12345u;
    noise[i] = uint8_t(seed >> 16);
  }
  for (const auto* rgb : {&gradient, &noise}) {
    const Decoded d = Decode(Encode(w, h, *rgb));
    ASSERT_TRUE(d.ok);
    EXPECT_EQ(d.width, w);
    EXPECT_EQ(d.height, h);
    EXPECT_EQ(d.rgb, *rgb);
  }
  const std::vector<uint8_t> one = {1, 2, 3};
  EXPECT_EQ(Decode(Encode(1, 1, one)).rgb, one);

  // Flat pictures, as the previews mostly are, come out small.
  const std::vector<uint8_t> flat(size_t(w) * h * 3, 0x40);
  EXPECT_LT(Encode(w, h, flat).size(), 2000u);
  EXPECT_LT(Encode(w, h, gradient).size(), gradient.size() / 4);
}

TEST(PngDeflate, DamageIsCaughtAndHugeSizesAreRefused) {
  const std::vector<uint8_t> rgb(30, 7);
  std::vector<uint8_t> file = Encode(5, 2, rgb);
  ASSERT_TRUE(Decode(file).ok);
  file[file.size() - 20] ^= 0x01;  // inside the IDAT chunk: its CRC no longer matches
  EXPECT_FALSE(Decode(file).ok);

  // More than zlib can take in one go on Windows: refused before any allocation.
  std::vector<uint8_t> out;
  std::string why;
  EXPECT_FALSE(EncodePngWithZlib(0x7FFFFFFF, 0x7FFFFFFF, rgb.data(), out, why));
  EXPECT_EQ(why, "the image is too large");
  EXPECT_TRUE(out.empty());
}
