// SPDX-License-Identifier: GPL-3.0-or-later
// Every fault tripsim can play against `tripconf-cli read` and `write`: the
// message, the exit status, the file and what the device holds afterwards.
// A write that breaks off names its backup, and writing that backup puts
// the device's memory back byte for byte.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdio>

#include "harness.h"
#include "model/sample_image.h"
#include "model/settings_file.h"
#include "model/settings_layout.h"
#include "model/tmk.h"
#include "util/files.h"

using namespace tc;
using namespace tc::e2e;
using Bytes = std::vector<uint8_t>;

namespace {

enum class Outcome {
  Done,         // the exchange went through (retries included), byte-exact
  NothingDone,  // refused or given up before anything was written
  BrokenWrite,  // the device holds part of the new settings
};

struct Row {
  const char* name;
  std::vector<std::string> fault;
  bool write;
  int code;
  // Lines the user sees on stderr, in this order (each one a substring).
  std::vector<std::string> messages;
  Outcome outcome;
};

// The probe and the image read take 255 replies; the write of the sample's
// 14 entries about 110 more. 0 hits the probe, 100 the read, 300 the write.
const Row kRows[] = {
    {"NoEchoRead", {"--no-echo"}, false, 130, {"No device answered"}, Outcome::NothingDone},
    {"NoEchoWrite", {"--no-echo"}, true, 130, {"No device answered"}, Outcome::NothingDone},
    {"BusyRead",
     {"--busy"},
     false,
     130,
     {"No device answered: Устройство занято. Возможно, оно находится в режиме местного "
      "управления."},
     Outcome::NothingDone},
    {"BusyWrite",
     {"--busy"},
     true,
     130,
     {"No device answered: Устройство занято."},
     Outcome::NothingDone},
    {"AllChecksumsBadRead",
     {"--bad-checksum", "1"},
     false,
     130,
     {"No device answered: RS232. Exchange error.(0)"},
     Outcome::NothingDone},
    {"AllChecksumsBadWrite",
     {"--bad-checksum", "1"},
     true,
     130,
     {"No device answered: RS232. Exchange error.(0)"},
     Outcome::NothingDone},
    {"ThirdOfChecksumsBadRead",
     {"--bad-checksum", "0.3"},
     false,
     1,
     {"tripconf-cli read: RS232. Exchange error.(0)"},
     Outcome::NothingDone},
    {"ThirdOfChecksumsBadWrite",
     {"--bad-checksum", "0.3"},
     true,
     1,
     {"tripconf-cli write: RS232. Exchange error.(0)"},
     Outcome::NothingDone},
    {"ThirdOfRepliesDroppedRead",
     {"--drop-reply", "0.3"},
     false,
     1,
     {"tripconf-cli read: RS232. No link. Check PC-device connection."},
     Outcome::NothingDone},
    {"ThirdOfRepliesDroppedWrite",
     {"--drop-reply", "0.3"},
     true,
     1,
     {"tripconf-cli write: RS232. No link. Check PC-device connection."},
     Outcome::NothingDone},
    // Retries hide rarer faults; the result is then exact.
    {"SomeChecksumsBadRead",
     {"--bad-checksum", "0.05", "--seed", "3"},
     false,
     0,
     {"The settings were saved to"},
     Outcome::Done},
    {"SomeChecksumsBadWrite",
     {"--bad-checksum", "0.05", "--seed", "3"},
     true,
     0,
     {"The settings are recorded in the device"},
     Outcome::Done},
    {"SomeRepliesDroppedRead",
     {"--drop-reply", "0.02", "--seed", "3"},
     false,
     0,
     {"The settings were saved to"},
     Outcome::Done},
    {"SomeRepliesDroppedWrite",
     {"--drop-reply", "0.02", "--seed", "3"},
     true,
     0,
     {"The settings are recorded in the device"},
     Outcome::Done},
    {"StallInTheProbeRead",
     {"--stall-after", "0"},
     false,
     130,
     {"No device answered"},
     Outcome::NothingDone},
    {"StallInTheProbeWrite",
     {"--stall-after", "0"},
     true,
     130,
     {"No device answered"},
     Outcome::NothingDone},
    {"StallInTheReadRead",
     {"--stall-after", "100"},
     false,
     1,
     {"tripconf-cli read: RS232. No link. Check PC-device connection."},
     Outcome::NothingDone},
    {"StallInTheReadWrite",
     {"--stall-after", "100"},
     true,
     1,
     {"tripconf-cli write: RS232. No link. Check PC-device connection."},
     Outcome::NothingDone},
    {"StallInTheWriteRead",
     {"--stall-after", "300"},
     false,
     0,
     {"The settings were saved to"},
     Outcome::Done},
    {"StallInTheWriteWrite",
     {"--stall-after", "300"},
     true,
     1,
     {"tripconf-cli write: RS232. No link. Check PC-device connection.",
      "The device's previous settings were saved to:"},
     Outcome::BrokenWrite},
    {"VanishInTheProbeRead",
     {"--vanish-after", "0"},
     false,
     130,
     {"No device answered"},
     Outcome::NothingDone},
    {"VanishInTheProbeWrite",
     {"--vanish-after", "0"},
     true,
     130,
     {"No device answered"},
     Outcome::NothingDone},
    {"VanishInTheReadRead",
     {"--vanish-after", "100"},
     false,
     1,
     {"tripconf-cli read: RS232. No link. Check PC-device connection."},
     Outcome::NothingDone},
    {"VanishInTheReadWrite",
     {"--vanish-after", "100"},
     true,
     1,
     {"tripconf-cli write: RS232. No link. Check PC-device connection."},
     Outcome::NothingDone},
    {"VanishInTheWriteRead",
     {"--vanish-after", "300"},
     false,
     0,
     {"The settings were saved to"},
     Outcome::Done},
    {"VanishInTheWriteWrite",
     {"--vanish-after", "300"},
     true,
     1,
     {"tripconf-cli write: RS232. No link. Check PC-device connection.",
      "The device's previous settings were saved to:"},
     Outcome::BrokenWrite},
};

void PrintTo(const Row& row, std::ostream* os) {
  *os << row.name;
}

void SaveFile(const fs::path& p, uint16_t version, const Bytes& image) {
  WriteFileAtomic(p.string(), EncodeSettingsFile(version, image));
}

class FaultMatrix : public ::testing::TestWithParam<Row> {
 protected:
  void SetUp() override { ASSERT_TRUE(fs::exists(TRIPSIM)) << "tripsim was not built"; }
  TempDir tmp;
};

TEST_P(FaultMatrix, CommandLine) {
  const Row& row = GetParam();
  const Bytes device = BuildSampleImage(SampleSetupByName("v104-8k"));
  SaveFile(tmp.path / "device.dvkps", 0x104, device);
  // The user's settings: the device's layout with two changed blocks.
  TMK mk;
  mk.ReplaceImage(device, 0x104);
  mk.DecodeSettingsBlocks();
  mk.SetInt(layout::kOil6L, 1111);
  mk.SetInt(layout::kSumFields[0].time, 987654);
  mk.SetInt(layout::kCargoDens, 777);  // the last entry: a write that breaks off misses it
  mk.EncodeSettingsBlocks();
  const Bytes user = mk.Image();
  const fs::path userFile = tmp.path / "user.dvkps";
  SaveFile(userFile, 0x104, user);
  const Bytes userBytes = SlurpBytes(userFile);
  const fs::path out = tmp.path / "out.dvkps";
  WriteFileAtomic(out.string(), std::string("previous contents"));

  std::vector<std::string> simArgs = {"--image", (tmp.path / "device.dvkps").string()};
  simArgs.insert(simArgs.end(), row.fault.begin(), row.fault.end());
  Sim sim(tmp.path, simArgs);
  ASSERT_TRUE(sim.Running());
  std::vector<std::string> args = {
      row.write ? "write" : "read", "--port", sim.Port(), "--wait", "2", "--lang", "en"};
  if (row.write)
    args.push_back(userFile.string());
  else
    args.insert(args.end(), {"--out", out.string()});
  const auto start = std::chrono::steady_clock::now();
  const CliResult r = RunCli(tmp.path, args);
  const auto took = std::chrono::steady_clock::now() - start;
  const Bytes after = ImageOfMemory(sim.Dump());
  // A device that is gone is noticed at once, not after every time-out
  // (a vanished pseudo-terminal reads as empty with a hang-up).
  if (row.fault[0] == "--vanish-after" && row.code == 1) {
    EXPECT_LT(took, std::chrono::seconds(5));
  }

  EXPECT_EQ(r.code, row.code) << r.err;
  size_t at = 0;
  const std::string said = r.err + r.out;
  for (const auto& m : row.messages) {
    const size_t found = said.find(m, at);
    EXPECT_NE(found, std::string::npos) << "missing: " << m << "\nin: " << said;
    if (found != std::string::npos) at = found + m.size();
  }
  // The user's own file is never touched.
  EXPECT_EQ(SlurpBytes(userFile), userBytes);

  const fs::path backups = tmp.path / "data" / "tripconf" / "backups";
  if (!row.write) {
    EXPECT_EQ(after, device) << "a read changed the device";
    if (row.outcome == Outcome::Done) {
      TMK read;
      ReadSettingsFile(read, out.string());
      EXPECT_EQ(read.Image(), device);
      EXPECT_EQ(read.DeviceVersion, 0x104);
    } else {
      EXPECT_EQ(Slurp(out), "previous contents") << "a failed read touched the file";
    }
    return;
  }
  switch (row.outcome) {
    case Outcome::Done:
      EXPECT_EQ(after, user);
      break;
    case Outcome::NothingDone:
      EXPECT_EQ(after, device);
      EXPECT_FALSE(fs::exists(backups));
      break;
    case Outcome::BrokenWrite: {
      EXPECT_NE(after, device);
      EXPECT_NE(after, user);
      ASSERT_TRUE(fs::is_directory(backups));
      const fs::path backup = fs::directory_iterator(backups)->path();
      EXPECT_NE(r.err.find(backup.string()), std::string::npos) << r.err;
      // Private, and what the device held before.
      struct stat st {};
      ASSERT_EQ(::stat(backup.c_str(), &st), 0);
      EXPECT_EQ(st.st_mode & 0777, 0600u);
      TMK held;
      ReadSettingsFile(held, backup.string());
      EXPECT_EQ(held.Image(), device);

      // The half-written device, healthy again: writing the backup restores
      // its memory byte for byte.
      SaveFile(tmp.path / "broken.dvkps", 0x104, after);
      TempDir again;
      Sim fixed(again.path, {"--image", (tmp.path / "broken.dvkps").string()});
      ASSERT_TRUE(fixed.Running());
      const CliResult w = RunCli(again.path, {"write", "--port", fixed.Port(), backup.string()});
      EXPECT_EQ(w.code, 0) << w.err;
      EXPECT_EQ(ImageOfMemory(fixed.Dump()), device);
      break;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Faults, FaultMatrix, ::testing::ValuesIn(kRows),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(VerifyAfterWrite, ADeviceThatLosesAChunkIsCaughtByBlockAndOffset) {
  TempDir tmp;
  const Bytes device = BuildSampleImage(SampleSetupByName("v104-8k"));
  SaveFile(tmp.path / "device.dvkps", 0x104, device);
  TMK mk;
  mk.ReplaceImage(device, 0x104);
  mk.DecodeSettingsBlocks();
  // The first chunk sent is block 1's bytes 0..31.
  mk.SetInt(layout::kSumFields[0].distance, 0x01020304);
  mk.EncodeSettingsBlocks();
  SaveFile(tmp.path / "user.dvkps", 0x104, mk.Image());

  // A device that keeps what it is sent: --verify agrees.
  {
    Sim sim(tmp.path, {"--image", (tmp.path / "device.dvkps").string()});
    ASSERT_TRUE(sim.Running());
    const CliResult r = RunCli(tmp.path, {"write", "--verify", "--port", sim.Port(), "--lang", "en",
                                          (tmp.path / "user.dvkps").string()});
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_NE(r.out.find("Check: the device holds what was written"), std::string::npos) << r.out;
  }
  // One that acknowledges the first chunk and drops it.
  Sim sim(tmp.path, {"--image", (tmp.path / "device.dvkps").string(), "--drop-chunk", "1"});
  ASSERT_TRUE(sim.Running());
  const CliResult r = RunCli(tmp.path, {"write", "--verify", "--port", sim.Port(), "--lang", "en",
                                        (tmp.path / "user.dvkps").string()});
  EXPECT_EQ(r.code, 1);
  // The device stored the chunk as zeros: the first byte of block 1 that
  // is not zero is the difference.
  int first = 0;
  while (first < 32 && mk.Block(1)[size_t(first)] == 0) ++first;
  ASSERT_LT(first, 32);
  char expected[128];
  std::snprintf(expected, sizeof expected,
                "The device does not hold what was written: block 1, offset %d: written 0x%02X, "
                "in the device 0x00",
                first, mk.Block(1)[size_t(first)]);
  EXPECT_NE(r.err.find(expected), std::string::npos) << r.err;
  EXPECT_NE(r.err.find("The device's previous settings were saved to:\n" +
                       (tmp.path / "data" / "tripconf" / "backups").string()),
            std::string::npos)
      << r.err;
}

}  // namespace
