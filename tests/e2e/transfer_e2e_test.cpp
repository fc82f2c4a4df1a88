// SPDX-License-Identifier: GPL-3.0-or-later
// Reads and writes against tripsim on a pseudo-terminal, through the core
// transfers in this process and through tripconf-cli.
#include <gtest/gtest.h>

#include "harness.h"
#include "link/mk_transfer.h"
#include "link/ml_rs.h"
#include "model/sample_image.h"
#include "model/settings_file.h"
#include "model/tmk.h"
#include "util/files.h"
#include "util/text_pair.h"

using namespace tc;
using namespace tc::e2e;
using Bytes = std::vector<uint8_t>;

namespace {

class Recorder : public TransferObserver {
 public:
  std::vector<int> gauge;
  std::vector<std::string> errors, infos;
  int pumps = 0, cancelAfterPumps = -1;
  void SetLabel(const std::string&) override {}
  void SetGauge(int p) override { gauge.push_back(p); }
  void SetCancelVisible(bool) override {}
  bool Cancelled() const override { return cancelAfterPumps >= 0 && pumps >= cancelAfterPumps; }
  void Pump() override { ++pumps; }
  void ShowError(const std::string& t) override { errors.push_back(t); }
  void ShowInfo(const std::string& t) override { infos.push_back(t); }
};

// A link on the simulator's port, as the main window sets it up.
std::unique_ptr<TML_RS> OpenLink(const Sim& sim) {
  LinkPlatform p = PosixLinkPlatform();
  p.ShowError = nullptr;
  auto rs = std::make_unique<TML_RS>(p);
  rs->OpenPath(sim.Port());
  EXPECT_TRUE(rs->PortOpen) << rs->LastOpenError();
  rs->SetBaudRate(19200);
  rs->SetPortType(2);
  rs->FirstByteTimeout = 100;
  return rs;
}

void SaveFile(const fs::path& p, uint16_t version, const Bytes& image) {
  WriteFileAtomic(p.string(), EncodeSettingsFile(version, image));
}

class E2E : public ::testing::Test {
 protected:
  void SetUp() override {
    SetEnglishVersion(true);
    ASSERT_TRUE(fs::exists(TRIPSIM)) << "tripsim was not built";
  }
  TempDir tmp;
};

}  // namespace

TEST_F(E2E, Reads8KiBFromFirstAddress) {
  Sim sim(tmp.path, {"--sample", "v104-8k"});
  ASSERT_TRUE(sim.Running());
  auto rs = OpenLink(sim);
  TMKTransfer t(*rs);
  TMK mk;
  Recorder obs;
  ASSERT_EQ(t.ReadDeviceSettings(mk, obs), TransferResult::Done);
  EXPECT_EQ(t.DeviceAddress, 0xFC);
  EXPECT_EQ(t.DeviceMemorySize, 0x2000u);
  EXPECT_EQ(mk.DeviceVersion, 0x104);
  EXPECT_EQ(mk.Image(), BuildSampleImage(SampleSetupByName("v104-8k")));
  EXPECT_EQ(obs.gauge.back(), 100);
  rs->ClosePort();
  // Pages 1-127 and 129-255 were read, each once.
  sim.Stop();
  EXPECT_NE(sim.Log().find("255 requests, 254 block reads"), std::string::npos) << sim.Log();
}

TEST_F(E2E, Reads32KiBAtThirdAddressAfterTheOthersFail) {
  Sim sim(tmp.path, {"--sample", "v8003-32k"});
  ASSERT_TRUE(sim.Running());
  auto rs = OpenLink(sim);
  TMKTransfer t(*rs);
  TMK mk;
  Recorder obs;
  ASSERT_EQ(t.ReadDeviceSettings(mk, obs), TransferResult::Done);
  EXPECT_EQ(t.DeviceAddress, 0xFE);
  EXPECT_EQ(t.DeviceMemorySize, 0x8000u);
  EXPECT_EQ(mk.DeviceVersion, 0x8003);
  EXPECT_EQ(mk.Image().size(), 32704u);
  const Bytes held = ImageOfMemory(sim.Dump());
  EXPECT_EQ(mk.Image().size(), held.size());
  for (size_t i = 0; i < held.size() && i < mk.Image().size(); ++i)
    ASSERT_EQ(mk.Image()[i], held[i]) << "image byte " << i;
  EXPECT_NE(sim.Log().find("1022 block reads"), std::string::npos) << sim.Log();
}

TEST_F(E2E, CliReadSavesTheSettingsFileAndSurvivesBadReplies) {
  // One reply in twenty is damaged (the seed keeps it from hitting one request
  // three times); the retries hide it.
  Sim sim(tmp.path, {"--sample", "v8002-8k", "--bad-checksum", "0.05", "--seed", "3"});
  ASSERT_TRUE(sim.Running());
  const fs::path out = tmp.path / "read.dvkps";
  const CliResult r = RunCli(tmp.path, {"read", "--port", sim.Port(), "--out", out.string()});
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_NE(r.err.find("The settings are being read... 100%"), std::string::npos) << r.err;
  TMK mk;
  ReadSettingsFile(mk, out.string());
  EXPECT_EQ(mk.DeviceVersion, 0x8002);
  EXPECT_EQ(mk.Image(), BuildSampleImage(SampleSetupByName("v8002-8k")));
}

TEST_F(E2E, WriteLeavesExactlyTheExpectedMemory) {
  // The device's directory gets a carried entry of 74 bytes in a free area:
  // 70 bytes in chunks of 32, 32 and 6.
  Bytes device = BuildSampleImage(SampleSetupByName("v104-8k"));
  const uint16_t extraAt = 0x0CA0;  // behind the last block
  device[48] = uint8_t(extraAt), device[49] = uint8_t(extraAt >> 8), device[50] = 74,
  device[51] = 0;
  for (int i = 0; i < 74; ++i) device[extraAt - 32 + i] = uint8_t(200 - i);
  SaveFile(tmp.path / "device.dvkps", 0x104, device);

  // The user's settings: the same layout with changes in several blocks.
  TMK mk;
  mk.ReplaceImage(device, 0x104);
  mk.DecodeSettingsBlocks();
  mk.SetInt(U16(3, 0), 1111);
  mk.SetInt(U32(1, 0), 987654);
  mk.SetInt(U8(10, 360), 1);
  mk.SetInt(U16(13, 2), 777);  // block 13 must reach the device
  mk.EncodeSettingsBlocks();
  Bytes edited = mk.Image();
  edited[extraAt - 32] = 0x99;  // the carried entry is the device's, not the file's
  mk.ReplaceImage(edited);
  const Bytes user = mk.Image();
  SaveFile(tmp.path / "user.dvkps", 0x104, user);

  Sim sim(tmp.path, {"--image", (tmp.path / "device.dvkps").string()});
  ASSERT_TRUE(sim.Running());
  const CliResult r =
      RunCli(tmp.path, {"write", "--port", sim.Port(), (tmp.path / "user.dvkps").string()});
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_NE(r.out.find("The settings are recorded in the device"), std::string::npos);
  const Bytes after = ImageOfMemory(sim.Dump());
  EXPECT_EQ(sim.Log().find("tripsim: chunk"), std::string::npos) << sim.Log();

  // Entry by entry: the user's blocks, the device's carried entry, and the
  // four trailing bytes of each block as the device had them.
  Bytes expected = device;
  for (int k = 1; k <= 14; ++k) {
    const size_t at = size_t(device[4 * k] | (device[4 * k + 1] << 8)) - 32;
    const size_t len = size_t(device[4 * k + 2] | (device[4 * k + 3] << 8)) - 4;
    if (k != 12) std::copy_n(user.begin() + long(at), len, expected.begin() + long(at));
    for (size_t i = 0; i < len + 4; ++i)
      ASSERT_EQ(after[at + i], expected[at + i]) << "entry " << k << " byte " << i;
  }
  EXPECT_EQ(after, expected);
  TMK check;
  check.ReplaceImage(after, 0x104);
  check.DecodeSettingsBlocks();
  EXPECT_EQ(uint16_t(check.GetInt(U16(3, 0))), 1111);
  EXPECT_EQ(uint16_t(check.GetInt(U16(13, 2))), 777);

  // The backup holds what the device had before, in the user's data folder.
  const fs::path backups = tmp.path / "data" / "tripconf" / "backups";
  ASSERT_TRUE(fs::is_directory(backups));
  const auto first = fs::directory_iterator(backups)->path();
  EXPECT_NE(r.out.find(first.string()), std::string::npos) << r.out;
  TMK backup;
  ReadSettingsFile(backup, first.string());
  EXPECT_EQ(backup.Image(), device);
}

TEST_F(E2E, VersionMismatchesWriteNothing) {
  Sim sim(tmp.path, {"--sample", "v104-8k"});
  ASSERT_TRUE(sim.Running());
  const Bytes original = BuildSampleImage(SampleSetupByName("v104-8k"));

  SampleSetup other = SampleSetupByName("v8002-8k");
  SaveFile(tmp.path / "other.dvkps", other.deviceVersion, BuildSampleImage(other));
  CliResult r = RunCli(tmp.path, {"write", "--port", sim.Port(), "--lang", "en",
                                  (tmp.path / "other.dvkps").string()});
  EXPECT_EQ(r.code, 1);
  EXPECT_NE(r.err.find("The settings version does not match the device version!"),
            std::string::npos)
      << r.err;

  SampleSetup newer = SampleSetupByName("v104-8k");
  newer.layoutVersion = 4;
  SaveFile(tmp.path / "newer.dvkps", newer.deviceVersion, BuildSampleImage(newer));
  r = RunCli(tmp.path,
             {"write", "--port", sim.Port(), "--lang", "ru", (tmp.path / "newer.dvkps").string()});
  EXPECT_EQ(r.code, 1);
  EXPECT_NE(r.err.find("Версия настроек не совпадает с версией прошивки!"), std::string::npos)
      << r.err;

  EXPECT_EQ(ImageOfMemory(sim.Dump()), original);
  EXPECT_NE(sim.Log().find(" 0 blocks written"), std::string::npos) << sim.Log();
  EXPECT_FALSE(fs::exists(tmp.path / "data" / "tripconf" / "backups"));
}

TEST_F(E2E, CancelDuringTheSearchEndsQuietly) {
  // Nobody answers at the three addresses.
  Sim sim(tmp.path, {"--address", "0x10"});
  ASSERT_TRUE(sim.Running());
  auto rs = OpenLink(sim);
  TMKTransfer t(*rs);
  TMK mk;
  mk.ReplaceImage(Bytes(16, 3), 0x42);
  Recorder obs;
  obs.cancelAfterPumps = 50;
  EXPECT_EQ(t.ReadDeviceSettings(mk, obs), TransferResult::Cancelled);
  EXPECT_EQ(mk.Image(), Bytes(16, 3));
  EXPECT_TRUE(obs.errors.empty());
  rs->ClosePort();

  // Ctrl-C in the CLI: no file, a short note, exit 130.
  const fs::path out = tmp.path / "never.dvkps";
  const CliResult r =
      RunCli(tmp.path, {"read", "--port", sim.Port(), "--out", out.string()}, [](pid_t pid) {
        std::this_thread::sleep_for(std::chrono::milliseconds(400));
        ::kill(pid, SIGINT);
      });
  EXPECT_EQ(r.code, 130) << r.err;
  EXPECT_NE(r.err.find("Cancelled"), std::string::npos) << r.err;
  EXPECT_FALSE(fs::exists(out));
}

TEST_F(E2E, DeviceVanishingMidReadSavesNothing) {
  Sim sim(tmp.path, {"--vanish-after", "60"});
  ASSERT_TRUE(sim.Running());
  const fs::path out = tmp.path / "keep.dvkps";
  WriteFileAtomic(out.string(), std::string("previous contents"));
  const auto start = std::chrono::steady_clock::now();
  const CliResult r = RunCli(tmp.path, {"read", "--port", sim.Port(), "--out", out.string()});
  const auto took = std::chrono::steady_clock::now() - start;
  EXPECT_EQ(r.code, 1);
  EXPECT_NE(r.err.find("RS232. No link. Check PC-device connection."), std::string::npos) << r.err;
  EXPECT_EQ(Slurp(out), "previous contents");
  EXPECT_LT(took, std::chrono::seconds(5));
}

TEST_F(E2E, StalledReplyAndUnopenablePortAreClearErrors) {
  Sim sim(tmp.path, {"--stall-after", "20"});
  ASSERT_TRUE(sim.Running());
  CliResult r =
      RunCli(tmp.path, {"read", "--port", sim.Port(), "--out", (tmp.path / "x.dvkps").string()});
  EXPECT_EQ(r.code, 1);
  // The first attempt stops inside the frame; the device then stays silent.
  EXPECT_TRUE(r.err.find("RS232. Delay within block error.") != std::string::npos ||
              r.err.find("RS232. No link.") != std::string::npos)
      << r.err;
  EXPECT_FALSE(fs::exists(tmp.path / "x.dvkps"));

  r = RunCli(tmp.path, {"read", "--port", (tmp.path / "nothing").string(), "--out",
                        (tmp.path / "y.dvkps").string(), "--lang", "en"});
  EXPECT_EQ(r.code, 1);
  EXPECT_NE(r.err.find("The device is unplugged or does not exist"), std::string::npos) << r.err;
}
