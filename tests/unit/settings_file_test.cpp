#include "model/settings_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "model/sample_image.h"
#include "model/tmk.h"
#include "util/errors.h"
#include "util/files.h"

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

TEST_F(SettingsFileTest, TwoByteFileGivesAnEmptyImage) {
  WriteRaw("two.dvkps", {0x04, 0x01});
  TMK mk;
  mk.ReplaceImage({1, 2, 3});
  ReadSettingsFile(mk, Path("two.dvkps"));
  EXPECT_EQ(mk.DeviceVersion, 0x104);
  EXPECT_TRUE(mk.Image().empty());
  // Decoding then stops with a range error (the directory is all zero).
  EXPECT_THROW(mk.DecodeBlock(1), RangeError);
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
  WriteRaw("max.dvkps", std::vector<uint8_t>(65536 + 2, 0));
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
