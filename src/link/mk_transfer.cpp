// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/mk_transfer.h"

#include <array>
#include <cmath>
#include <ctime>

#include "link/device_backup.h"
#include "link/port_texts.h"
#include "model/tmk.h"

namespace tc {

namespace {

// Routes the link's waits to the observer for the length of one transfer.
class PumpScope {
 public:
  PumpScope(TML_RS& link, TransferObserver& obs) : link_(link), saved_(link.pump) {
    link_.pump = [&obs] { obs.Pump(); };
  }
  ~PumpScope() { link_.pump = saved_; }

 private:
  TML_RS& link_;
  std::function<void()> saved_;
};

int Percent(double value) {
  return int(std::nearbyint(value));
}

}  // namespace

void CheckWriteDirectory(const std::vector<uint8_t>& image, uint32_t memorySize) {
  const uint32_t count = TMK::EntryCountOf(image);
  // Entries are only written from the first half, where image positions map
  // straight to device addresses.
  const uint64_t firstHalfEnd =
      std::min<uint64_t>(memorySize / 2 - kImageAddressBase, image.size());
  auto damaged = [](uint32_t k, uint32_t address, uint32_t size) {
    return TripError(kDirectoryDamagedText() + " (" + kDirectoryEntryText() + " " +
                     std::to_string(k) + ", " + kAddressText() + " " + std::to_string(address) +
                     ", " + kSizeText() + " " + std::to_string(size) + ")");
  };
  // The directory holds 14 entries; a larger count would take the layout
  // version and what follows for entries.
  if (count > 14) throw damaged(count, 0, 0);
  for (uint32_t k = 1; k <= count; ++k) {
    const DirEntry e = TMK::EntryOf(image, int(k));
    if (!e.DescribesBlock() || e.ImagePosition() + e.DataSize() > firstHalfEnd)
      throw damaged(k, e.address, e.size);
  }
}

std::optional<uint16_t> TMKTransfer::ProbeDevice(TransferObserver& obs) {
  PumpScope scope(link_, obs);
  obs.SetLabel(kSearchText());
  obs.SetGaugeVisible(false);
  obs.SetCancelVisible(true);
  std::string shownReason;
  LastProbeError.clear();
  auto show = [&](const std::string& reason) {
    if (reason == shownReason) return;
    obs.SetLabel(reason.empty() ? kSearchText() : kSearchText() + "\n" + reason);
    shownReason = reason;
  };
  for (size_t i = 0;; i = (i + 1) % std::size(kDeviceCandidates)) {
    if (i == 0 && !link_.PortOpen) {
      // A port that would not open may be free or plugged in by now; if not,
      // the user must see why nothing answers instead of a silent search.
      if (const std::string path = link_.PortPath(); !path.empty()) link_.OpenPath(path);
      if (!link_.PortOpen) {
        LastProbeError =
            link_.LastOpenError().empty() ? std::string(kNoFreePortText) : link_.LastOpenError();
        show(LastProbeError);
      }
    }
    DeviceAddress = kDeviceCandidates[i].address;
    DeviceMemorySize = kDeviceCandidates[i].memorySize;
    link_.FirstByteTimeout = 100;
    try {
      link_.Command(DeviceAddress, kCmdVersionQuery);
      link_.GetByte();
      return link_.GetWord();
    } catch (const TripError& e) {
      // Silence is what a search expects; a device that answers but is busy
      // or garbled is worth saying.
      if (link_.PortOpen && e.what() != std::string(kNoLinkMessage)) {
        LastProbeError = e.what();
        show(LastProbeError);
      }
      obs.Pump();
      if (obs.Cancelled()) return std::nullopt;
    }
  }
}

std::vector<uint8_t> TMKTransfer::ReadImage(TransferObserver& obs) {
  PumpScope scope(link_, obs);
  obs.SetLabel(kReadingText());
  obs.SetGauge(0);
  obs.SetGaugeVisible(true);
  obs.Pump();
  obs.SetCancelVisible(false);
  std::vector<uint8_t> image;
  image.reserve(DeviceMemorySize - 64);
  const uint32_t n = DeviceMemorySize / 64;
  const double steps = double(DeviceMemorySize / 32 - 2);
  for (uint32_t h = 0; h <= 1; ++h) {
    for (uint32_t k = 1; k < n; ++k) {
      const uint32_t b = h * n + k;
      const std::vector<uint8_t> page = ReadPage(b);
      image.insert(image.end(), page.begin(), page.end());
      obs.SetGauge(std::min(100, Percent(100.0 * b / steps)));
    }
  }
  return image;
}

TransferResult TMKTransfer::ReadDeviceSettings(TMK& mk, TransferObserver& obs) {
  const auto version = ProbeDevice(obs);
  if (!version) return TransferResult::Cancelled;
  // Nothing of the model changes until the whole image is here, so a
  // transfer that breaks off leaves the settings the user had.
  auto image = ReadImage(obs);
  mk.ReplaceImage(std::move(image), *version);
  return TransferResult::Done;
}

TransferResult TMKTransfer::WriteDeviceSettings(TMK& mk, TransferObserver& obs,
                                                WriteReport* report) {
  WriteReport local;
  WriteReport& rep = report ? *report : local;
  rep = WriteReport{};

  std::array<std::vector<uint8_t>, kBlockCount + 1> kept;
  for (int n = 1; n <= kBlockCount; ++n) {
    const auto b = mk.Block(n);
    kept[size_t(n)].assign(b.begin(), b.end());
  }
  const uint32_t keptLayout = mk.LayoutVersion();
  // Until the first write command the device is untouched, and so must the
  // model be: a refused write that left the device's image and layout in it
  // would pass the version check on the next attempt.
  struct Restore {
    TMK& mk;
    TMK::State state;
    bool armed = true;
    ~Restore() {
      if (armed) mk.RestoreState(std::move(state));
    }
  } restore{mk, mk.SaveState()};

  const auto version = ProbeDevice(obs);
  if (!version) return TransferResult::Cancelled;
  if (*version != mk.DeviceVersion) {
    obs.ShowError(kDeviceVersionMismatchText());
    return TransferResult::DeviceVersionMismatch;
  }

  auto deviceImage = ReadImage(obs);
  mk.ReplaceImage(deviceImage, *version);
  for (int n = 1; n <= kBlockCount; ++n) {
    auto b = mk.Block(n);
    std::copy(kept[size_t(n)].begin(), kept[size_t(n)].end(), b.begin());
  }
  mk.EncodeSettingsBlocks();
  if (mk.LayoutVersion() != keptLayout) {
    obs.ShowError(kLayoutVersionMismatchText());
    return TransferResult::LayoutVersionMismatch;
  }

  const std::vector<uint8_t>& image = mk.Image();
  CheckWriteDirectory(image, DeviceMemorySize);
  if (BeforeWrite && !BeforeWrite(deviceImage, image, *version)) return TransferResult::Cancelled;
  // What the device held, before anything of it is overwritten.
  rep.BackupPath = SaveDeviceBackup(BackupFolder.empty() ? DefaultBackupFolder() : BackupFolder,
                                    *version, deviceImage, std::time(nullptr));

  restore.armed = false;
  PumpScope scope(link_, obs);
  obs.SetLabel(kWritingText());
  obs.SetGauge(0);
  obs.SetGaugeVisible(true);
  obs.Pump();
  const uint32_t count = TMK::EntryCountOf(image);
  rep.EntryCount = count;
  for (uint32_t k = 1; k <= count; ++k) {
    const DirEntry e = TMK::EntryOf(image, int(k));
    const uint16_t address = e.address;
    const uint16_t length = uint16_t(e.DataSize());
    const size_t data = e.ImagePosition();
    link_.FirstByteTimeout = 2000;

    link_.BeginFrame(DeviceAddress, kCmdBeginWrite);
    link_.PutWord(address);
    link_.PutWord(length);
    link_.Execute();
    const int whole = length / 32, rest = length % 32;
    for (int j = 0; j <= whole; ++j) {
      const int bytes = j < whole ? 32 : rest;
      if (bytes == 0) break;
      link_.BeginFrame(DeviceAddress, kCmdWriteChunk);
      link_.PutWord(uint16_t(j));
      link_.PutWord(uint16_t(bytes));
      for (int i = 0; i < bytes; ++i) link_.PutByte(image[data + size_t(32 * j + i)]);
      link_.Execute();
    }
    link_.BeginFrame(DeviceAddress, kCmdEndWrite);
    link_.PutWord(address);
    link_.PutWord(length);
    link_.Execute();
    rep.EntriesWritten = k;
    obs.SetGauge(Percent(100.0 * k / count));
  }
  obs.ShowInfo(kWriteDoneText() + "\n" + kBackupSavedText() + ":\n" + rep.BackupPath);
  return TransferResult::Done;
}

uint16_t TMKTransfer::QueryVersion() {
  link_.Command(DeviceAddress, kCmdVersionQuery);
  link_.GetByte();
  return link_.GetWord();
}

}  // namespace tc
