#include "util/png.h"

#include <gtest/gtest.h>

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

// Reads back what EncodePng writes: checks the signature, every chunk's CRC,
// the header fields, and unpacks the stored deflate blocks.
DecodedPng Decode(const std::vector<uint8_t>& png) {
  DecodedPng out;
  const std::vector<uint8_t> sig = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  EXPECT_TRUE(std::equal(sig.begin(), sig.end(), png.begin()));
  std::vector<uint8_t> idat;
  std::vector<std::string> order;
  size_t pos = 8;
  while (pos + 12 <= png.size()) {
    const uint32_t len = BE32(png, pos);
    const std::string type(png.begin() + long(pos) + 4, png.begin() + long(pos) + 8);
    order.push_back(type);
    EXPECT_LE(pos + 12 + len, png.size());
    EXPECT_EQ(BE32(png, pos + 8 + len), Crc32(png.data() + pos + 4, len + 4)) << type;
    const uint8_t* data = png.data() + pos + 8;
    if (type == "IHDR") {
      EXPECT_EQ(len, 13u);
      out.width = BE32(png, pos + 8);
      out.height = BE32(png, pos + 12);
      EXPECT_EQ(data[8], 8);  // bit depth
      EXPECT_EQ(data[9], 2);  // RGB
      EXPECT_EQ(data[10] | data[11] | data[12], 0);
    } else if (type == "IDAT") {
      idat.insert(idat.end(), data, data + len);
    }
    pos += 12 + len;
  }
  EXPECT_EQ(pos, png.size());
  EXPECT_EQ(order, (std::vector<std::string>{"IHDR", "IDAT", "IEND"}));

  // zlib: CMF/FLG check, stored blocks, Adler-32.
  EXPECT_EQ(idat[0] & 0x0F, 8);
  EXPECT_EQ((idat[0] * 256 + idat[1]) % 31, 0);
  std::vector<uint8_t> raw;
  size_t z = 2;
  bool last = false;
  while (!last) {
    last = idat[z] & 1;
    EXPECT_EQ((idat[z] >> 1) & 3, 0);  // stored
    const uint16_t n = uint16_t(idat[z + 1] | idat[z + 2] << 8);
    const uint16_t nn = uint16_t(idat[z + 3] | idat[z + 4] << 8);
    EXPECT_EQ(uint16_t(~n), nn);
    raw.insert(raw.end(), idat.begin() + long(z) + 5, idat.begin() + long(z) + 5 + n);
    z += 5 + n;
  }
  EXPECT_EQ(BE32(idat, z), Adler32(raw.data(), raw.size()));
  EXPECT_EQ(z + 4, idat.size());

  const size_t row = size_t(out.width) * 3;
  EXPECT_EQ(raw.size(), (row + 1) * out.height);
  for (uint32_t y = 0; y < out.height && (row + 1) * (y + 1) <= raw.size(); ++y) {
    EXPECT_EQ(raw[(row + 1) * y], 0);  // filter: none
    out.rgb.insert(out.rgb.end(), raw.begin() + long((row + 1) * y + 1),
                   raw.begin() + long((row + 1) * (y + 1)));
  }
  return out;
}

}  // namespace

TEST(Png, ChecksumsKnownAnswers) {
  const std::string digits = "123456789";
  EXPECT_EQ(Crc32(reinterpret_cast<const uint8_t*>(digits.data()), digits.size()), 0xCBF43926u);
  const std::string wiki = "Wikipedia";
  EXPECT_EQ(Adler32(reinterpret_cast<const uint8_t*>(wiki.data()), wiki.size()), 0x11E60398u);
  EXPECT_EQ(Adler32(nullptr, 0), 1u);
  // Continuing a CRC gives the same as one pass.
  const auto* d = reinterpret_cast<const uint8_t*>(digits.data());
  EXPECT_EQ(Crc32(d + 4, 5, Crc32(d, 4)), 0xCBF43926u);
  // Long runs of 0xFF must not overflow Adler's sums between reductions.
  const std::vector<uint8_t> ff(100000, 0xFF);
  uint32_t a = 1, b = 0;
  for (uint8_t v : ff) {
    a = (a + v) % 65521;
    b = (b + a) % 65521;
  }
  EXPECT_EQ(Adler32(ff.data(), ff.size()), b << 16 | a);
}

TEST(Png, SmallImageRoundTrip) {
  RgbImage img(3, 2, {1, 2, 3});
  img.Set(2, 1, {255, 0, 128});
  const DecodedPng back = Decode(EncodePng(img));
  EXPECT_EQ(back.width, 3u);
  EXPECT_EQ(back.height, 2u);
  EXPECT_EQ(back.rgb, img.Bytes());
}

TEST(Png, LargeImageSpansSeveralStoredBlocks) {
  RgbImage img(1002, 278);
  for (int y = 0; y < img.Height(); ++y)
    for (int x = 0; x < img.Width(); ++x) img.Set(x, y, {uint8_t(x), uint8_t(y), uint8_t(x ^ y)});
  const auto png = EncodePng(img);
  EXPECT_GT(png.size(), 3u * 65535u);
  EXPECT_EQ(Decode(png).rgb, img.Bytes());
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
