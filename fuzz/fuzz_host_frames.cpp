// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes as the device's replies: the probe, the settings read, the
// write with its directory checks and the read-back of --verify, on a line
// that plays the input frame by frame. Every failure must be one of our
// errors; a transfer that ends must leave the model whole.
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <memory>

#include "fuzz_input.h"
#include "link/mk_transfer.h"
#include "link/ml_rs.h"
#include "model/sample_image.h"
#include "model/tmk.h"
#include "scripted_line.h"
#include "util/errors.h"

namespace {

class Observer : public tc::TransferObserver {
 public:
  explicit Observer(const tc::fuzz::ScriptedLine& line) : line_(line) {}
  void SetLabel(const std::string&) override {}
  void SetGauge(int) override {}
  void SetCancelVisible(bool) override {}
  // The search gives up once the script has nothing more to say.
  bool Cancelled() const override { return line_.Exhausted(); }
  void ShowError(const std::string&) override {}
  void ShowInfo(const std::string&) override {}

 private:
  const tc::fuzz::ScriptedLine& line_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const std::string backups = "/tmp/tripconf-fuzz-backups-" + std::to_string(::getpid());
  static tc::TMK mk;
  static const std::vector<uint8_t> sample = tc::BuildSampleImage(tc::SampleSetupByName("v104-8k"));
  tc::fuzz::Input in(data, size);
  const uint8_t mode = in.Byte();
  tc::fuzz::ScriptedLine line(in.Rest(), (mode & 1) == 0);
  tc::LinkPlatform p;
  p.NewChannel = [&line] { return std::make_unique<tc::fuzz::ScriptedLine::Channel>(line); };
  p.Clock = &line;
  tc::TML_RS rs(p);
  rs.OpenPath("scripted");
  rs.SetBaudRate(19200);
  rs.SetPortType((mode & 1) == 0 ? 2 : 0);
  rs.FirstByteTimeout = 100;
  tc::TMKTransfer t(rs);
  t.BackupFolder = backups;
  Observer obs(line);
  try {
    switch ((mode >> 1) % 3) {
      case 0:
        if (t.ReadDeviceSettings(mk, obs) == tc::TransferResult::Done) mk.DecodeSettingsBlocks();
        break;
      case 1: {
        mk.ReplaceImage(sample, 0x104);
        mk.DecodeSettingsBlocks();
        tc::WriteReport rep;
        if (t.WriteDeviceSettings(mk, obs, &rep) == tc::TransferResult::Done)
          (void)t.VerifyWrite(mk.Image(), obs);
        if (!rep.BackupPath.empty()) std::filesystem::remove(rep.BackupPath);
        break;
      }
      default:
        (void)t.QueryVersion();
        (void)t.VerifyWrite(sample, obs);
        break;
    }
  } catch (const tc::TripError&) {
  }
  return 0;
}
