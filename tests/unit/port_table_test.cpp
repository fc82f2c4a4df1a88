// SPDX-License-Identifier: GPL-3.0-or-later
// The numbered port table, the ini entry and the reasons a port fails to open.
#include "link/port_table.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <fstream>

#include "fake_line.h"
#include "link/ml_rs.h"
#include "link/posix_channel.h"
#include "util/ini_file.h"
#include "util/text_pair.h"

using namespace tc;
namespace fs = std::filesystem;

TEST(PortTable, ExtrasFirstThenSystemPortsInNaturalOrder) {
  std::vector<PortInfo> sys = {{"ttyUSB10", "/dev/ttyUSB10", ""},
                               {"ttyS0", "/dev/ttyS0", ""},
                               {"ttyUSB2", "/dev/ttyUSB2", "FT232R USB UART"},
                               {"ttyACM0", "/dev/ttyACM0", ""}};
  const auto extras = SplitExtraPorts(" /tmp/sim ; ;/dev/ttyUSB2;/tmp/sim");
  EXPECT_EQ(extras, (std::vector<std::string>{"/tmp/sim", "/dev/ttyUSB2", "/tmp/sim"}));
  const auto t = BuildPortTable(sys, extras);
  std::vector<std::string> paths;
  for (const auto& p : t) paths.push_back(p.path);
  EXPECT_EQ(paths, (std::vector<std::string>{"/tmp/sim", "/dev/ttyUSB2", "/dev/ttyACM0",
                                             "/dev/ttyS0", "/dev/ttyUSB10"}));
  EXPECT_EQ(PortDisplayName(3, {"ttyUSB0", "/dev/ttyUSB0", "FT232R USB UART"}),
            "COM3 — /dev/ttyUSB0 (FT232R USB UART)");
  EXPECT_EQ(PortDisplayName(12, {"ttyS0", "/dev/ttyS0", ""}), "COM12 — /dev/ttyS0");
  EXPECT_TRUE(NaturalLess("ttyS2", "ttyS10"));
  EXPECT_FALSE(NaturalLess("ttyS10", "ttyS2"));
  EXPECT_TRUE(NaturalLess("ttyACM9", "ttyS0"));

  std::vector<PortInfo> many;
  for (int i = 0; i < 40; ++i)
    many.push_back({"ttyS" + std::to_string(i), "/dev/ttyS" + std::to_string(i), ""});
  EXPECT_EQ(BuildPortTable(many, {}).size(), 32u);
}

TEST(PortTable, StoredPortFallsBackToTheLowestExistingOne) {
  // COM1 and COM3 exist, COM2 (an extra path) does not.
  test::FakeLine line;
  LinkPlatform p = line.Platform();
  p.ListPorts = [] {
    return std::vector<PortInfo>{{"ttyS1", "/dev/ttyS1", ""}, {"ttyS0", "/dev/ttyS0", ""}};
  };
  p.PortExists = [](const std::string& path) { return path.rfind("/dev/", 0) == 0; };
  std::vector<std::string> shown;
  p.ShowError = [&](const std::string& t) { shown.push_back(t); };
  TML_RS rs(p);
  EXPECT_EQ(rs.PortNumber, 1);

  const std::string iniPath =
      fs::temp_directory_path() / ("tc-port-" + std::to_string(::getpid()) + ".ini");
  {
    TMIniFile ini(iniPath);
    ini.WriteString("RS232", "ExtraPorts", "/nowhere/sim");
    ini.WriteInteger("RS232", "Port", 2);
    rs.LoadLinkSettings(ini);
    EXPECT_EQ(rs.PortName(1), "COM1 — /nowhere/sim");
    EXPECT_FALSE(rs.PortAvailable[1]);
    EXPECT_TRUE(rs.PortAvailable[2] && rs.PortAvailable[3]);
    EXPECT_EQ(rs.PortNumber, 2);
    ini.WriteInteger("RS232", "Port", 1);
    rs.LoadLinkSettings(ini);
    EXPECT_EQ(rs.PortNumber, 2);
    EXPECT_TRUE(rs.PortOpen);
    EXPECT_EQ(rs.PortPath(), "/dev/ttyS0");
    rs.SaveLinkSettings(ini);
    EXPECT_EQ(ini.ReadInteger("RS232", "Port", 0), 2);
  }
  fs::remove(iniPath);
  EXPECT_TRUE(shown.empty());

  // No port at all: the error is shown at construction and on every open.
  p.ListPorts = [] { return std::vector<PortInfo>{}; };
  TML_RS none(p);
  none.OpenPort(1);
  EXPECT_EQ(shown, (std::vector<std::string>{"Can not find free serial port!",
                                             "Can not find free serial port!"}));
  EXPECT_FALSE(none.PortOpen);
  EXPECT_EQ(none.PortNumber, 0);
}

TEST(PortTable, OpenFailureKeepsTheSystemsReason) {
  SetEnglishVersion(true);
  test::FakeLine line;
  LinkPlatform p = line.Platform();
  p.NewChannel = [] { return std::make_unique<PosixChannel>(); };
  p.ListPorts = [] { return std::vector<PortInfo>{{"x", "/nonexistent/ttyX", ""}}; };
  TML_RS rs(p);
  rs.OpenPort(1);
  EXPECT_FALSE(rs.PortOpen);
  EXPECT_EQ(rs.LastOpenFailure(), PortOpenFailure::NotFound);
  EXPECT_NE(rs.LastOpenError().find("/nonexistent/ttyX"), std::string::npos);

  // A plain file is no serial port.
  const std::string file = fs::temp_directory_path() / ("tc-notatty-" + std::to_string(::getpid()));
  { std::ofstream(file) << "x"; }
  rs.OpenPath(file);
  EXPECT_FALSE(rs.PortOpen);
  EXPECT_NE(rs.LastOpenError().find("This is not a serial port"), std::string::npos);
  fs::remove(file);

  EXPECT_EQ(PortOpenErrorFromErrno(EACCES, "/dev/ttyUSB0").Kind(),
            PortOpenFailure::PermissionDenied);
  EXPECT_NE(std::string(PortOpenErrorFromErrno(EACCES, "/dev/ttyUSB0").what()).find("dialout"),
            std::string::npos);
  EXPECT_EQ(PortOpenErrorFromErrno(EBUSY, "/dev/ttyUSB0").Kind(), PortOpenFailure::Busy);
  EXPECT_NE(
      std::string(PortOpenErrorFromErrno(EBUSY, "/dev/ttyUSB0").what()).find("Another program"),
      std::string::npos);
}
