// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Copies of what a device held before a write, kept as ordinary settings
// files in the user's data folder so they can be loaded and written back.
#include <cstdint>
#include <ctime>
#include <string>
#include <vector>

namespace tc {

// $XDG_DATA_HOME/tripconf/backups, or ~/.local/share/tripconf/backups.
std::string DefaultBackupFolder();

// "tripconf-2026-12-08_03-46-08-v0104.dvkps"
std::string BackupFileName(std::time_t when, uint16_t deviceVersion);

// Writes the device's image as a settings file in folder (created if
// needed, mode 0700) as a file of mode 0600 and returns its path. An existing file is never
// replaced. Throws FileError naming the folder and the reason.
std::string SaveDeviceBackup(const std::string& folder, uint16_t deviceVersion,
                             const std::vector<uint8_t>& image, std::time_t when);

}  // namespace tc
