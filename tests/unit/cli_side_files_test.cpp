// SPDX-License-Identifier: GPL-3.0-or-later
// tripconf-cli tank and service: export, import, short and foreign files,
// and the comparison of the results, run as a user runs them.
#include <gtest/gtest.h>

#include "cli_runner.h"
#include "model/sample_image.h"
#include "model/service_file.h"
#include "model/settings_file.h"
#include "model/settings_layout.h"
#include "model/tmk.h"
#include "util/files.h"

using namespace tc;
using tc::testing::RunCli;

namespace {

class CliSideFiles : public tc::testing::TempDirTest {
 protected:
  std::string Sample(const char* name, const char* file) {
    const std::string path = P(file);
    const SampleSetup setup = SampleSetupByName(name);
    WriteFileAtomic(path, EncodeSettingsFile(setup.deviceVersion, BuildSampleImage(setup)));
    return path;
  }
  static std::vector<uint8_t> Block(const std::string& settings, int n) {
    TMK mk;
    ReadSettingsFile(mk, settings);
    mk.DecodeSettingsBlocks();
    return {mk.Block(n).begin(), mk.Block(n).end()};
  }
};

}  // namespace

TEST_F(CliSideFiles, ExportThenImportReproducesTheFields) {
  const std::string a = Sample("v104-8k", "a.dvkps");
  const std::string b = Sample("v8003-32k", "b.dvkps");
  ASSERT_EQ(RunCli("set " + a +
                   " sgTarir='10:200 20:400 30:600' seLit6L=7 cbTarirFlagFinish=off "
                   "deTO=01.03.04 eForsTOCntK='Ремень' seUniMeasADC0=12 seMotoHourLim=250")
                .status,
            0);
  ASSERT_EQ(RunCli("tank export " + a + " --out " + P("t.dvkpo")).status, 0);
  ASSERT_EQ(RunCli("service export " + a + " --out " + P("s.dvkpt")).status, 0);
  EXPECT_EQ(ReadWholeFile(P("t.dvkpo")).size(), 245u);
  EXPECT_EQ(ReadWholeFile(P("s.dvkpt")).size(), 125u);

  ASSERT_EQ(RunCli("tank import " + b + " " + P("t.dvkpo") + " --out " + P("c.dvkps")).status, 0);
  ASSERT_EQ(RunCli("service import " + P("c.dvkps") + " " + P("s.dvkpt")).status, 0);
  EXPECT_EQ(RunCli("get " + P("c.dvkps") + " sgTarir deTO eForsTOCntK seLit6L", false).out,
            "10:200 20:400 30:600\n01.03.04\nРемень\n7\n");
  // Exported again, the files are the same bytes.
  ASSERT_EQ(RunCli("tank export " + P("c.dvkps") + " --out " + P("t2.dvkpo")).status, 0);
  ASSERT_EQ(RunCli("service export " + P("c.dvkps") + " --out " + P("s2.dvkpt")).status, 0);
  EXPECT_EQ(ReadWholeFile(P("t2.dvkpo")), ReadWholeFile(P("t.dvkpo")));
  EXPECT_EQ(ReadWholeFile(P("s2.dvkpt")), ReadWholeFile(P("s.dvkpt")));
  // Block 5 travels whole; what b held elsewhere stays.
  const auto blockA = Block(a, 5), blockC = Block(P("c.dvkps"), 5);
  EXPECT_TRUE(std::equal(blockA.begin(), blockA.begin() + kServiceFileSize, blockC.begin()));
  EXPECT_EQ(Block(P("c.dvkps"), 6), Block(b, 6));
  // A byte of block 4 between the tare litres and sensor values.
  const size_t between = layout::kTareLitres[67].offset + 1u;
  EXPECT_EQ(Block(P("c.dvkps"), 4)[between], Block(b, 4)[between]);

  // The comparison names what changed.
  const auto d = RunCli("diff " + b + " " + P("c.dvkps") + " --lang en", false);
  EXPECT_EQ(d.status, 1);
  for (const char* name : {"sgTarir", "seTarirLeng", "seLit6L", "cbTarirFlagFinish", "deTO",
                           "eForsTOCntK", "seUniMeasADC0", "seMotoHourLim"})
    EXPECT_NE(d.out.find(std::string(name) + "\t"), std::string::npos) << name << "\n" << d.out;
}

TEST_F(CliSideFiles, ShortEmptyAndForeignFilesAreRefused) {
  const std::string a = Sample("v104-8k", "a.dvkps");
  const auto original = ReadWholeFile(a);
  WriteFileAtomic(P("short.dvkpo"), std::vector<uint8_t>(40, 0));
  WriteFileAtomic(P("empty.dvkpt"), std::vector<uint8_t>());
  WriteFileAtomic(P("long.dvkpt"), std::vector<uint8_t>(126, 0));

  auto r = RunCli("tank import " + a + " " + P("short.dvkpo") + " --lang en");
  EXPECT_NE(r.status, 0);
  EXPECT_NE(r.out.find("holds only 40 of the 245 bytes"), std::string::npos) << r.out;
  r = RunCli("service import " + a + " " + P("empty.dvkpt") + " --partial --lang en");
  EXPECT_NE(r.status, 0);
  EXPECT_NE(r.out.find("is empty"), std::string::npos) << r.out;
  r = RunCli("service import " + a + " " + P("long.dvkpt") + " --lang ru");
  EXPECT_NE(r.status, 0);
  EXPECT_NE(r.out.find("126 байт вместо 125"), std::string::npos) << r.out;
  EXPECT_EQ(ReadWholeFile(a), original);

  // With --partial the 40 bytes are taken as far as they reach: up to the
  // tare count, and not the slope mark or the rows.
  r = RunCli("tank import " + a + " " + P("short.dvkpo") + " --partial --out " + P("n.dvkps"));
  EXPECT_EQ(r.status, 0) << r.out;
  EXPECT_EQ(RunCli("get " + P("n.dvkps") + " seOil43L seOilCalibrQuant", false).out, "0\n0\n");
  EXPECT_EQ(RunCli("get " + P("n.dvkps") + " sgTarir", false).out, "\n");
  for (const FieldRef f : {layout::kTarirSlopeMark, layout::kTareLitres[0]})
    EXPECT_EQ(Block(P("n.dvkps"), 4)[f.offset], Block(a, 4)[f.offset]);

  EXPECT_NE(RunCli("tank frobnicate " + a).status, 0);
  EXPECT_NE(RunCli("tank export " + a).status, 0);  // --out is required
}
