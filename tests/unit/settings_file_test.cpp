// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/settings_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>

#include "model/sample_image.h"
#include "model/tmk.h"
#include "util/errors.h"
#include "util/files.h"
#include "util/text_pair.h"

using namespace tc;
namespace fs = std::filesystem;

namespace {
class SettingsFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           ("tripconf-sf-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
            "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }
  std::string Path(const std::string& name) const { return (dir_ / name).string(); }
  void WriteRaw(const std::string& name, const std::vector<uint8_t>& bytes) {
    std::ofstream(Path(name), std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
  }
  fs::path dir_;
};
}  // namespace

TEST(ScrambleTable, IsTheCommittedOne) {
  // Files written with one table are readable only with the same one: this
  // sum catches any accidental edit of the table.
  uint32_t sum = 0;
  for (size_t i = 0; i < kScrambleTable.size(); ++i) sum = sum * 31 + kScrambleTable[i];
  EXPECT_EQ(kScrambleTable[0], 0xF0);
  EXPECT_EQ(kScrambleTable[4095], 0x6E);
  EXPECT_EQ(sum, 1346550491u);
}

TEST(SettingsFileFormat, LayoutAndWrapOfTheTable) {
  std::vector<uint8_t> image(5000);
  for (size_t i = 0; i < image.size(); ++i) image[i] = uint8_t(i * 7);
  const auto file = EncodeSettingsFile(0x8003, image);
  ASSERT_EQ(file.size(), 5002u);
  EXPECT_EQ(file[0], 0x03);
  EXPECT_EQ(file[1], 0x80);
  for (size_t i = 0; i < 4096; ++i) ASSERT_EQ(file[i + 2], image[i] ^ kScrambleTable[i]);
  for (size_t i = 4096; i < 5000; ++i)
    ASSERT_EQ(file[i + 2], image[i] ^ kScrambleTable[i - 4096]) << i;
  const auto back = DecodeSettingsFile(file);
  EXPECT_EQ(back.deviceVersion, 0x8003);
  EXPECT_EQ(back.image, image);
}

TEST_F(SettingsFileTest, SaveLoadSaveGivesIdenticalFiles) {
  TMK mk;
  mk.ReplaceImage(BuildSampleImage(SampleSetupByName("v8003-32k")));
  mk.DeviceVersion = 0x8003;
  WriteSettingsFile(mk, Path("a.dvkps"));
  TMK other;
  ReadSettingsFile(other, Path("a.dvkps"));
  EXPECT_EQ(other.DeviceVersion, 0x8003);
  EXPECT_EQ(other.Image(), mk.Image());
  other.DecodeSettingsBlocks();
  other.EncodeSettingsBlocks();
  WriteSettingsFile(other, Path("b.dvkps"));
  EXPECT_EQ(ReadWholeFile(Path("a.dvkps")), ReadWholeFile(Path("b.dvkps")));
  EXPECT_EQ(fs::file_size(Path("a.dvkps")), 32704u + 2);
}

TEST_F(SettingsFileTest, FilesThatAreNotOfThisDeviceAreRefusedAndTheModelKept) {
  using Bytes = std::vector<uint8_t>;
  const Bytes sample = BuildSampleImage(SampleSetupByName("v104-8k"));
  auto with = [&](std::function<void(Bytes&)> damage) {
    Bytes image = sample;
    damage(image);
    return image;
  };
  auto entry = [](Bytes& image, int k, uint16_t address, uint16_t size) {
    image[size_t(4 * k)] = uint8_t(address), image[size_t(4 * k + 1)] = uint8_t(address >> 8);
    image[size_t(4 * k + 2)] = uint8_t(size), image[size_t(4 * k + 3)] = uint8_t(size >> 8);
  };
  std::string text = "[Common]\nEnglishVersion=1\n";
  while (text.size() < 9000) text += "Just a text file renamed to .dvkps\n";
  const struct Case {
    const char* name;
    Bytes file;  // whole file
    const char* problem;
  } cases[] = {
      {"two bytes", {0x04, 0x01}, "shorter than the block directory"},
      {"text file", Bytes(text.begin(), text.end()), "too many entries"},
      {"cut inside the directory", Bytes(sample.begin(), sample.begin() + 40), "shorter than"},
      {"too many entries", with([](Bytes& i) { i[0] = 15; }), "too many entries (15 > 14)"},
      {"size below 4", with([&](Bytes& i) { entry(i, 7, 900, 3); }),
       "entry 7 (900, 3): size below 4"},
      {"before the image", with([&](Bytes& i) { entry(i, 2, 16, 32); }),
       "entry 2 (16, 32): address"},
      {"past the end", with([&](Bytes& i) { entry(i, 13, 8000, 400); }),
       "entry 13 (8000, 400): reaches past"},
      {"truncated file", Bytes(sample.begin(), sample.begin() + 2000), "reaches past the end"},
      {"written entry 12", with([&](Bytes& i) { entry(i, 12, 0, 0); }), "entry 12 (0, 0)"},
      {"layout version", with([](Bytes& i) { i[61] = 1; }), "layout version is out of range (259)"},
  };
  SetEnglishVersion(true);
  TMK mk;
  mk.ReplaceImage(BuildSampleImage(SampleSetupByName("v8002-8k")));
  mk.DeviceVersion = 0x8002;
  mk.DecodeSettingsBlocks();
  const Bytes image = mk.Image();
  const auto directory = mk.Directory();
  const Bytes block7(mk.Block(7).begin(), mk.Block(7).end());
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    // The cases hold images; the text file is a whole file as it stands.
    const bool whole = std::string(c.name) == "text file" || std::string(c.name) == "two bytes";
    if (whole)
      WriteRaw("x.dvkps", c.file);
    else
      WriteFileAtomic(Path("x.dvkps"), EncodeSettingsFile(0x104, c.file));
    try {
      ReadSettingsFile(mk, Path("x.dvkps"));
      ADD_FAILURE() << "accepted";
    } catch (const FileError& e) {
      const std::string what = e.what();
      EXPECT_NE(what.find("x.dvkps': this is not a settings file of the device"), std::string::npos)
          << what;
      EXPECT_NE(what.find(c.problem), std::string::npos) << what;
    }
    EXPECT_EQ(mk.Image(), image);
    EXPECT_EQ(mk.DeviceVersion, 0x8002);
    EXPECT_EQ(mk.Directory(), directory);
    EXPECT_TRUE(std::equal(block7.begin(), block7.end(), mk.Block(7).begin()));
  }
  SetEnglishVersion(false);

  // What devices really hold still loads: entry 12 not written and left
  // empty, entry 14 empty on older devices.
  for (auto damage :
       std::vector<std::function<void(Bytes&)>>{[&](Bytes& i) { i[0] = 11, entry(i, 12, 0, 0); },
                                                [&](Bytes& i) { entry(i, 14, 3200, 0); }}) {
    WriteFileAtomic(Path("ok.dvkps"), EncodeSettingsFile(0x104, with(damage)));
    ReadSettingsFile(mk, Path("ok.dvkps"));
    EXPECT_EQ(mk.DeviceVersion, 0x104);
  }
}

TEST_F(SettingsFileTest, RefusedFilesLeaveTheModelUnchanged) {
  TMK mk;
  mk.ReplaceImage({9, 8, 7});
  mk.DeviceVersion = 0x777;
  WriteRaw("one.dvkps", {0x04});
  WriteRaw("empty.dvkps", {});
  WriteRaw("huge.dvkps", std::vector<uint8_t>(65536 + 3, 0));
  for (const char* name : {"one.dvkps", "empty.dvkps", "huge.dvkps", "missing.dvkps"}) {
    SCOPED_TRACE(name);
    try {
      ReadSettingsFile(mk, Path(name));
      ADD_FAILURE() << "accepted";
    } catch (const FileError& e) {
      EXPECT_NE(std::string(e.what()).find(name), std::string::npos) << e.what();
    }
    EXPECT_EQ(mk.Image(), (std::vector<uint8_t>{9, 8, 7}));
    EXPECT_EQ(mk.DeviceVersion, 0x777);
  }
  EXPECT_THROW(ReadSettingsFile(mk, dir_.string()), FileError);  // a folder
  // The largest memory is still accepted.
  auto big = BuildSampleImage(SampleSetupByName("v8003-32k"));
  big.resize(65536, 0xFF);
  WriteFileAtomic(Path("max.dvkps"), EncodeSettingsFile(0x8003, big));
  ReadSettingsFile(mk, Path("max.dvkps"));
  EXPECT_EQ(mk.Image().size(), 65536u);
}

TEST_F(SettingsFileTest, FailedWriteKeepsTheOldFile) {
  TMK mk;
  mk.ReplaceImage({1, 2, 3, 4});
  WriteSettingsFile(mk, Path("keep.dvkps"));
  const auto before = ReadWholeFile(Path("keep.dvkps"));
  // A target inside a missing folder fails without touching anything else.
  EXPECT_THROW(WriteSettingsFile(mk, Path("no/such/dir/x.dvkps")), FileError);
  // Replacing a folder's name with a file is refused; the folder survives.
  fs::create_directories(Path("adir/inner"));
  EXPECT_THROW(WriteSettingsFile(mk, Path("adir")), FileError);
  EXPECT_TRUE(fs::is_directory(Path("adir/inner")));
  EXPECT_EQ(ReadWholeFile(Path("keep.dvkps")), before);
  // No temporary files are left behind.
  int files = 0;
  for (const auto& e : fs::directory_iterator(dir_)) files += e.is_regular_file();
  EXPECT_EQ(files, 1);
}
