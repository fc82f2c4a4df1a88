// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/tmk.h"

#include <gtest/gtest.h>

#include "model/sample_image.h"
#include "util/errors.h"

using namespace tc;

namespace {
// An image with one directory entry per block at the given sizes.
std::vector<uint8_t> ImageWithDirectory(const std::array<uint16_t, 15>& sizes, size_t length) {
  std::vector<uint8_t> image(length, 0xEE);
  std::fill(image.begin(), image.begin() + kDirectorySize, 0);
  uint32_t address = 32 + kDirectorySize;
  for (int e = 1; e <= 14; ++e) {
    image[4 * e] = uint8_t(address);
    image[4 * e + 1] = uint8_t(address >> 8);
    image[4 * e + 2] = uint8_t(sizes[e]);
    image[4 * e + 3] = uint8_t(sizes[e] >> 8);
    address += std::max<uint16_t>(sizes[e], 4);
  }
  return image;
}
std::array<uint16_t, 15> FullSizes() {
  std::array<uint16_t, 15> s{};
  for (int e = 1; e <= 14; ++e) s[e] = SampleEntrySize(e);
  return s;
}
void SetEntry(std::vector<uint8_t>& image, int e, uint16_t address, uint16_t size) {
  image[4 * e] = uint8_t(address);
  image[4 * e + 1] = uint8_t(address >> 8);
  image[4 * e + 2] = uint8_t(size);
  image[4 * e + 3] = uint8_t(size >> 8);
}
}  // namespace

TEST(TMK, ConstructionDefaults) {
  TMK mk;
  EXPECT_EQ(mk.DeviceVersion, 1);
  EXPECT_EQ(mk.LayoutVersion(), 0u);
  EXPECT_TRUE(mk.Image().empty());
  for (int n = 1; n <= kBlockCount; ++n) EXPECT_EQ(mk.Block(n).size(), size_t(kBlockSize[n]));
  EXPECT_EQ(uint8_t(mk.GetInt(U8(1, 105))), 255);
  EXPECT_EQ(uint8_t(mk.GetInt(U8(1, 134))), 255);
  EXPECT_EQ(uint16_t(mk.GetInt(U16(3, 0))), 1000);
  EXPECT_EQ(uint16_t(mk.GetInt(U16(3, 8 + 2 * 6))), 600);
  EXPECT_EQ(uint16_t(mk.GetInt(U16(3, 22 + 2 * 6))), 36);
  EXPECT_EQ(uint8_t(mk.GetInt(U8(3, 36))), 7);
  EXPECT_EQ(uint8_t(mk.GetInt(U8(4, 2))), 15);
  EXPECT_EQ(uint8_t(mk.GetInt(U8(4, 8 + 14))), 16 + 42);
  EXPECT_EQ(uint8_t(mk.GetInt(U8(4, 8 + 15))), 0);  // only 15 of the 68 entries in use
  EXPECT_EQ(uint16_t(mk.GetInt(U16(4, 144 + 28))), 700);
  EXPECT_EQ(uint32_t(mk.GetInt(U32(5, 8))), 4392u);
  EXPECT_EQ(uint16_t(mk.GetInt(U16(5, 116))), 511);
  EXPECT_DOUBLE_EQ(mk.GetValue(F32(6, 36)), 1.0);
  EXPECT_EQ(uint16_t(mk.GetInt(U16(6, 60))), 165);
  EXPECT_EQ(uint8_t(mk.GetInt(U8(6, 62))), 120);
  EXPECT_EQ(uint16_t(mk.GetInt(U16(10, 390))), 511);
  EXPECT_EQ(uint32_t(mk.GetInt(U32(10, 392))), 0xFFFFFFFFu);
  EXPECT_EQ(uint8_t(mk.GetInt(U8(10, 12))), 4);
  EXPECT_EQ(uint8_t(mk.GetInt(U8(10, 122))), 25);
  EXPECT_EQ(uint8_t(mk.GetInt(U8(10, 411))), 9);
  EXPECT_EQ(uint16_t(mk.GetInt(U16(10, 412))), 1);
  EXPECT_EQ(uint16_t(mk.GetInt(U16(13, 2))), 200);
}

TEST(TMK, JournalDefaults) {
  TMK mk;
  // Prices, the one sample trip (record 1) and refuelling (record 0).
  EXPECT_EQ(uint16_t(mk.GetInt(U16(7, 0))), 250);
  EXPECT_EQ(uint16_t(mk.GetInt(U16(7, 4))), 30);
  EXPECT_EQ(uint16_t(mk.GetInt(U16(7, 36))), 497);
  EXPECT_EQ(uint8_t(mk.GetInt(U8(7, 38))), 15);
  EXPECT_EQ(uint8_t(mk.GetInt(U8(7, 39))), 11);
  EXPECT_EQ(uint32_t(mk.GetInt(U32(7, 44))), 10123u);
  EXPECT_EQ(uint32_t(mk.GetInt(U32(7, 52))), 12u);
  EXPECT_EQ(uint16_t(mk.GetInt(U16(7, 436))), 622);
  EXPECT_EQ(uint32_t(mk.GetInt(U32(7, 444))), 100456u);
  int used = 0;
  for (int r = 0; r < 42; ++r) used += uint8_t(mk.GetInt(U8(7, 16 + 20 * r + 2))) != 0;
  EXPECT_EQ(used, 2);
  for (int r = 0; r < 7; ++r) EXPECT_EQ(uint32_t(mk.GetInt(U32(12, 16 + 92 * r + 4))), 0u);
}

TEST(TMK, DefaultTextsFollowTheLanguage) {
  TMK ru(false), en(true);
  EXPECT_EQ(ru.GetText(Text(5, 60, 7)), "Трим");
  EXPECT_EQ(en.GetText(Text(5, 60, 7)), "Trim");
  EXPECT_EQ(ru.GetText(Text(5, 84, 16)), "Замена рем.ГРМ");
  EXPECT_EQ(en.GetText(Text(5, 84, 16)), "GDM belt repl.");
  EXPECT_EQ(en.GetText(Text(5, 100, 16)), "Spark pl.repl.");
  EXPECT_EQ(ru.GetText(Text(5, 68, 16)), "ТО форсунок");
  // Windows-1251 in the block: one byte per letter, zero after the text.
  EXPECT_EQ(uint8_t(ru.GetInt(U8(5, 60))), 0xD2);
  EXPECT_EQ(uint8_t(ru.GetInt(U8(5, 64))), 0);
}

TEST(TMK, TextFieldsAreCutAndPadded) {
  TMK mk;
  mk.SetText(Text(5, 60, 7), "ABCDEFGHIJ");
  EXPECT_EQ(mk.GetText(Text(5, 60, 7)), "ABCDEFG");
  EXPECT_EQ(uint8_t(mk.GetInt(U8(5, 67))), 0);  // the byte after the field is untouched
  mk.SetText(Text(5, 60, 7), "Ab");
  for (int i = 62; i < 67; ++i) EXPECT_EQ(uint8_t(mk.GetInt(U8(5, i))), 0) << i;
}

TEST(TMK, FactorySchemesAndColourPacking) {
  EXPECT_EQ(TMK::PackColour(31, 13, 0), 0xFB60);
  EXPECT_EQ(TMK::PackColour(0, 31, 31), 0x07FF);
  const auto c = TMK::UnpackColour(0xFB60);
  EXPECT_EQ(c.r, 31);
  EXPECT_EQ(c.g, 13);
  EXPECT_EQ(c.b, 0);
  for (int v = 0; v < 65536; v += 7) {
    const auto u = TMK::UnpackColour(uint16_t(v));
    const uint16_t again = TMK::PackColour(u.r, u.g, u.b);
    ASSERT_EQ(TMK::UnpackColour(again).g, u.g);
  }
  TMK mk;
  // Non-hybrid columns at construction, copied into block 10.
  auto colour = [](const ColourScheme& s, int i) { return uint16_t(s[2 * i] | s[2 * i + 1] << 8); };
  EXPECT_EQ(colour(mk.FactoryScheme2, 1), TMK::PackColour(3, 12, 12));
  EXPECT_EQ(colour(mk.FactoryScheme2, 7), TMK::PackColour(29, 29, 29));
  EXPECT_EQ(mk.FactoryScheme1[32], 15);
  EXPECT_EQ(mk.FactoryScheme2[32 + 4], 3);
  EXPECT_EQ(mk.FactoryScheme2[55], 0);
  for (int i = 0; i < kSchemeSize; ++i) {
    ASSERT_EQ(mk.Block(10)[248 + i], mk.FactoryScheme1[i]);
    ASSERT_EQ(mk.Block(10)[304 + i], mk.FactoryScheme2[i]);
  }
  EXPECT_EQ(uint8_t(mk.GetInt(U8(10, 360))), 1);
  mk.BuildFactorySchemes(true);
  EXPECT_EQ(colour(mk.FactoryScheme2, 1), TMK::PackColour(0, 9, 9));
  EXPECT_EQ(colour(mk.FactoryScheme2, 8), TMK::PackColour(5, 1, 0));
  EXPECT_EQ(mk.FactoryScheme1[32], 10);
  EXPECT_EQ(mk.FactoryScheme2[32 + 3], 0);
  // Rebuilding the factory schemes leaves the device's schemes alone.
  EXPECT_EQ(mk.Block(10)[248 + 32], 15);
}

TEST(TMK, DecodeOnAFreshModelFailsAndChangesNothing) {
  TMK mk;
  const std::vector<uint8_t> before(mk.Block(3).begin(), mk.Block(3).end());
  for (int n = 1; n <= kBlockCount; ++n) EXPECT_THROW(mk.DecodeBlock(n), RangeError) << n;
  EXPECT_TRUE(std::equal(before.begin(), before.end(), mk.Block(3).begin()));
  EXPECT_THROW(mk.DecodeBlock(0), RangeError);
  EXPECT_THROW(mk.DecodeBlock(14), RangeError);
}

TEST(TMK, DecodeRulesForShortAndOddEntries) {
  TMK mk;
  auto sizes = FullSizes();
  sizes[4] = 304;  // block 4 shorter in the device
  sizes[2] = 4;    // nothing to copy
  mk.ReplaceImage(ImageWithDirectory(sizes, 8128));
  mk.DecodeSettingsBlocks();
  // Block 4: 300 bytes copied, the tail keeps its defaults.
  EXPECT_EQ(uint8_t(mk.GetInt(U8(4, 0))), 0xEE);
  EXPECT_EQ(uint8_t(mk.GetInt(U8(4, 299))), 0xEE);
  EXPECT_EQ(uint16_t(mk.GetInt(U16(4, 300))), 0);
  EXPECT_EQ(uint8_t(mk.GetInt(U8(4, 2 + 0))), 0xEE);
  TMK fresh;
  for (int i = 300; i < 420; ++i) ASSERT_EQ(mk.Block(4)[i], fresh.Block(4)[i]) << i;
  // Block 2 with size 4: unchanged.
  for (int i = 0; i < 28; ++i) ASSERT_EQ(mk.Block(2)[i], fresh.Block(2)[i]);
  // Encoding writes back only the 300 bytes the device block has: its
  // trailing bytes and the next block stay as they were.
  const size_t pos = mk.Entry(4).address - 32;
  const auto before = mk.Image();
  mk.Block(4)[299] = 0x11;
  mk.Block(4)[300] = 0x22;
  mk.EncodeBlock(4);
  EXPECT_EQ(mk.Image()[pos + 299], 0x11);
  EXPECT_TRUE(std::equal(before.begin() + long(pos) + 300, before.end(),
                         mk.Image().begin() + long(pos) + 300));
  EXPECT_EQ(mk.Image().size(), before.size());
}

TEST(TMK, EncodeOfAShortDeviceBlockLeavesTheCarriedEntryAlone) {
  // Block 11 is 60 bytes in the model but 24 + 4 in this device, and the
  // carried entry 12 follows right behind it: its bytes go back to the
  // device as they stand, so the encode must not reach them.
  TMK mk;
  auto sizes = FullSizes();
  sizes[11] = 28;
  auto image = ImageWithDirectory(sizes, 8128);
  const size_t pos12 = size_t(image[48] | image[49] << 8) - 32;
  for (int i = 0; i < sizes[12]; ++i) image[pos12 + size_t(i)] = uint8_t(0x40 + i);
  mk.ReplaceImage(image);
  mk.DecodeSettingsBlocks();
  std::fill(mk.Block(11).begin(), mk.Block(11).end(), uint8_t(0x77));
  mk.EncodeSettingsBlocks();
  const size_t pos11 = mk.Entry(11).address - 32;
  for (size_t i = 0; i < 24; ++i) ASSERT_EQ(mk.Image()[pos11 + i], 0x77) << i;
  for (size_t i = 24; i < 28; ++i) EXPECT_EQ(mk.Image()[pos11 + i], 0xEE) << i;
  for (int i = 0; i < sizes[12]; ++i)
    ASSERT_EQ(mk.Image()[pos12 + size_t(i)], uint8_t(0x40 + i)) << i;

  // An image that ends inside such a block grows to the block's end only.
  {
    auto cut = mk.Image();
    cut.resize(pos11 + 5);
    mk.ReplaceImage(cut);
  }
  mk.EncodeBlock(11);
  EXPECT_EQ(mk.Image().size(), pos11 + 24);
}

TEST(TMK, DecodeCopiesAtMostTheBlockSize) {
  TMK mk;
  auto sizes = FullSizes();
  sizes[2] = 200;  // larger in the device than block 2 in the model
  auto image = ImageWithDirectory(sizes, 8128);
  mk.ReplaceImage(image);
  mk.DecodeBlock(2);
  EXPECT_EQ(mk.Block(2).size(), 28u);
  EXPECT_EQ(uint8_t(mk.GetInt(U8(2, 27))), 0xEE);
}

TEST(TMK, PartialCopyFromAShortImageAndGrowthOnEncode) {
  TMK mk;
  auto image = ImageWithDirectory(FullSizes(), 8128);
  const size_t pos7 = size_t(image[28] | image[29] << 8) - 32;
  image.resize(pos7 + 100);  // block 7 cut after 100 bytes
  mk.ReplaceImage(image);
  mk.DecodeBlock(7);
  EXPECT_EQ(uint8_t(mk.GetInt(U8(7, 99))), 0xEE);
  EXPECT_EQ(uint16_t(mk.GetInt(U16(7, 436))), 622);  // tail kept its default
  // Block 13 lies wholly past the end: its copy stays as it was.
  mk.DecodeBlock(13);
  EXPECT_EQ(uint16_t(mk.GetInt(U16(13, 0))), 100);
}

TEST(TMK, EncodeGrowsTheImageAndKeepsTrailingBytes) {
  TMK mk;
  auto image = ImageWithDirectory(FullSizes(), 8128);
  const size_t pos1 = size_t(image[4] | image[5] << 8) - 32;
  mk.ReplaceImage(image);
  mk.EncodeBlock(1);
  // The 4 trailing device bytes after block 1 are not touched.
  for (int i = 0; i < 4; ++i) EXPECT_EQ(mk.Image()[pos1 + 168 + i], 0xEE);
  // An image that ends inside the directory's last block grows on encode.
  {
    auto shorter = mk.Image();
    shorter.resize(pos1 + 10);
    mk.ReplaceImage(shorter);
  }
  mk.EncodeBlock(1);
  EXPECT_EQ(mk.Image().size(), pos1 + 168);
  EXPECT_EQ(mk.Image()[pos1 + 105], 255);
}

TEST(TMK, AddressBeforeTheImageIsRefusedBothWays) {
  TMK mk;
  auto image = ImageWithDirectory(FullSizes(), 8128);
  SetEntry(image, 3, 16, 68);  // address 16 is before image position 0
  mk.ReplaceImage(image);
  const auto before = mk.Image();
  const std::vector<uint8_t> block3(mk.Block(3).begin(), mk.Block(3).end());
  EXPECT_THROW(mk.DecodeBlock(3), RangeError);
  EXPECT_THROW(mk.EncodeBlock(3), RangeError);
  EXPECT_EQ(mk.Image(), before);
  EXPECT_TRUE(std::equal(block3.begin(), block3.end(), mk.Block(3).begin()));
  try {
    mk.DecodeBlock(3);
  } catch (const RangeError& e) {
    EXPECT_NE(std::string(e.what()).find("Range check error"), std::string::npos);
  }
}

TEST(TMK, DirectoryCopyFollowsTheImage) {
  TMK mk;
  mk.ReplaceImage(BuildSampleImage(SampleSetupByName("v8003-32k")));
  EXPECT_EQ(mk.LayoutVersion(), 0u);  // not refreshed until a decode or encode
  mk.DecodeBlock(1);
  EXPECT_EQ(mk.LayoutVersion(), 6u);
  EXPECT_EQ(mk.EntryCountToWrite(), 14u);
  {
    auto edited = mk.Image();
    edited[60] = 9;
    mk.ReplaceImage(edited);
  }
  mk.EncodeBlock(2);
  EXPECT_EQ(mk.LayoutVersion(), 9u);
  // A very short image refreshes only what it has.
  {
    auto shorter = mk.Image();
    shorter.resize(10);
    mk.ReplaceImage(shorter);
  }
  mk.RefreshDirectory();
  EXPECT_EQ(mk.LayoutVersion(), 9u);
}

TEST(TMK, TypedFieldsRefuseWhatDoesNotFit) {
  TMK mk;
  mk.SetInt(S8(2, 0), -128);
  EXPECT_EQ(mk.GetInt(S8(2, 0)), -128);
  EXPECT_EQ(mk.GetInt(U8(2, 0)), 128);
  EXPECT_THROW(mk.SetInt(S8(2, 0), 128), RangeError);
  EXPECT_THROW(mk.SetInt(U8(2, 0), -1), RangeError);
  EXPECT_THROW(mk.SetInt(U16(2, 0), 65536), RangeError);
  EXPECT_THROW(mk.SetValue(U16(2, 0), 2.5), RangeError);
  EXPECT_EQ(mk.GetInt(S8(2, 0)), -128) << "a refused write changes nothing";
  mk.SetInt(S32(2, 4), -70000);
  EXPECT_EQ(mk.GetInt(S32(2, 4)), -70000);
  mk.SetInt(U32(2, 4), 0xFFFFFFFFu);
  EXPECT_EQ(mk.GetInt(U32(2, 4)), 0xFFFFFFFFll);
  EXPECT_EQ(uint8_t(mk.GetInt(U8(2, 4))), 0xFF);
  // Little-endian layout.
  mk.SetInt(U16(2, 8), 0x1234);
  EXPECT_EQ(uint8_t(mk.GetInt(U8(2, 8))), 0x34);
  EXPECT_EQ(uint8_t(mk.GetInt(U8(2, 9))), 0x12);
  mk.SetFloat(F32(2, 12), 0.25);
  EXPECT_DOUBLE_EQ(mk.GetValue(F32(2, 12)), 0.25);
  EXPECT_THROW(mk.SetFloat(F32(2, 12), 1e300), RangeError);
  // Fields outside their block.
  EXPECT_THROW(mk.GetInt(U16(2, 27)), RangeError);
  EXPECT_THROW(mk.SetInt(U8(14, 0), 1), RangeError);
  EXPECT_THROW(mk.GetText(Text(5, 130, 7)), RangeError);
  try {
    mk.SetInt(U8(2, 0), 300);
    FAIL();
  } catch (const RangeError& e) {
    EXPECT_STREQ(e.what(), "Range check error");
  }
}

TEST(TMK, MemoryAndImagePositionsSkipTheFirstPageOfEachHalf) {
  // 8 KiB: image 0..4063 is memory 32..4095, image 4064.. is memory 4128..
  EXPECT_EQ(MemoryPositionOf(0, 8192), 32u);
  EXPECT_EQ(MemoryPositionOf(4063, 8192), 4095u);
  EXPECT_EQ(MemoryPositionOf(4064, 8192), 4128u);
  EXPECT_EQ(MemoryPositionOf(8127, 8192), 8191u);
  EXPECT_EQ(MemoryPositionOf(16351, 32768), 16383u);
  EXPECT_EQ(MemoryPositionOf(16352, 32768), 16416u);

  std::vector<uint8_t> memory(8192);
  for (size_t i = 0; i < memory.size(); ++i) memory[i] = uint8_t(i * 7 + i / 256);
  const std::vector<uint8_t> image = ImageOfMemory(memory);
  ASSERT_EQ(image.size(), 8192u - 64);
  EXPECT_EQ(image[0], memory[32]);
  EXPECT_EQ(image[4063], memory[4095]);
  EXPECT_EQ(image[4064], memory[4128]);
  EXPECT_EQ(image.back(), memory.back());
  // A dump too short to hold the two skipped pages holds no image.
  EXPECT_TRUE(ImageOfMemory(std::vector<uint8_t>(63)).empty());
}

TEST(TMK, OscRecordsComeFromTheirFixedPositions) {
  TMK mk;
  mk.ReplaceImage(BuildSampleImage(SampleSetupByName("v104-8k")));
  mk.LoadOscRecords();
  EXPECT_EQ(mk.OscRecords[0][0], mk.Image()[3542]);
  EXPECT_EQ(mk.OscRecords[1][519], mk.Image()[7606 + 519]);
  {
    auto shorter = mk.Image();
    shorter.resize(3600);
    mk.ReplaceImage(shorter);
  }
  mk.LoadOscRecords();
  EXPECT_EQ(mk.OscRecords[0][57], mk.Image()[3599]);
  EXPECT_EQ(mk.OscRecords[0][58], 0);
  EXPECT_EQ(mk.OscRecords[1][0], 0);
}

TEST(SampleImages, AreConsistentAndDecode) {
  for (const auto& s : SampleImages()) {
    SCOPED_TRACE(s.name);
    TMK mk;
    mk.ReplaceImage(BuildSampleImage(s.setup));
    EXPECT_EQ(mk.Image().size(), s.setup.memorySize - 64);
    mk.DecodeSettingsBlocks();
    EXPECT_EQ(mk.LayoutVersion(), s.setup.layoutVersion);
    // Blocks lie after the directory, inside the first half, without overlap.
    uint32_t end = 32 + kDirectorySize;
    for (int e = 1; e <= 14; ++e) {
      EXPECT_EQ(mk.Entry(e).address, end);
      end += mk.Entry(e).size;
    }
    EXPECT_LE(end, 32u + 3542u);
    EXPECT_EQ(uint16_t(mk.GetInt(U16(11, 4))), s.setup.protocol);
    EXPECT_NE(uint8_t(mk.GetInt(U8(7, 16 + 2))), 0) << "trip journal filled";
    EXPECT_NE(uint32_t(mk.GetInt(U32(12, 16 + 4))), 0u) << "fault journal filled";
    // Encoding what was decoded gives the image back.
    const auto image = mk.Image();
    mk.EncodeSettingsBlocks();
    EXPECT_EQ(mk.Image(), image);
  }
  EXPECT_THROW(SampleSetupByName("nope"), TripError);
}
