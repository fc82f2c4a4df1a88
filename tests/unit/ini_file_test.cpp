// SPDX-License-Identifier: GPL-3.0-or-later
#include "util/ini_file.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "util/files.h"

using namespace tc;
namespace fs = std::filesystem;

TEST(IniFile, MissingFileIsCreatedAndValuesRoundTrip) {
  const fs::path dir = fs::temp_directory_path() / "tripconf-ini-test";
  fs::remove_all(dir);
  fs::create_directories(dir);
  const std::string path = (dir / "tripconf.ini").string();
  {
    TMIniFile ini(path);
    ASSERT_TRUE(fs::exists(path)) << "created on open";
    EXPECT_EQ(ReadWholeFile(path), (std::vector<uint8_t>{' ', '\r', '\n'}));
    EXPECT_EQ(ini.ReadInteger("RS232", "Port", 1), 1);
    EXPECT_TRUE(ini.ReadBool("Common", "EnglishVersion", true));
    ini.WriteInteger("MainWindow", "Left", -20);
    ini.WriteBool("Common", "EnglishVersion", true);
    ini.WriteBool("Common", "Auto", false);
    ini.WriteInteger("MainWindow", "Top", 300);
    ini.WriteString("RS232", "ExtraPorts", "/tmp/a;/tmp/b");
    ini.WriteInteger("MainWindow", "Left", 15);  // replaces, not appends
    ini.Save();
  }
  TMIniFile again(path);
  EXPECT_EQ(again.ReadInteger("MainWindow", "Left", 0), 15);
  EXPECT_EQ(again.ReadInteger("mainwindow", "TOP", 0), 300) << "names ignore case";
  EXPECT_TRUE(again.ReadBool("Common", "EnglishVersion", false));
  EXPECT_FALSE(again.ReadBool("Common", "Auto", true));
  EXPECT_EQ(again.ReadString("RS232", "ExtraPorts", ""), "/tmp/a;/tmp/b");
  EXPECT_EQ(again.ReadInteger("RS232", "ExtraPorts", 7), 7) << "not a number gives the default";
  const std::string text(reinterpret_cast<const char*>(ReadWholeFile(path).data()),
                         ReadWholeFile(path).size());
  EXPECT_NE(text.find("[MainWindow]\r\nLeft=15\r\nTop=300\r\n"), std::string::npos) << text;
  fs::remove_all(dir);
}
