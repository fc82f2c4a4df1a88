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

uint32_t ReadU32(const std::vector<uint8_t>& image, size_t at) {
  uint32_t v = 0;
  for (size_t i = 0; i < 4; ++i)
    v |= uint32_t(at + i < image.size() ? image[at + i] : 0) << (8 * i);
  return v;
}

uint16_t ReadU16(const std::vector<uint8_t>& image, size_t at) {
  return uint16_t(ReadU32(image, at) & 0xFFFF);
}

int Percent(double value) {
  return int(std::nearbyint(value));
}

bool Block13Described(const TMK& mk) {
  const DirEntry e = mk.Entry(DirectoryEntryOfBlock(13));
  return e.size >= 4 && e.address >= 32;
}

}  // namespace

void DecodeSettingsBlocks(TMK& mk) {
  for (int n = 1; n <= 12; ++n) mk.DecodeBlock(n);
  if (Block13Described(mk)) mk.DecodeBlock(13);
}

void EncodeSettingsBlocks(TMK& mk) {
  for (int n = 1; n <= 12; ++n) mk.EncodeBlock(n);
  if (Block13Described(mk)) mk.EncodeBlock(13);
}

void CheckWriteDirectory(const std::vector<uint8_t>& image, uint32_t memorySize) {
  const uint32_t count = ReadU32(image, 0);
  // Entries are only written from the first half; its image positions map
  // straight to device addresses (position = address - 32).
  const uint64_t firstHalfEnd = std::min<uint64_t>(memorySize / 2 - 32, image.size());
  auto damaged = [](uint32_t k, uint32_t address, uint32_t size) {
    return TripError(kDirectoryDamagedText() + " (" + kDirectoryEntryText() + " " +
                     std::to_string(k) + ", " + kAddressText() + " " + std::to_string(address) +
                     ", " + kSizeText() + " " + std::to_string(size) + ")");
  };
  // The directory holds 14 entries; a larger count would take the layout
  // version and what follows for entries.
  if (count > 14) throw damaged(count, 0, 0);
  for (uint32_t k = 1; k <= count; ++k) {
    const uint32_t address = ReadU16(image, 4 * k);
    const uint32_t size = ReadU16(image, 4 * k + 2);
    if (size < 4 || address < 32 || uint64_t(address) - 32 + (size - 4) > firstHalfEnd)
      throw damaged(k, address, size);
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
      link_.BeginFrame(DeviceAddress, kCmdReadBlock);
      link_.PutWord(uint16_t(b));
      link_.Execute();
      // A page reply carries 32 bytes after the 5-byte head; a shorter one
      // would fill the image with what earlier frames left in the buffer.
      if (link_.RxBuffer[0] < 5 + 32 + 1)
        throw LinkError("RS232. The device answered page " + std::to_string(b) +
                        " with a short reply (" + std::to_string(link_.RxBuffer[0]) +
                        " bytes); nothing was read.");
      for (int i = 0; i < 32; ++i) image.push_back(link_.GetByte());
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
  EncodeSettingsBlocks(mk);
  if (mk.LayoutVersion() != keptLayout) {
    obs.ShowError(kLayoutVersionMismatchText());
    return TransferResult::LayoutVersionMismatch;
  }

  const std::vector<uint8_t>& image = mk.SettingsImage;
  CheckWriteDirectory(image, DeviceMemorySize);
  // What the device held, before anything of it is overwritten.
  rep.BackupPath = SaveDeviceBackup(BackupFolder.empty() ? DefaultBackupFolder() : BackupFolder,
                                    *version, deviceImage, std::time(nullptr));

  restore.armed = false;
  PumpScope scope(link_, obs);
  obs.SetLabel(kWritingText());
  obs.SetGauge(0);
  obs.SetGaugeVisible(true);
  obs.Pump();
  const uint32_t count = ReadU32(image, 0);
  rep.EntryCount = count;
  for (uint32_t k = 1; k <= count; ++k) {
    const uint16_t address = ReadU16(image, 4 * k);
    const uint16_t length = uint16_t(ReadU16(image, 4 * k + 2) - 4);
    const size_t data = size_t(address) - 32;
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
