// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The two transfers the main window runs: reading the device's settings
// memory into the model, and writing the model's settings into the device.
// The GUI, the CLI and the tests drive them through a TransferObserver.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "link/ml_rs.h"
#include "link/transfer_observer.h"
#include "util/text_pair.h"

namespace tc {

class TMK;

struct DeviceCandidate {
  uint8_t address;
  uint32_t memorySize;
};
// Tried in this order, and then again from the first.
inline constexpr DeviceCandidate kDeviceCandidates[3] = {
    {0xFC, 0x2000}, {0xFD, 0x2000}, {0xFE, 0x8000}};

inline constexpr TextPair kSearchText{"Переподключите питание МК",
                                      "Reconnect the device power supply"};
inline constexpr TextPair kReadingText{"Чтение настроек...", "The settings are being read..."};
inline constexpr TextPair kWritingText{"Запись настроек...", "The settings are recorded..."};
inline constexpr TextPair kDeviceVersionMismatchText{
    "Версия настроек не совпадает с версией устройства!",
    "The settings version does not match the device version!"};
inline constexpr TextPair kLayoutVersionMismatchText{
    "Версия настроек не совпадает с версией прошивки!",
    "The settings version does not match the firmware version!"};
inline constexpr TextPair kWriteDoneText{"Настройки записаны в МК",
                                         "The settings are recorded in the device"};
inline constexpr TextPair kBackupSavedText{"Прежние настройки МК сохранены в файле",
                                           "The device's previous settings were saved to"};
inline constexpr TextPair kDirectoryDamagedText{
    "Каталог блоков в памяти МК повреждён, запись в МК не выполнялась",
    "The device's block directory is damaged; nothing was written to the device"};
inline constexpr TextPair kDirectoryEntryText{"запись", "entry"};
// "RS232. The device answered page N with a short reply (K bytes)."
inline constexpr TextPair kShortPageReplyText[] = {
    {"RS232. МК ответил на запрос страницы", "RS232. The device answered page"},
    {"коротким ответом", "with a short reply"},
    {"байт", "bytes"}};
inline constexpr TextPair kAddressText{"адрес", "address"};
inline constexpr TextPair kSizeText{"размер", "size"};

inline constexpr TextPair kVerifyingText{"Проверка записанного...", "Checking what was written..."};
inline constexpr TextPair kVerifyFailedText{"МК хранит не то, что было записано",
                                            "The device does not hold what was written"};
inline constexpr TextPair kVerifyDoneText{"Проверка: МК хранит записанное",
                                          "Check: the device holds what was written"};
inline constexpr TextPair kBlockText{"блок", "block"};
inline constexpr TextPair kOffsetText{"смещение", "offset"};
inline constexpr TextPair kWrittenText{"записано", "written"};
inline constexpr TextPair kHeldText{"в МК", "in the device"};

// The first byte a read-back found different from what was written.
struct WriteMismatch {
  int entry = 0;  // directory entry
  int block = 0;  // settings block behind it; 0 for entry 12, which has none
  uint32_t offset = 0;
  uint8_t written = 0, held = 0;
  // "block 3, offset 17: written 0x12, in the device 0x00"
  std::string Describe() const;
};

enum class TransferResult { Done, Cancelled, DeviceVersionMismatch, LayoutVersionMismatch };

struct WriteReport {
  // Where the device's previous image was saved; set before the first write
  // command, so it is there even when the write fails half-way.
  std::string BackupPath;
  uint32_t EntryCount = 0;
  uint32_t EntriesWritten = 0;
};

class TMKTransfer {
 public:
  explicit TMKTransfer(TML_RS& link) : link_(link) {}

  // Found by the last probe; the keep-alive query goes there too.
  uint8_t DeviceAddress = 0xFC;
  uint32_t DeviceMemorySize = 0x2000;
  // Folder for the backup made before a write; empty = DefaultBackupFolder().
  std::string BackupFolder;

  // Why the last search found nothing: the port that would not open, or a
  // device that answered busy or garbled; empty when nothing answered at all.
  std::string LastProbeError;

  // Asked by a write once the device's image was read, the versions checked
  // and the settings encoded, before the backup and the first write command:
  // what the device holds and the image the write would send. False writes
  // nothing and the write ends as Cancelled. Unset: the write goes on.
  std::function<bool(const std::vector<uint8_t>& device, const std::vector<uint8_t>& toWrite,
                     uint16_t version)>
      BeforeWrite;

  // Searches the bus until a device answers (its version word) or the user
  // cancels (nullopt). The progress label shows LastProbeError meanwhile.
  std::optional<uint16_t> ProbeDevice(TransferObserver& obs);
  // Replaces the model's DeviceVersion and image only when the whole image
  // has arrived; the caller decodes the blocks.
  TransferResult ReadDeviceSettings(TMK& mk, TransferObserver& obs);
  // Checks the versions, reads the device's image, keeps a backup of it,
  // encodes the model's blocks into it and writes the directory's blocks.
  TransferResult WriteDeviceSettings(TMK& mk, TransferObserver& obs, WriteReport* report = nullptr);
  // Reads back the pages that hold every entry of sent's directory (the
  // image the last write sent) and compares them with it. Returns the first
  // difference; throws LinkError when the read-back fails.
  std::optional<WriteMismatch> VerifyWrite(const std::vector<uint8_t>& sent, TransferObserver& obs);
  // The version query to DeviceAddress (keep-alive); throws LinkError.
  uint16_t QueryVersion();

 private:
  std::vector<uint8_t> ReadImage(TransferObserver& obs);
  // One 32-byte page of the memory (command 5).
  std::vector<uint8_t> ReadPage(uint32_t page);
  TML_RS& link_;
};

// Checks every directory entry that a write would send against the first
// half of the image of a memory of memorySize bytes. Throws TripError with
// kDirectoryDamagedText and the entry when one would send bytes that are not
// its block's.
void CheckWriteDirectory(const std::vector<uint8_t>& image, uint32_t memorySize);

}  // namespace tc
