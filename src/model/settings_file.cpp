// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/settings_file.h"

#include "model/tmk.h"
#include "util/errors.h"
#include "util/files.h"
#include "util/text_pair.h"

namespace tc {

namespace {
const TextPair kShortFile{"Это не файл настроек: он короче 2 байт",
                          "This is not a settings file: it is shorter than 2 bytes"};
const TextPair kLargeFile{"Это не файл настроек: он больше любой памяти настроек",
                          "This is not a settings file: it is larger than any settings memory"};
const TextPair kLargeNamedFile{"не файл настроек: он больше любой памяти настроек",
                               "is not a settings file: it is larger than any settings memory"};
const TextPair kBytes{"байт", "bytes"};
}  // namespace

std::vector<uint8_t> EncodeSettingsFile(uint16_t deviceVersion, const std::vector<uint8_t>& image) {
  std::vector<uint8_t> out(image.size() + 2);
  out[0] = uint8_t(deviceVersion);
  out[1] = uint8_t(deviceVersion >> 8);
  for (size_t i = 0; i < image.size(); ++i) out[i + 2] = image[i] ^ kScrambleTable[i % 4096];
  return out;
}

SettingsFileContents DecodeSettingsFile(const std::vector<uint8_t>& bytes) {
  if (bytes.size() < 2) throw FileError(kShortFile());
  if (bytes.size() > kMaxSettingsFileSize)
    throw FileError(kLargeFile() + " (" + std::to_string(bytes.size()) + " " + kBytes() + ")");
  SettingsFileContents c;
  c.deviceVersion = uint16_t(bytes[0] | (bytes[1] << 8));
  c.image.resize(bytes.size() - 2);
  for (size_t i = 0; i < c.image.size(); ++i) c.image[i] = bytes[i + 2] ^ kScrambleTable[i % 4096];
  return c;
}

namespace {

const TextPair kNotSettingsText{"это не файл настроек МК",
                                "this is not a settings file of the device"};
const TextPair kTooShortText{"файл короче каталога блоков",
                             "the file is shorter than the block directory"};
const TextPair kCountText{"каталог блоков называет слишком много записей",
                          "the block directory lists too many entries"};
const TextPair kEntryText{"запись каталога", "directory entry"};
const TextPair kSizeBelow4Text{"размер меньше 4", "size below 4"};
const TextPair kBeforeImageText{"адрес перед началом образа",
                                "address before the start of the image"};
const TextPair kPastEndText{"выходит за конец файла", "reaches past the end of the file"};
const TextPair kLayoutText{"версия разметки настроек вне допустимых пределов",
                           "the settings layout version is out of range"};

uint32_t Le(const std::vector<uint8_t>& b, size_t at, int width) {
  uint32_t v = 0;
  for (int i = width - 1; i >= 0; --i) v = (v << 8) | b[at + size_t(i)];
  return v;
}

}  // namespace

void CheckSettingsDirectory(const std::vector<uint8_t>& image) {
  auto refuse = [](const std::string& why) { return FileError(kNotSettingsText() + ": " + why); };
  if (image.size() < size_t(kDirectorySize))
    throw refuse(kTooShortText() + " (" + std::to_string(image.size()) + " < " +
                 std::to_string(kDirectorySize) + ")");
  const uint32_t count = Le(image, 0, 4);
  if (count > 14) throw refuse(kCountText() + " (" + std::to_string(count) + " > 14)");
  for (int k = 1; k <= 14; ++k) {
    const uint32_t address = Le(image, size_t(4 * k), 2);
    const uint32_t size = Le(image, size_t(4 * k + 2), 2);
    // Entry 12 is only carried, so it matters when the write sends it back;
    // older devices leave entry 14 (block 13) empty.
    if (k == 12 && count < 12) continue;
    if (k == 14 && size == 0) continue;
    const std::string entry = kEntryText() + " " + std::to_string(k) + " (" +
                              std::to_string(address) + ", " + std::to_string(size) + "): ";
    if (size < 4) throw refuse(entry + kSizeBelow4Text());
    if (address < 32) throw refuse(entry + kBeforeImageText());
    if (uint64_t(address) - 32 + (size - 4) > image.size()) throw refuse(entry + kPastEndText());
  }
  const uint32_t layout = Le(image, 60, 4);
  if (layout > 255) throw refuse(kLayoutText() + " (" + std::to_string(layout) + ")");
}

void WriteSettingsFile(const TMK& mk, const std::string& path) {
  WriteFileAtomic(path, EncodeSettingsFile(mk.DeviceVersion, mk.Image()));
}

void ReadSettingsFile(TMK& mk, const std::string& path) {
  std::vector<uint8_t> bytes;
  try {
    bytes = ReadWholeFile(path, kMaxSettingsFileSize);
  } catch (const FileTooLargeError&) {
    // Reword the size refusal so it says what the file is not.
    throw FileError("'" + path + "' " + kLargeNamedFile());
  }
  try {
    SettingsFileContents c = DecodeSettingsFile(bytes);
    CheckSettingsDirectory(c.image);
    mk.ReplaceImage(std::move(c.image), c.deviceVersion);
  } catch (const FileError& e) {
    throw FileError("'" + path + "': " + e.what());
  }
}

}  // namespace tc
