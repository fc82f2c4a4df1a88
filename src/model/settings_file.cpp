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
    mk.ReplaceImage(std::move(c.image), c.deviceVersion);
  } catch (const FileError& e) {
    throw FileError("'" + path + "': " + e.what());
  }
}

}  // namespace tc
