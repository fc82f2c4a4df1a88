// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes as the ini file beside the program: every read the program
// makes, a write of every kind and the save.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <string>

#include "fuzz_input.h"
#include "link/port_table.h"
#include "util/files.h"
#include "util/ini_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const std::string path = "/tmp/tripconf-fuzz-ini-" + std::to_string(::getpid()) + ".ini";
  tc::fuzz::Input in(data, size);
  // The first bytes name what is asked for; the rest is the file.
  const std::string section = in.Text(), key = in.Text();
  tc::WriteFileAtomic(path, in.Rest());
  tc::TMIniFile ini(path);
  (void)ini.ReadInteger("RS232", "Port", 1);
  (void)ini.ReadBool("Common", "EnglishVersion", false);
  (void)ini.ReadString("RS232", "ExtraPorts", "");
  (void)ini.ReadInteger("MainWindow", "Left", 0);
  (void)ini.ReadString(section, key, "x");
  (void)ini.ReadInteger(section, key, -1);
  (void)tc::SplitExtraPorts(ini.ReadString("RS232", "ExtraPorts", ""));
  ini.WriteInteger("RS232", "Port", 7);
  ini.WriteBool(section, key, true);
  ini.WriteString(section, key + "2", "value");
  ini.Save();
  // Reading our own file back must work whatever the keys were.
  tc::TMIniFile again(path);
  (void)again.ReadString(section, key + "2", "");
  std::remove(path.c_str());
  return 0;
}
