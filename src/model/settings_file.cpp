#include "model/settings_file.h"

#include "model/tmk.h"
#include "util/errors.h"
#include "util/files.h"

namespace tc {

std::vector<uint8_t> EncodeSettingsFile(uint16_t deviceVersion, const std::vector<uint8_t>& image) {
  std::vector<uint8_t> out(image.size() + 2);
  out[0] = uint8_t(deviceVersion);
  out[1] = uint8_t(deviceVersion >> 8);
  for (size_t i = 0; i < image.size(); ++i) out[i + 2] = image[i] ^ kScrambleTable[i % 4096];
  return out;
}

SettingsFileContents DecodeSettingsFile(const std::vector<uint8_t>& bytes) {
  if (bytes.size() < 2) throw FileError("This is not a settings file: it is shorter than 2 bytes");
  if (bytes.size() > kMaxSettingsFileSize)
    throw FileError("This is not a settings file: it is larger than any settings memory (" +
                    std::to_string(bytes.size()) + " bytes)");
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
  } catch (const FileError& e) {
    // Reword the size refusal so it says what the file is not.
    if (FileExists(path) && std::string(e.what()).find("too large") != std::string::npos)
      throw FileError("'" + path +
                      "' is not a settings file: it is larger than any settings memory");
    throw;
  }
  try {
    SettingsFileContents c = DecodeSettingsFile(bytes);
    mk.ReplaceImage(std::move(c.image), c.deviceVersion);
  } catch (const FileError& e) {
    throw FileError("'" + path + "': " + e.what());
  }
}

}  // namespace tc
