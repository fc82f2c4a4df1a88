#pragma once
// The two transfers the main window runs: reading the device's settings
// memory into the model, and writing the model's settings into the device.
// The GUI, the CLI and the tests drive them through a TransferObserver.
#include <cstdint>
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
inline constexpr TextPair kAddressText{"адрес", "address"};
inline constexpr TextPair kSizeText{"размер", "size"};

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

  // Searches the bus until a device answers (its version word) or the user
  // cancels (nullopt).
  std::optional<uint16_t> ProbeDevice(TransferObserver& obs);
  // Replaces the model's DeviceVersion and image only when the whole image
  // has arrived; the caller decodes the blocks.
  TransferResult ReadDeviceSettings(TMK& mk, TransferObserver& obs);
  // Checks the versions, reads the device's image, keeps a backup of it,
  // encodes the model's blocks into it and writes the directory's blocks.
  TransferResult WriteDeviceSettings(TMK& mk, TransferObserver& obs, WriteReport* report = nullptr);
  // The version query to DeviceAddress (keep-alive); throws LinkError.
  uint16_t QueryVersion();

 private:
  std::vector<uint8_t> ReadImage(TransferObserver& obs);
  TML_RS& link_;
};

// Checks every directory entry that a write would send against the first
// half of the image of a memory of memorySize bytes. Throws TripError with
// kDirectoryDamagedText and the entry when one would send bytes that are not
// its block's.
void CheckWriteDirectory(const std::vector<uint8_t>& image, uint32_t memorySize);

}  // namespace tc
