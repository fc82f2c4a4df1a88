// SPDX-License-Identifier: GPL-3.0-or-later
// tripconf-cli journals / osc against sample settings files.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "cli_runner.h"
#include "model/journal_tables.h"
#include "model/sample_image.h"
#include "model/settings_file.h"
#include "model/tmk.h"
#include "util/files.h"

using namespace tc;
namespace fs = std::filesystem;

namespace {

using tc::testing::RunCli;

class CliViewers : public tc::testing::TempDirTest {
 protected:
  void SetUp() override {
    TempDirTest::SetUp();
    // Decimal points, whatever the locale of the machine running the tests.
    setenv("LC_ALL", "C", 1);
    sample_ = P("s.dvkps");
    const SampleSetup setup = SampleSetupByName("v104-8k");
    image_ = BuildSampleImage(setup);
    WriteFileAtomic(sample_, EncodeSettingsFile(setup.deviceVersion, image_));
  }
  std::string Path(const std::string& name) const { return P(name); }

  std::string sample_;
  std::vector<uint8_t> image_;
};

}  // namespace

TEST_F(CliViewers, JournalExportIsTheViewersFile) {
  const auto before = ReadWholeFile(sample_);
  const std::string out = Path("trips.txt");
  const auto r =
      RunCli("journals '" + sample_ + "' --table trips --lang ru --export '" + out + "'");
  ASSERT_EQ(r.status, 0) << r.out;

  TMK mk;
  ReadSettingsFile(mk, sample_);
  mk.DecodeSettingsBlocks();
  const auto bytes = ReadWholeFile(out);
  EXPECT_EQ(std::string(bytes.begin(), bytes.end()),
            TableExportText(JournalTable(mk, Journal::Trips, {false, '.'})));
  EXPECT_EQ(ReadWholeFile(sample_), before);  // the settings file is never changed
}

TEST_F(CliViewers, TablesPrintedOneRowPerLine) {
  auto r = RunCli("journals '" + sample_ + "' --table refuels --lang en");
  ASSERT_EQ(r.status, 0) << r.out;
  EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 22);
  EXPECT_EQ(r.out.rfind("#\tDate and time of rec.\tTravel time\t", 0), 0u) << r.out;

  // Without --kind the protocol the file's settings select decides the form.
  r = RunCli("journals '" + sample_ + "' --table faults --lang en");
  ASSERT_EQ(r.status, 0) << r.out;
  EXPECT_NE(r.out.find("0\t9:12 12.09\t0133\n"), std::string::npos) << r.out;
  r = RunCli("journals '" + sample_ + "' --table faults --lang en --kind 0");
  ASSERT_EQ(r.status, 0) << r.out;
  EXPECT_NE(r.out.find("\tP0133\n"), std::string::npos) << r.out;

  r = RunCli("journals '" + sample_ + "' --table stored --record 1 --lang en");
  ASSERT_EQ(r.status, 0) << r.out;
  EXPECT_EQ(r.out.rfind("Trouble code\tP0301\n", 0), 0u) << r.out;
  EXPECT_NE(r.out.find("Control module voltage, V\t14.5\n"), std::string::npos) << r.out;

  r = RunCli("journals '" + sample_ + "' --table sums --record 7 --lang en");
  ASSERT_EQ(r.status, 0) << r.out;
  EXPECT_EQ(r.out.rfind("Time\t210:00\n", 0), 0u) << r.out;
}

TEST_F(CliViewers, JournalMistakesAreReported) {
  auto r = RunCli("journals '" + sample_ + "' --table stored --record 7");
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.out.find("0 to 6"), std::string::npos) << r.out;
  r = RunCli("journals '" + sample_ + "' --table nonsense");
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.out.find("--table takes"), std::string::npos) << r.out;
  r = RunCli("journals '" + sample_ + "' --table trips --record 2");
  EXPECT_EQ(r.status, 1);
  r = RunCli("journals '" + Path("missing.dvkps") + "'");
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.out.find("missing.dvkps"), std::string::npos) << r.out;
  r = RunCli("journals '" + sample_ + "' --export '" + Path("no/such/folder/x.txt") + "'");
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.out.find("x.txt"), std::string::npos) << r.out;
}

TEST_F(CliViewers, OscTextsAndPlot) {
  const std::string png = Path("plot.png");
  auto r = RunCli("osc '" + sample_ + "' --lang en --timebase 0 --offset 32 --png '" + png + "'");
  ASSERT_EQ(r.status, 0) << r.out;
  EXPECT_NE(r.out.find("time base\t\"0.5\"\n"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("volts per division\t\"  5\"\n"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("input divider\t\" 1:10\"\n"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("zoom\t4.000\n"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("trigger level\t25.0V\n"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("time offset\t2.0ms\n"), std::string::npos) << r.out;
  const auto bytes = ReadWholeFile(png);
  ASSERT_GT(bytes.size(), 8u);
  EXPECT_EQ(std::string(bytes.begin() + 1, bytes.begin() + 4), "PNG");

  r = RunCli("osc '" + sample_ + "' --offset 993");
  EXPECT_EQ(r.status, 1);
  r = RunCli("osc '" + sample_ + "' --timebase 10");
  EXPECT_EQ(r.status, 1);
}

TEST_F(CliViewers, OscHeaderOutOfRangeWritesNoPlot) {
  std::vector<uint8_t> image = image_;
  image[kOscRecordPos[1]] = 12;  // recording time base outside its table
  const std::string bad = Path("bad.dvkps");
  WriteFileAtomic(bad, EncodeSettingsFile(0x104, image));
  const std::string png = Path("bad.png");
  const auto r = RunCli("osc '" + bad + "' --png '" + png + "'");
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.out.find("time-base index 12"), std::string::npos) << r.out;
  EXPECT_FALSE(fs::exists(png));
}

TEST_F(CliViewers, OscRefusedWithoutTheOscilloscope) {
  const SampleSetup setup = SampleSetupByName("ve01-32k");
  WriteFileAtomic(P("e01.dvkps"), EncodeSettingsFile(setup.deviceVersion, BuildSampleImage(setup)));
  auto r = RunCli("osc '" + P("e01.dvkps") + "' --lang en --png '" + P("e01.png") + "'");
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.out.find("The oscilloscope is not supported in this version of the device."),
            std::string::npos)
      << r.out;
  EXPECT_FALSE(fs::exists(P("e01.png")));
}
