// SPDX-License-Identifier: GPL-3.0-or-later
// tripconf-cli's file commands, run as a user runs them.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <filesystem>

#include "cli_runner.h"
#include "model/sample_image.h"
#include "util/files.h"

namespace fs = std::filesystem;

using tc::testing::RunCli;
using CliFile = tc::testing::TempDirTest;

TEST_F(CliFile, PackUnpackRoundTripAndInfo) {
  const auto image = tc::BuildSampleImage(tc::SampleSetupByName("ve01-32k"));
  tc::WriteFileAtomic(P("image.bin"), image);
  auto r = RunCli("pack " + P("image.bin") + " --version 0xE01 --out " + P("s.dvkps"));
  ASSERT_EQ(r.status, 0) << r.out;
  r = RunCli("unpack " + P("s.dvkps") + " --out " + P("back.bin"));
  ASSERT_EQ(r.status, 0) << r.out;
  EXPECT_EQ(tc::ReadWholeFile(P("back.bin")), image);
  r = RunCli("info " + P("s.dvkps"));
  ASSERT_EQ(r.status, 0) << r.out;
  EXPECT_NE(r.out.find("device version\t0x0E01"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("layout version\t7"), std::string::npos);
  EXPECT_NE(r.out.find("image size\t32704 bytes"), std::string::npos);
  EXPECT_NE(r.out.find("1\t0x0064\t172\t1\n"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("14\t0x0C80\t20\t13\n"), std::string::npos) << r.out;
}

TEST_F(CliFile, DumpShowsDecodedBlocks) {
  ASSERT_EQ(RunCli("sample v104-8k --out " + P("s.dvkps")).status, 0);
  auto r = RunCli("dump " + P("s.dvkps") + " --block 13");
  ASSERT_EQ(r.status, 0) << r.out;
  EXPECT_NE(r.out.find("block 13 (16 bytes)\n  0000  64 00 C8 00"), std::string::npos) << r.out;
  r = RunCli("dump " + P("s.dvkps"));
  EXPECT_NE(r.out.find("block 7 (860 bytes)"), std::string::npos);
}

TEST_F(CliFile, ErrorsAreOneLineAndExitOne) {
  tc::WriteFileAtomic(P("short.dvkps"), std::vector<uint8_t>{1});
  tc::WriteFileAtomic(P("tiny.dvkps"), std::vector<uint8_t>{1, 0});
  const char* bad[] = {"info /nonexistent/x.dvkps",
                       "info SHORT",
                       "dump TINY",
                       "dump TINY --block 14",
                       "pack SHORT --version 0x10000 --out OUT",
                       "pack SHORT --out OUT",
                       "unpack TINY",
                       "sample nope --out OUT",
                       "frobnicate"};
  for (std::string args : bad) {
    for (auto [k, v] :
         {std::pair{"SHORT", "short.dvkps"}, {"TINY", "tiny.dvkps"}, {"OUT", "out.dvkps"}}) {
      const auto at = args.find(k);
      if (at != std::string::npos) args.replace(at, std::string(k).size(), P(v));
    }
    SCOPED_TRACE(args);
    const auto r = RunCli(args);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 1) << r.out;
  }
  EXPECT_FALSE(fs::exists(P("out.dvkps")));
  for (const char* cmd : {"info", "pack", "unpack", "dump", "sample"})
    EXPECT_EQ(RunCli(std::string(cmd) + " --help").status, 0) << cmd;
}
