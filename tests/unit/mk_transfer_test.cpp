// SPDX-License-Identifier: GPL-3.0-or-later
// The read and write sequences against a scripted device on the fake line.
#include "link/mk_transfer.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <ctime>
#include <filesystem>

#include "fake_line.h"
#include "link/device_backup.h"
#include "model/sample_image.h"
#include "model/settings_file.h"
#include "model/settings_layout.h"
#include "model/tmk.h"
#include "util/files.h"

using namespace tc;
using namespace tc::test;
namespace fs = std::filesystem;

namespace {

// The trip computer's side: memory, the five commands, and a log of them.
struct FakeDevice {
  uint8_t address = 0xFC;
  uint16_t version = 0x104;
  Bytes memory;
  struct Cmd {
    uint8_t code;
    uint16_t a, b;
    size_t dataSize;
  };
  std::vector<Cmd> log;
  Bytes pending;
  int failAfterReads = -1;  // stop answering after this many block reads
  int shortPage = -1;       // page answered with only 8 data bytes

  FakeDevice(uint32_t size, const Bytes& image) : memory(size, 0xEE) {
    for (size_t p = 0; p < image.size(); ++p)
      memory[p < size / 2 - 32 ? p + 32 : p + 64] = image[p];
  }
  Bytes Image() const {
    Bytes img;
    const size_t s = memory.size();
    img.insert(img.end(), memory.begin() + 32, memory.begin() + long(s / 2));
    img.insert(img.end(), memory.begin() + long(s / 2 + 32), memory.end());
    return img;
  }
  size_t Reads() const {
    size_t n = 0;
    for (const auto& c : log) n += c.code == kCmdReadBlock;
    return n;
  }
  size_t WriteCommands() const { return log.size() - Reads() - Count(kCmdVersionQuery); }
  size_t Count(uint8_t code) const {
    size_t n = 0;
    for (const auto& c : log) n += c.code == code;
    return n;
  }

  void Attach(FakeLine& line) {
    line.onWrite = [this](FakeLine& l, const Bytes& req) {
      l.Deliver(1, req);  // the bus echo
      if (req[1] != address) return;
      const uint8_t cmd = req[4];
      auto word = [&](size_t at) { return uint16_t(req[at] | (req[at + 1] << 8)); };
      Bytes m{address, 0x01, 0x00, cmd};
      Cmd c{cmd, 0, 0, 0};
      if (cmd == kCmdVersionQuery) {
        for (uint8_t v : {uint8_t(0x00), uint8_t(version), uint8_t(version >> 8)}) m.push_back(v);
      } else if (cmd == kCmdReadBlock) {
        if (failAfterReads >= 0 && int(Reads()) >= failAfterReads) return;
        c.a = word(5);
        const int bytes = c.a == shortPage ? 8 : 32;
        m.insert(m.end(), memory.begin() + 32 * c.a, memory.begin() + 32 * c.a + bytes);
      } else if (cmd == kCmdBeginWrite || cmd == kCmdEndWrite) {
        c.a = word(5);
        c.b = word(7);
        if (cmd == kCmdBeginWrite) pending.assign(c.b, 0);
        if (cmd == kCmdEndWrite) std::copy(pending.begin(), pending.end(), memory.begin() + c.a);
      } else if (cmd == kCmdWriteChunk) {
        c.a = word(5);
        c.b = word(7);
        c.dataSize = req.size() - 10;
        std::copy(req.begin() + 9, req.end() - 1, pending.begin() + 32 * c.a);
      }
      log.push_back(c);
      l.Deliver(2, Frame(m));
    };
  }
};

class Recorder : public TransferObserver {
 public:
  std::vector<std::string> labels, errors, infos;
  std::vector<int> gauge;
  int pumps = 0, cancelAfterPumps = -1;
  void SetLabel(const std::string& t) override { labels.push_back(t); }
  void SetGauge(int p) override { gauge.push_back(p); }
  void SetCancelVisible(bool) override {}
  bool Cancelled() const override { return cancelAfterPumps >= 0 && pumps >= cancelAfterPumps; }
  void Pump() override { ++pumps; }
  void ShowError(const std::string& t) override { errors.push_back(t); }
  void ShowInfo(const std::string& t) override { infos.push_back(t); }
};

class TransferTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetEnglishVersion(true);
    backups = fs::temp_directory_path() / ("tc-backups-" + std::to_string(::getpid()));
    fs::remove_all(backups);
  }
  void TearDown() override { fs::remove_all(backups); }
  fs::path backups;
};

// A model holding the sample's settings as if loaded from a file.
void LoadSample(TMK& mk, const SampleSetup& setup) {
  mk.ReplaceImage(BuildSampleImage(setup), setup.deviceVersion);
  mk.DecodeSettingsBlocks();
}

}  // namespace

TEST_F(TransferTest, Reads8KiBAtFirstAddress) {
  const SampleSetup setup = SampleSetupByName("v104-8k");
  FakeDevice dev(8192, BuildSampleImage(setup));
  FakeLine line;
  dev.Attach(line);
  auto rs = MakeLink(line);
  TMKTransfer t(*rs);
  TMK mk;
  Recorder obs;
  ASSERT_EQ(t.ReadDeviceSettings(mk, obs), TransferResult::Done);
  EXPECT_EQ(t.DeviceAddress, 0xFC);
  EXPECT_EQ(mk.DeviceVersion, 0x104);
  EXPECT_EQ(mk.Image(), dev.Image());
  EXPECT_EQ(mk.Image().size(), 8128u);
  ASSERT_EQ(dev.Reads(), 254u);
  EXPECT_EQ(dev.log[1].a, 1);
  EXPECT_EQ(dev.log[127].a, 127);
  EXPECT_EQ(dev.log[128].a, 129);
  EXPECT_EQ(dev.log.back().a, 255);
  EXPECT_EQ(obs.gauge.back(), 100);
  EXPECT_TRUE(std::is_sorted(obs.gauge.begin(), obs.gauge.end()));
  EXPECT_EQ(obs.labels, (std::vector<std::string>{"Reconnect the device power supply",
                                                  "The settings are being read..."}));
}

TEST_F(TransferTest, ProbeMovesOnToTheLargeDeviceAndCancelStopsIt) {
  FakeDevice dev(32768, BuildSampleImage(SampleSetupByName("v8003-32k")));
  dev.address = 0xFE;
  FakeLine line;
  dev.Attach(line);
  auto rs = MakeLink(line);
  TMKTransfer t(*rs);
  Recorder obs;
  EXPECT_EQ(t.ProbeDevice(obs), std::optional<uint16_t>(0x104));
  EXPECT_EQ(t.DeviceAddress, 0xFE);
  EXPECT_EQ(t.DeviceMemorySize, 0x8000u);
  // 0xFC and 0xFD got three attempts each.
  EXPECT_EQ(line.written.size(), 7u);

  // Nobody answers: only Cancel ends the search, and the model is untouched.
  dev.address = 0x01;
  TMK mk;
  mk.ReplaceImage(Bytes(100, 7), 0x55);
  Recorder cancel;
  cancel.cancelAfterPumps = 200;
  EXPECT_EQ(t.ReadDeviceSettings(mk, cancel), TransferResult::Cancelled);
  EXPECT_EQ(mk.Image(), Bytes(100, 7));
  EXPECT_EQ(mk.DeviceVersion, 0x55);
  EXPECT_TRUE(cancel.errors.empty());
}

// A read that breaks off (the device stops answering, or answers a page with
// a short reply) fails with a message and leaves the model as it was.
TEST_F(TransferTest, BrokenReadLeavesTheModelAsItWas) {
  struct Case {
    int failAfterReads, shortPage;
    const char* message;
  };
  for (const Case c : {Case{40, -1, "RS232."}, Case{-1, 3, "page 3"}}) {
    SCOPED_TRACE(c.message);
    FakeDevice dev(8192, BuildSampleImage(SampleSetupByName("v104-8k")));
    dev.failAfterReads = c.failAfterReads;
    dev.shortPage = c.shortPage;
    FakeLine line;
    dev.Attach(line);
    auto rs = MakeLink(line);
    TMKTransfer t(*rs);
    TMK mk;
    mk.ReplaceImage(Bytes(64, 1), 0x77);
    Recorder obs;
    try {
      t.ReadDeviceSettings(mk, obs);
      ADD_FAILURE() << "the broken read was accepted";
    } catch (const LinkError& e) {
      EXPECT_NE(std::string(e.what()).find(c.message), std::string::npos) << e.what();
    }
    if (c.shortPage > 0) {
      // And in the other language.
      SetEnglishVersion(false);
      try {
        t.ReadDeviceSettings(mk, obs);
        ADD_FAILURE() << "the broken read was accepted";
      } catch (const LinkError& e) {
        EXPECT_NE(std::string(e.what()).find("страницы 3 коротким ответом"), std::string::npos)
            << e.what();
      }
      SetEnglishVersion(true);
    }
    EXPECT_EQ(mk.Image(), Bytes(64, 1));
    EXPECT_EQ(mk.DeviceVersion, 0x77);
  }
}

TEST_F(TransferTest, WriteSendsTheDirectoryBlocksAndKeepsABackup) {
  const SampleSetup setup = SampleSetupByName("v104-8k");
  const Bytes original = BuildSampleImage(setup);
  FakeDevice dev(8192, original);
  FakeLine line;
  dev.Attach(line);
  auto rs = MakeLink(line);
  TMKTransfer t(*rs);
  t.BackupFolder = backups.string();

  TMK mk;
  LoadSample(mk, setup);
  mk.SetInt(U16(3, 0), 1234);   // an ordinary setting
  mk.SetInt(U16(13, 0), 4321);  // block 13 (tare weight) must reach the device too
  mk.SetInt(U8(12, 0), 0x42);   // fault journal
  Recorder obs;
  WriteReport rep;
  ASSERT_EQ(t.WriteDeviceSettings(mk, obs, &rep), TransferResult::Done);

  // The device now holds exactly the model's image.
  EXPECT_EQ(dev.Image(), mk.Image());
  TMK check;
  check.ReplaceImage(dev.Image(), 0x104);
  check.DecodeSettingsBlocks();
  EXPECT_EQ(uint16_t(check.GetInt(U16(3, 0))), 1234);
  EXPECT_EQ(uint16_t(check.GetInt(U16(13, 0))), 4321);
  EXPECT_EQ(uint8_t(check.GetInt(U8(12, 0))), 0x42);
  // The carried entry 12 and the trailing bytes of each block are unchanged.
  const DirEntry e12 = check.Entry(12);
  for (int i = 0; i < e12.size; ++i)
    EXPECT_EQ(dev.Image()[e12.address - 32 + i], original[e12.address - 32 + i]);

  EXPECT_EQ(rep.EntryCount, 14u);
  EXPECT_EQ(rep.EntriesWritten, 14u);
  EXPECT_EQ(obs.gauge.back(), 100);
  ASSERT_EQ(obs.infos.size(), 1u);
  EXPECT_EQ(obs.infos[0].rfind("The settings are recorded in the device\n", 0), 0u);
  EXPECT_NE(obs.infos[0].find(rep.BackupPath), std::string::npos);
  EXPECT_EQ(rs->FirstByteTimeout, 2000);

  // The backup is a settings file with what the device held before.
  ASSERT_EQ(fs::path(rep.BackupPath).parent_path(), backups);
  TMK backup;
  ReadSettingsFile(backup, rep.BackupPath);
  EXPECT_EQ(backup.DeviceVersion, 0x104);
  EXPECT_EQ(backup.Image(), original);
}

TEST_F(TransferTest, EntrySizesGiveTheChunks) {
  // A 74-byte entry: 70 bytes in chunks of 32, 32 and 6; a 4-byte entry
  // sends no chunk at all.
  Bytes image = BuildSampleImage(SampleSetupByName("v104-8k"));
  image[0] = 2;
  const Bytes entries{0x00, 0x01, 74, 0, 0x00, 0x02, 4, 0};  // (0x100, 74), (0x200, 4)
  std::copy(entries.begin(), entries.end(), image.begin() + 4);
  for (int i = 0; i < 70; ++i) image[0x100 - 32 + i] = uint8_t(i + 1);
  FakeDevice dev(8192, image);
  FakeLine line;
  dev.Attach(line);
  auto rs = MakeLink(line);
  TMKTransfer t(*rs);
  t.BackupFolder = backups.string();
  TMK mk;
  LoadSample(mk, {});
  mk.ReplaceImage(image, 0x104);
  mk.DecodeSettingsBlocks();
  Recorder obs;
  ASSERT_EQ(t.WriteDeviceSettings(mk, obs), TransferResult::Done);

  std::vector<std::array<int, 4>> writes;  // code, a, b, data bytes
  for (const auto& c : dev.log)
    if (c.code != kCmdReadBlock && c.code != kCmdVersionQuery)
      writes.push_back({c.code, c.a, c.b, int(c.dataSize)});
  const std::vector<std::array<int, 4>> expected = {
      {kCmdBeginWrite, 0x100, 70, 0}, {kCmdWriteChunk, 0, 32, 32},  {kCmdWriteChunk, 1, 32, 32},
      {kCmdWriteChunk, 2, 6, 6},      {kCmdEndWrite, 0x100, 70, 0}, {kCmdBeginWrite, 0x200, 0, 0},
      {kCmdEndWrite, 0x200, 0, 0}};
  EXPECT_EQ(writes, expected);
  for (int i = 0; i < 70; ++i) EXPECT_EQ(dev.memory[0x100 + i], i + 1);
  EXPECT_EQ(obs.gauge.back(), 100);
}

TEST_F(TransferTest, VersionMismatchesStopBeforeAnyWrite) {
  const SampleSetup setup = SampleSetupByName("v104-8k");
  FakeDevice dev(8192, BuildSampleImage(setup));
  FakeLine line;
  dev.Attach(line);
  auto rs = MakeLink(line);
  TMKTransfer t(*rs);
  t.BackupFolder = backups.string();

  // Settings of another device version: nothing read, nothing written.
  TMK other;
  LoadSample(other, SampleSetupByName("v8002-8k"));
  Recorder a;
  EXPECT_EQ(t.WriteDeviceSettings(other, a), TransferResult::DeviceVersionMismatch);
  EXPECT_EQ(a.errors,
            std::vector<std::string>{"The settings version does not match the device version!"});
  EXPECT_EQ(dev.Reads(), 0u);
  EXPECT_EQ(dev.WriteCommands(), 0u);

  // Same device version, another layout: read, but nothing written.
  SampleSetup newer = setup;
  newer.layoutVersion = 9;
  TMK mk;
  LoadSample(mk, newer);
  mk.SetInt(layout::kOil6L, 4321);  // an edit not yet encoded
  const auto image = mk.Image();
  const auto directory = mk.Directory();
  std::vector<std::vector<uint8_t>> blocks;
  for (int n = 1; n <= kBlockCount; ++n)
    blocks.emplace_back(mk.Block(n).begin(), mk.Block(n).end());
  SetEnglishVersion(false);
  // Asked twice: the refused attempt must leave nothing that lets the
  // second one pass.
  for (int attempt = 1; attempt <= 2; ++attempt) {
    SCOPED_TRACE(attempt);
    Recorder b;
    EXPECT_EQ(t.WriteDeviceSettings(mk, b), TransferResult::LayoutVersionMismatch);
    EXPECT_EQ(b.errors,
              std::vector<std::string>{"Версия настроек не совпадает с версией прошивки!"});
    EXPECT_EQ(dev.Reads(), 254u * attempt);
    EXPECT_EQ(dev.WriteCommands(), 0u);
    EXPECT_EQ(mk.Image(), image);
    EXPECT_EQ(mk.Directory(), directory);
    EXPECT_EQ(mk.LayoutVersion(), 9u);
    EXPECT_EQ(mk.DeviceVersion, setup.deviceVersion);
    for (int n = 1; n <= kBlockCount; ++n)
      ASSERT_TRUE(std::equal(blocks[size_t(n - 1)].begin(), blocks[size_t(n - 1)].end(),
                             mk.Block(n).begin()))
          << "block " << n;
  }
  EXPECT_FALSE(fs::exists(backups));
}

TEST_F(TransferTest, DamagedDirectoryIsRefusedBeforeAnyWrite) {
  struct Case {
    const char* name;
    int entry;
    uint16_t address, size;
  } cases[] = {
      {"size below 4", 12, 0x300, 2},
      {"address before the image", 12, 0x10, 20},
      {"data past the first half", 12, 0x0FF0, 40},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Bytes image = BuildSampleImage(SampleSetupByName("v104-8k"));
    image[4 * c.entry] = uint8_t(c.address);
    image[4 * c.entry + 1] = uint8_t(c.address >> 8);
    image[4 * c.entry + 2] = uint8_t(c.size);
    image[4 * c.entry + 3] = uint8_t(c.size >> 8);
    FakeDevice dev(8192, image);
    FakeLine line;
    dev.Attach(line);
    auto rs = MakeLink(line);
    TMKTransfer t(*rs);
    t.BackupFolder = backups.string();
    TMK mk;
    mk.ReplaceImage(image, 0x104);
    mk.DecodeSettingsBlocks();
    Recorder obs;
    try {
      t.WriteDeviceSettings(mk, obs);
      ADD_FAILURE() << "the write went ahead";
    } catch (const TripError& e) {
      EXPECT_NE(std::string(e.what()).find("block directory is damaged"), std::string::npos);
      EXPECT_NE(std::string(e.what()).find("entry 12"), std::string::npos);
    }
    EXPECT_EQ(dev.WriteCommands(), 0u);
    EXPECT_EQ(dev.Image(), image);
  }
  // A count beyond the 14 entries is refused too.
  Bytes image = BuildSampleImage(SampleSetupByName("v104-8k"));
  image[0] = 15;
  EXPECT_THROW(CheckWriteDirectory(image, 8192), TripError);
  image[0] = 14;
  EXPECT_NO_THROW(CheckWriteDirectory(image, 8192));
}

TEST_F(TransferTest, BackupNamesCarryTimeAndVersionAndNeverCollide) {
  std::tm tm{};
  tm.tm_year = 126, tm.tm_mon = 11, tm.tm_mday = 8, tm.tm_hour = 3, tm.tm_min = 4, tm.tm_sec = 5;
  tm.tm_isdst = -1;
  const std::time_t when = std::mktime(&tm);
  EXPECT_EQ(BackupFileName(when, 0x104), "tripconf-2026-12-08_03-04-05-v0104.dvkps");
  const Bytes held = BuildSampleImage(SampleSetupByName("v104-8k"));
  const std::string a = SaveDeviceBackup(backups.string(), 0x104, held, when);
  const std::string b = SaveDeviceBackup(backups.string(), 0x104, Bytes(8128, 2), when);
  EXPECT_NE(a, b);
  TMK mk;
  ReadSettingsFile(mk, a);
  EXPECT_EQ(mk.Image(), held);
  // The journals in them are the owner's: folder 0700, files 0600.
  EXPECT_EQ(fs::status(backups).permissions() & fs::perms::all, fs::perms::owner_all);
  for (const auto& p : {a, b})
    EXPECT_EQ(fs::status(p).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write)
        << p;

  // The folder follows XDG_DATA_HOME, else HOME.
  const char* oldXdg = std::getenv("XDG_DATA_HOME");
  const std::string saved = oldXdg ? oldXdg : "";
  ::setenv("XDG_DATA_HOME", "/tmp/xdg-test", 1);
  EXPECT_EQ(DefaultBackupFolder(), "/tmp/xdg-test/tripconf/backups");
  ::unsetenv("XDG_DATA_HOME");
  EXPECT_EQ(DefaultBackupFolder(),
            std::string(std::getenv("HOME")) + "/.local/share/tripconf/backups");
  if (oldXdg) ::setenv("XDG_DATA_HOME", saved.c_str(), 1);

  // A folder that cannot be made is a clear file error.
  EXPECT_THROW(SaveDeviceBackup("/proc/no/such", 1, Bytes(10), when), FileError);
}
