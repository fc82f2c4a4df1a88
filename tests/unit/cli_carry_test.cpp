// SPDX-License-Identifier: GPL-3.0-or-later
// tripconf-cli carry, run as a user runs it: the account, the exit status,
// the new file, and a dry run that writes nothing.
#include <gtest/gtest.h>

#include <filesystem>

#include "cli_runner.h"
#include "util/files.h"

namespace fs = std::filesystem;

using tc::testing::RunCli;
using CliCarry = tc::testing::TempDirTest;

TEST_F(CliCarry, AccountExitStatusAndNewFile) {
  ASSERT_EQ(RunCli("sample v104-8k --out " + P("old.dvkps")).status, 0);
  ASSERT_EQ(RunCli("sample ve01-32k --out " + P("new.dvkps")).status, 0);
  // Protocol 12 chosen by hand: the newer variant does not know it.
  ASSERT_EQ(
      RunCli("set " + P("old.dvkps") + " cbProtocolSelectMeth=Man. cbProtocol=#2 seTankContFull=75")
          .status,
      0);
  const auto target = tc::ReadWholeFile(P("new.dvkps"));

  auto r = RunCli(
      "carry " + P("old.dvkps") + " " + P("new.dvkps") + " --out " + P("out.dvkps") + " --lang en",
      false);
  EXPECT_EQ(r.status, 3) << r.out;
  EXPECT_NE(r.out.find("cbProtocol\tProtocol\tvalue not offered\t"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("seTankContFull\tFull tank (petrol), l\tcarried\t75"), std::string::npos);
  EXPECT_NE(r.out.find("# Correction\n"), std::string::npos);
  // The target is left as it was; the result went to --out.
  EXPECT_EQ(tc::ReadWholeFile(P("new.dvkps")), target);
  r = RunCli("get " + P("out.dvkps") + " seTankContFull");
  EXPECT_EQ(r.out, "75\n");

  // Russian by default texts, JSON for scripts.
  r = RunCli("carry " + P("old.dvkps") + " " + P("new.dvkps") + " --dry-run --json --lang ru",
             false);
  EXPECT_EQ(r.status, 3);
  EXPECT_EQ(r.out.rfind("{\"complete\": false", 0), 0u) << r.out;
  EXPECT_NE(r.out.find("\"outcome\": \"not-offered\""), std::string::npos);
  EXPECT_NE(r.out.find("значение не предлагается"), std::string::npos);

  // Onto itself everything comes along.
  r = RunCli("carry " + P("new.dvkps") + " " + P("new.dvkps") + " --out " + P("same.dvkps"), false);
  EXPECT_EQ(r.status, 0) << r.out;
  EXPECT_EQ(tc::ReadWholeFile(P("same.dvkps")), target);
}

TEST_F(CliCarry, DryRunWritesNothingAndMistakesAreSaid) {
  ASSERT_EQ(RunCli("sample v8002-8k --out " + P("a.dvkps")).status, 0);
  ASSERT_EQ(RunCli("sample v104-8k --out " + P("b.dvkps")).status, 0);
  auto r =
      RunCli("carry " + P("a.dvkps") + " " + P("b.dvkps") + " --dry-run --out " + P("out.dvkps"));
  EXPECT_EQ(r.status, 0) << r.out;
  EXPECT_FALSE(fs::exists(P("out.dvkps")));

  r = RunCli("carry " + P("a.dvkps") + " " + P("b.dvkps") + " --lang en");
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.out.find("give --out NEW.dvkps"), std::string::npos) << r.out;
  r = RunCli("carry " + P("a.dvkps") + " --out " + P("out.dvkps") + " --lang en");
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.out.find("TARGET.dvkps"), std::string::npos) << r.out;
  tc::WriteFileAtomic(P("short.dvkps"), std::vector<uint8_t>{1, 2, 3});
  r = RunCli("carry " + P("short.dvkps") + " " + P("b.dvkps") + " --out " + P("out.dvkps"));
  EXPECT_EQ(r.status, 1);
  EXPECT_FALSE(fs::exists(P("out.dvkps")));
}
