// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/device_backup.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "model/settings_file.h"
#include "util/errors.h"
#include "util/files.h"
#include "util/text_pair.h"

namespace tc {
namespace fs = std::filesystem;

std::string DefaultBackupFolder() {
  fs::path base;
  if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg && *xdg && fs::path(xdg).is_absolute()) {
    base = xdg;
  } else if (const char* home = std::getenv("HOME"); home && *home) {
    base = fs::path(home) / ".local" / "share";
  } else if (const char* profile = std::getenv("USERPROFILE"); profile && *profile) {
    base = fs::path(profile) / "AppData" / "Local";
  } else {
    base = fs::current_path();
  }
  return (base / "tripconf" / "backups").string();
}

std::string BackupFileName(std::time_t when, uint16_t deviceVersion) {
  std::tm tm{};
#if defined(_WIN32)
  localtime_s(&tm, &when);
#else
  localtime_r(&when, &tm);
#endif
  char buf[64];
  std::snprintf(buf, sizeof buf, "tripconf-%04d-%02d-%02d_%02d-%02d-%02d-v%04X", tm.tm_year + 1900,
                tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec, deviceVersion);
  return std::string(buf) + ".dvkps";
}

std::string SaveDeviceBackup(const std::string& folder, uint16_t deviceVersion,
                             const std::vector<uint8_t>& image, std::time_t when) {
  std::error_code ec;
  // The backups hold the owner's trips and costs: nobody else may look in.
  const bool created = fs::create_directories(folder, ec);
  if (ec) {
    const TextPair text{"Не удалось создать папку для копий настроек",
                        "Cannot create the backup folder"};
    throw FileError(text() + " '" + folder + "': " + ec.message());
  }
  if (created) {
    fs::permissions(folder, fs::perms::owner_all, fs::perm_options::replace, ec);
    if (ec) {
      const TextPair text{"Не удалось закрыть папку копий от других пользователей",
                          "Cannot make the backup folder private"};
      throw FileError(text() + " '" + folder + "': " + ec.message());
    }
  }
  const std::string name = BackupFileName(when, deviceVersion);
  fs::path path = fs::path(folder) / name;
  // Two writes within one second keep both copies.
  for (int i = 2; fs::exists(path, ec); ++i)
    path =
        fs::path(folder) / (name.substr(0, name.size() - 6) + "-" + std::to_string(i) + ".dvkps");
  WriteFileAtomic(path.string(), EncodeSettingsFile(deviceVersion, image));
  fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write, fs::perm_options::replace,
                  ec);
  if (ec)
    throw FileError(TextPair{"Не удалось закрыть копию настроек от других пользователей",
                             "Cannot make the backup private"}() +
                    " '" + path.string() + "': " + ec.message());
  return path.string();
}

}  // namespace tc
