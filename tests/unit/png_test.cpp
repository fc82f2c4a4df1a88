// SPDX-License-Identifier: GPL-3.0-or-later
#include "util/png.h"

#include <gtest/gtest.h>
#include <png.h>

#include <filesystem>
#include <string>
#include <vector>

#include "util/errors.h"
#include "util/files.h"
#include "util/rgb_image.h"

using namespace tc;

namespace {

uint32_t BE32(const std::vector<uint8_t>& b, size_t at) {
  return uint32_t(b[at]) << 24 | uint32_t(b[at + 1]) << 16 | uint32_t(b[at + 2]) << 8 | b[at + 3];
}

struct DecodedPng {
  uint32_t width = 0, height = 0;
  std::vector<uint8_t> rgb;
};

// Reads back what EncodePng writes: the signature and header fields by hand
// (8-bit RGB, no interlace), the pixels through libpng's reader, which also
// checks every chunk's CRC and the zlib stream.
DecodedPng Decode(const std::vector<uint8_t>& png) {
  DecodedPng out;
  const std::vector<uint8_t> sig = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  EXPECT_GE(png.size(), 33u);
  if (png.size() < 33) return out;
  EXPECT_TRUE(std::equal(sig.begin(), sig.end(), png.begin()));
  EXPECT_EQ(std::string(png.begin() + 12, png.begin() + 16), "IHDR");
  EXPECT_EQ(png[24], 8);  // bit depth
  EXPECT_EQ(png[25], 2);  // RGB
  EXPECT_EQ(png[26] | png[27] | png[28], 0);
  const std::vector<uint8_t> iend = {0, 0, 0, 0, 'I', 'E', 'N', 'D', 0xAE, 0x42, 0x60, 0x82};
  EXPECT_TRUE(std::equal(iend.begin(), iend.end(), png.end() - 12));  // nothing after IEND

  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  EXPECT_TRUE(png_image_begin_read_from_memory(&image, png.data(), png.size())) << image.message;
  image.format = PNG_FORMAT_RGB;
  out.width = image.width;
  out.height = image.height;
  EXPECT_EQ(out.width, BE32(png, 16));
  EXPECT_EQ(out.height, BE32(png, 20));
  out.rgb.resize(PNG_IMAGE_SIZE(image));
  EXPECT_TRUE(png_image_finish_read(&image, nullptr, out.rgb.data(), 0, nullptr)) << image.message;
  png_image_free(&image);
  return out;
}

}  // namespace

TEST(Png, DamagedFileIsRefusedByTheReader) {
  // The reader used above really checks: one flipped pixel byte inside the
  // compressed data breaks the CRC of its chunk.
  RgbImage img(16, 16, {10, 20, 30});
  auto png = EncodePng(img);
  png[png.size() - 20] ^= 0x55;
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  bool ok = png_image_begin_read_from_memory(&image, png.data(), png.size());
  if (ok) {
    image.format = PNG_FORMAT_RGB;
    std::vector<uint8_t> rgb(PNG_IMAGE_SIZE(image));
    ok = png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr);
  }
  png_image_free(&image);
  EXPECT_FALSE(ok);
}

TEST(Png, SmallImageRoundTrip) {
  RgbImage img(3, 2, {1, 2, 3});
  img.Set(2, 1, {255, 0, 128});
  const DecodedPng back = Decode(EncodePng(img));
  EXPECT_EQ(back.width, 3u);
  EXPECT_EQ(back.height, 2u);
  EXPECT_EQ(back.rgb, img.Bytes());
}

TEST(Png, LargeImageRoundTripsAndIsCompressed) {
  RgbImage img(1002, 278);
  for (int y = 0; y < img.Height(); ++y)
    for (int x = 0; x < img.Width(); ++x) img.Set(x, y, {uint8_t(x), uint8_t(y), uint8_t(x ^ y)});
  const auto png = EncodePng(img);
  EXPECT_LT(png.size(), img.Bytes().size() / 4);
  EXPECT_EQ(Decode(png).rgb, img.Bytes());
  // A preview-like picture of flat colours shrinks far more.
  RgbImage flat(320, 240, {0, 0, 64});
  for (int x = 0; x < 320; ++x) flat.Set(x, 120, {255, 255, 0});
  EXPECT_LT(EncodePng(flat).size(), 2000u);
}

TEST(Png, BadSizeAndFileWriting) {
  EXPECT_THROW(EncodePng(0, 5, nullptr), TripError);
  EXPECT_THROW(EncodePng(RgbImage()), TripError);
  const auto dir = std::filesystem::temp_directory_path() / "tripconf_png_test";
  std::filesystem::create_directories(dir);
  const RgbImage img(4, 4, {9, 9, 9});
  WritePngFile((dir / "a.png").string(), img);
  EXPECT_EQ(ReadWholeFile((dir / "a.png").string()), EncodePng(img));
  EXPECT_THROW(WritePngFile((dir / "missing" / "a.png").string(), img), FileError);
  std::filesystem::remove_all(dir);
}

TEST(RgbImageLines, EndPointExcludedAndClipped) {
  RgbImage img(8, 8);
  const Rgb c{1, 1, 1};
  img.Line(0, 2, 4, 2, c);
  EXPECT_EQ(img.At(3, 2), c);
  EXPECT_NE(img.At(4, 2), c);
  img.Line(5, 7, 5, 4, c);  // upward
  EXPECT_EQ(img.At(5, 7), c);
  EXPECT_EQ(img.At(5, 5), c);
  EXPECT_NE(img.At(5, 4), c);
  img.Line(-100, -50, 100, 50, c);  // mostly outside: clipped, no fault
  EXPECT_EQ(img.At(0, 0), c);
  img.Line(3, 3, 3, 3, c);  // empty line
  EXPECT_EQ(img.At(3, 3), (Rgb{0, 0, 0}));
}
