// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Settings files (.dvkps): the device version word, then the whole settings
// image scrambled with a fixed 4096-byte table.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace tc {

class TMK;

extern const std::array<uint8_t, 4096> kScrambleTable;

// No settings memory is larger than 64 KiB; anything bigger is not ours.
constexpr uint64_t kMaxSettingsFileSize = 65536 + 2;

std::vector<uint8_t> EncodeSettingsFile(uint16_t deviceVersion, const std::vector<uint8_t>& image);

struct SettingsFileContents {
  uint16_t deviceVersion = 0;
  std::vector<uint8_t> image;
};
// Throws FileError for data shorter than 2 bytes or larger than any image.
SettingsFileContents DecodeSettingsFile(const std::vector<uint8_t>& bytes);

// Refuses an image whose block directory cannot be a device's: shorter
// than the directory, more than 14 entries to write, an entry that is
// decoded or written (1..11 and 13; 12 when written; 14 unless empty) with
// a size below 4 or lying outside the image, or a layout version above 255.
// Throws FileError naming the first problem.
void CheckSettingsDirectory(const std::vector<uint8_t>& image);

// Writes the model's DeviceVersion and image; the old file stays intact if
// anything fails. Asking before overwriting is the caller's business.
void WriteSettingsFile(const TMK& mk, const std::string& path);
// Replaces the model's DeviceVersion and image. A file that cannot be read
// or is no settings file of this device (CheckSettingsDirectory) leaves the
// model unchanged. The caller decodes the blocks afterwards.
void ReadSettingsFile(TMK& mk, const std::string& path);

}  // namespace tc
