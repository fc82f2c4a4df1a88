// SPDX-License-Identifier: GPL-3.0-or-later
// The Windows port rules: COM numbering and order, the table the port dialog
// and the ini share, error texts and read time-outs. Pure functions, so they
// run in the Linux suite as well as under Wine.
#include "link/win_port_rules.h"

#include <gtest/gtest.h>

#include <climits>

#include "fake_line.h"
#include "link/ml_rs.h"
#include "util/text_pair.h"

using namespace tc;

namespace {

std::vector<std::string> Names(const std::vector<PortInfo>& ports) {
  std::vector<std::string> out;
  for (const auto& p : ports) out.push_back(p.systemName);
  return out;
}

PortInfo Com(const std::string& name) {
  return {name, ComDevicePath(name), "\\Device\\Serial"};
}

}  // namespace

TEST(WinPortRules, ComNamesAndDevicePaths) {
  EXPECT_EQ(ComPortNumber("COM3"), 3);
  EXPECT_EQ(ComPortNumber("com12"), 12);
  EXPECT_EQ(ComPortNumber("COM255"), 255);
  for (const char* bad :
       {"COM", "COM0", "COM03", "COM256", "COM3 ", "COMx", "LPT1", "CNCA0", "COM99999999999", ""})
    EXPECT_EQ(ComPortNumber(bad), 0) << bad;

  EXPECT_EQ(ComDevicePath("COM12"), "\\\\.\\COM12");
  EXPECT_EQ(ComDevicePath("\\\\.\\COM3"), "\\\\.\\COM3");
  EXPECT_EQ(ComDevicePath("\\\\?\\COM3"), "\\\\?\\COM3");
}

TEST(WinPortRules, PortsSortByNumberThenOtherNames) {
  std::vector<PortInfo> ports = {Com("COM12"), Com("CNCB0"), Com("COM3"),
                                 Com("COM1"),  Com("CNCA0"), Com("COM10")};
  SortComPorts(ports);
  EXPECT_EQ(Names(ports),
            (std::vector<std::string>{"COM1", "COM3", "COM10", "COM12", "CNCA0", "CNCB0"}));
}

TEST(WinPortRules, TableKeepsComNumbersAndFillsFreeOnes) {
  // COM3 and COM12: numbers 3 and 12, the slots between them empty.
  auto table = BuildComPortTable({Com("COM12"), Com("COM3")}, {});
  ASSERT_EQ(table.size(), 12u);
  EXPECT_EQ(table[2].systemName, "COM3");
  EXPECT_EQ(table[11].path, "\\\\.\\COM12");
  for (size_t i : {0u, 1u, 3u, 10u}) EXPECT_TRUE(table[i].path.empty()) << i;

  // Extra paths and ports past COM32 take the lowest free numbers; a path
  // already in the table is not listed twice.
  table = BuildComPortTable({Com("COM2"), Com("COM40"), Com("CNCA0")},
                            {"\\\\.\\CNCB0", "\\\\.\\COM2", ""});
  EXPECT_EQ(Names(table), (std::vector<std::string>{"CNCB0", "COM2", "COM40", "CNCA0"}));

  // Never more than 32 numbers.
  std::vector<PortInfo> many;
  for (int n = 1; n <= 40; ++n) many.push_back(Com("COM" + std::to_string(n)));
  table = BuildComPortTable(many, {"\\\\.\\CNCA0"});
  ASSERT_EQ(table.size(), size_t(kMaxPorts));
  EXPECT_EQ(table.back().systemName, "COM32");
  EXPECT_TRUE(BuildComPortTable({}, {}).empty());
}

TEST(WinPortRules, LinkNumbersPortsAsWindowsDoes) {
  // The link on the Windows table: the stored port 2 does not exist, so the
  // lowest existing one (COM3) is opened, and the dialog shows "COM3".
  SetEnglishVersion(true);
  test::FakeLine line;
  LinkPlatform p = line.Platform();
  p.ListPorts = [] {
    return std::vector<PortInfo>{Com("COM12"), {"COM3", "\\\\.\\COM3", "\\Device\\VCP0"}};
  };
  p.PortExists = [](const std::string& path) { return !path.empty(); };
  p.BuildTable = BuildComPortTable;
  TML_RS rs(p);
  EXPECT_EQ(rs.PortCount, 2);
  EXPECT_FALSE(rs.PortAvailable[1]);
  EXPECT_TRUE(rs.PortAvailable[3]);
  EXPECT_TRUE(rs.PortAvailable[12]);
  EXPECT_EQ(rs.PortNumber, 3);
  rs.OpenPort(2);
  EXPECT_TRUE(rs.PortOpen);
  EXPECT_EQ(rs.PortNumber, 3);
  EXPECT_EQ(rs.PortPath(), "\\\\.\\COM3");
  EXPECT_EQ(rs.PortName(3), "COM3 (\\Device\\VCP0)");
  rs.OpenPort(12);
  EXPECT_EQ(rs.PortPath(), "\\\\.\\COM12");
}

TEST(WinPortRules, OpenErrorsSayWhatToDoInBothLanguages) {
  struct Case {
    uint32_t code;
    PortOpenFailure kind;
    const char* en;
    const char* ru;
  };
  const Case cases[] = {
      {win32::kFileNotFound, PortOpenFailure::NotFound, "unplugged or does not exist",
       "отключено или не существует"},
      {win32::kDeviceNotConnected, PortOpenFailure::NotFound, "unplugged", "отключено"},
      {win32::kAccessDenied, PortOpenFailure::Busy, "close the program that uses the port",
       "закройте программу"},
      {win32::kSharingViolation, PortOpenFailure::Busy, "Another program holds the port",
       "занят другой программой"},
  };
  for (const Case& c : cases) {
    for (bool english : {true, false}) {
      SetEnglishVersion(english);
      const PortOpenError e = PortOpenErrorFromWin32(c.code, "COM7", "The system text.\r\n");
      EXPECT_EQ(e.Kind(), c.kind) << c.code;
      const std::string what = e.what();
      EXPECT_EQ(what.rfind("COM7: The system text. ", 0), 0u) << what;
      EXPECT_NE(what.find(english ? c.en : c.ru), std::string::npos) << what;
      EXPECT_EQ(what.find('\r'), std::string::npos);
    }
  }
  // An unknown code keeps the system's words; with none, the number.
  SetEnglishVersion(true);
  EXPECT_EQ(PortOpenErrorFromWin32(87, "COM7", "The parameter is incorrect.\r\n").Kind(),
            PortOpenFailure::Other);
  EXPECT_STREQ(PortOpenErrorFromWin32(87, "COM7", "The parameter is incorrect.\r\n").what(),
               "COM7: The parameter is incorrect");
  EXPECT_STREQ(PortOpenErrorFromWin32(87, "COM7", "").what(), "COM7: Windows error 87");
  SetEnglishVersion(false);
  EXPECT_STREQ(PortOpenErrorFromWin32(87, "COM7", "").what(), "COM7: ошибка Windows 87");
  SetEnglishVersion(true);
}

TEST(WinPortRules, ReadTimeoutsWaitForTheFirstByteOnly) {
  constexpr uint32_t kMax = 0xFFFFFFFFu;
  // No wait: return at once with what is there.
  for (int ms : {0, -5}) {
    const CommReadTimeouts t = ReadTimeoutsForWait(ms);
    EXPECT_EQ(t.interval, kMax);
    EXPECT_EQ(t.multiplier, 0u);
    EXPECT_EQ(t.constant, 0u);
  }
  const CommReadTimeouts t = ReadTimeoutsForWait(100);
  EXPECT_EQ(t.interval, kMax);
  EXPECT_EQ(t.multiplier, kMax);
  EXPECT_EQ(t.constant, 100u);
  // MAXDWORD as the constant would mean "wait for ever"; the largest wait stays finite.
  EXPECT_LT(ReadTimeoutsForWait(INT_MAX).constant, kMax);
}
