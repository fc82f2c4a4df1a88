// SPDX-License-Identifier: GPL-3.0-or-later
// write --dry-run against tripsim: it goes as far as a write goes before its
// first write command, lists what the write would change and leaves the
// device's memory as it was.
#include <gtest/gtest.h>

#include <set>

#include "harness.h"
#include "link/mk_transfer.h"
#include "model/sample_image.h"
#include "model/settings_file.h"
#include "model/tmk.h"
#include "util/files.h"

using namespace tc;
using namespace tc::e2e;

namespace {

// The setting names of the listed lines ("name<TAB>label<TAB>a -> b").
std::set<std::string> ListedSettings(const std::string& out) {
  std::set<std::string> names;
  size_t at = 0;
  while (at < out.size()) {
    const size_t end = out.find('\n', at);
    const std::string line = out.substr(at, end == std::string::npos ? end : end - at);
    if (!line.empty() && line[0] != '#' && line.find('\t') != std::string::npos)
      names.insert(line.substr(0, line.find('\t')));
    if (end == std::string::npos) break;
    at = end + 1;
  }
  return names;
}

class WriteDryRun : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(fs::exists(TRIPSIM)) << "tripsim was not built"; }
  TempDir tmp;
};

TEST_F(WriteDryRun, ListsTheChangesSinceTheReadAndWritesNothing) {
  Sim sim(tmp.path, {"--sample", "v8002-8k"});
  ASSERT_TRUE(sim.Running());
  const auto original = BuildSampleImage(SampleSetupByName("v8002-8k"));
  const std::string file = (tmp.path / "read.dvkps").string();
  ASSERT_EQ(RunCli(tmp.path, {"read", "--port", sim.Port(), "--out", file}).code, 0);

  // Unchanged since the read: nothing would change.
  CliResult r =
      RunCli(tmp.path, {"write", "--port", sim.Port(), "--dry-run", "--lang", "en", file});
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_NE(r.out.find("Version check: the settings fit the device"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("The write would change no setting in the device"), std::string::npos);
  EXPECT_TRUE(ListedSettings(r.out).empty()) << r.out;

  ASSERT_EQ(RunCli(tmp.path,
                   {"set", file, "seTankContFull=75", "seVelocityLimit=130", "day.palette.1=1,2,3"})
                .code,
            0);
  r = RunCli(tmp.path, {"write", "--port", sim.Port(), "--dry-run", "--lang", "en", file});
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(ListedSettings(r.out),
            (std::set<std::string>{"seTankContFull", "seVelocityLimit", "day.palette.1"}))
      << r.out;
  EXPECT_NE(r.out.find("seTankContFull\tFull tank (petrol), l\t50 -> 75"), std::string::npos)
      << r.out;
  EXPECT_NE(r.err.find("Dry run: nothing was written to the device"), std::string::npos);

  // Nothing was sent, and no backup was made for a write that did not happen.
  EXPECT_EQ(ImageOfMemory(sim.Dump()), original);
  EXPECT_NE(sim.Log().find(" 0 blocks written"), std::string::npos) << sim.Log();
  EXPECT_FALSE(fs::exists(tmp.path / "data" / "tripconf" / "backups"));
}

TEST_F(WriteDryRun, SaysWhenTheVersionsDoNotFit) {
  Sim sim(tmp.path, {"--sample", "v104-8k"});
  ASSERT_TRUE(sim.Running());
  const SampleSetup other = SampleSetupByName("v8002-8k");
  const std::string file = (tmp.path / "other.dvkps").string();
  WriteFileAtomic(file, EncodeSettingsFile(other.deviceVersion, BuildSampleImage(other)));
  const CliResult r =
      RunCli(tmp.path, {"write", "--port", sim.Port(), "--dry-run", "--lang", "ru", file});
  EXPECT_EQ(r.code, 1);
  EXPECT_NE(r.out.find("Проверка версий: Версия настроек не совпадает с версией устройства!"),
            std::string::npos)
      << r.out << r.err;
  EXPECT_EQ(ImageOfMemory(sim.Dump()), BuildSampleImage(SampleSetupByName("v104-8k")));
}

}  // namespace
