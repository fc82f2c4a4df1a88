// SPDX-License-Identifier: GPL-3.0-or-later
// The hot menus and the additional systems through tripconf-cli, on every
// sample: set, get and diff agree, and the notes and refusals reach the user.
#include <gtest/gtest.h>

#include "cli_runner.h"
#include "util/files.h"

namespace {
using tc::ReadWholeFile;
using tc::testing::RunCli;

class CliHotMenuBlocks : public tc::testing::TempDirTest {};

TEST_F(CliHotMenuBlocks, SetGetAndDiffOnEverySample) {
  for (const char* sample : {"v104-8k", "v8002-8k", "v8003-32k", "ve01-32k"}) {
    SCOPED_TRACE(sample);
    const std::string a = P(std::string(sample) + ".dvkps"), b = P("b.dvkps");
    ASSERT_EQ(RunCli("sample " + std::string(sample) + " --out " + a).status, 0);
    auto r = RunCli("set " + a +
                    " sghmParams=VentOnMenu,FullTankMenu sghmAver=TripJournMenu sghmTax=- "
                    "sghmPark=- sgUsedBlocks=21,22 --out " +
                    b + " --lang en");
    ASSERT_EQ(r.status, 0) << r.out;
    r = RunCli("get " + b + " sghmParams sghmAver sghmTax sghmPark sgUsedBlocks --lang en", false);
    // Without voice entries the codes after them are two lower.
    const std::string trips = std::string(sample) == "ve01-32k" ? "50" : "52";
    EXPECT_EQ(r.out, "5 VentOnMenu (Fan On/Off), 2 FullTankMenu (Refuel.until full)\n" + trips +
                         " TripJournMenu (Trip log)\n-\n-\n21 (ABS 5.3), 22 (ABS 8/9)\n");
    // What get printed is taken back unchanged.
    const std::string menu = r.out.substr(0, r.out.find('\n'));
    r = RunCli("set " + b + " 'sghmParams=" + menu + "' --out " + P("c.dvkps"));
    ASSERT_EQ(r.status, 0) << r.out;
    EXPECT_EQ(RunCli("diff " + b + " " + P("c.dvkps")).status, 0);
    r = RunCli("diff " + a + " " + b + " --lang en");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.out.find("sgUsedBlocks\tSelected add.systems\t"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("sghmParams\tParameters\t"), std::string::npos) << r.out;
    EXPECT_EQ(r.out.find("block 5\t"), std::string::npos) << r.out;
    EXPECT_EQ(r.out.find("block 10\t"), std::string::npos) << r.out;
  }
}

TEST_F(CliHotMenuBlocks, ElevenEntriesOrEntriesOfSeveralItemsAreRefused) {
  const std::string a = P("a.dvkps");
  ASSERT_EQ(RunCli("sample v104-8k --out " + a).status, 0);
  const auto original = ReadWholeFile(a);
  auto r = RunCli("set " + a + " sghmAver=46,47,48,49,50,51,52,53,54,75,97 --lang ru");
  EXPECT_EQ(r.status, 1) << r.out;
  EXPECT_NE(r.out.find("sghmAver: в горячем меню не больше десяти пунктов, а указано 11"),
            std::string::npos)
      << r.out;
  EXPECT_EQ(ReadWholeFile(a), original);
  for (const char* entry : {"'sghmParams=5 9 12'", "'sghmParams=5 FullTankMenu'",
                            "'sgUsedBlocks=22 21'", "'sgUsedBlocks=21 x'"}) {
    r = RunCli("set " + a + " " + entry + " --lang en");
    EXPECT_EQ(r.status, 1) << entry << ": " << r.out;
    EXPECT_NE(r.out.find("is not one"), std::string::npos) << entry << ": " << r.out;
    EXPECT_EQ(ReadWholeFile(a), original) << entry;
  }
  r = RunCli("set " + a + " sghmAver=52,FullTankMenu --lang en");
  EXPECT_NE(r.status, 0);
  EXPECT_NE(r.out.find("'FullTankMenu' is no item of the hot menu \"Average\""), std::string::npos)
      << r.out;
  EXPECT_NE(r.out.find("nothing was written"), std::string::npos) << r.out;
  EXPECT_EQ(ReadWholeFile(a), original);
  // A caption with spaces names its item.
  r = RunCli("set " + a + " 'sghmParams=Fan On/Off' --lang en");
  ASSERT_EQ(r.status, 0) << r.out;
  r = RunCli("get " + a + " sghmParams --lang en", false);
  EXPECT_EQ(r.out, "5 VentOnMenu (Fan On/Off)\n");
}

}  // namespace
