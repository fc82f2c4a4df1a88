// SPDX-License-Identifier: GPL-3.0-or-later
// tripconf-cli catalog and the variant lines of tripconf-cli info.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <sstream>

#include "cli_runner.h"
#include "model/sample_image.h"
#include "model/settings_file.h"
#include "util/files.h"

namespace fs = std::filesystem;

namespace {

using tc::testing::RunCli;

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string l; std::getline(in, l);) lines.push_back(l);
  return lines;
}

size_t Fields(const std::string& line) {
  return size_t(std::count(line.begin(), line.end(), '\t')) + 1;
}

TEST(CliCatalog, ListsProtocolsOfAVariant) {
  const auto r = RunCli("catalog --device 0x104 --list protocols --lang en");
  ASSERT_EQ(r.status, 0) << r.out;
  const auto lines = Lines(r.out);
  ASSERT_EQ(lines.size(), 75u);
  EXPECT_EQ(lines[0],
            "0\t11\tM74CAN\t1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18 25 20 33 22 23 24 36 37 "
            "19\t8 10 11 15 25 27 77 28 29 30 36 37 55 56 57 58 59 60 76 83 90\t1");
  EXPECT_EQ(lines[74], "74\t255\tUni.\t1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16\t\t1000");

  const auto ru = RunCli("catalog --device 0xE01 --list protocols --lang ru");
  ASSERT_EQ(ru.status, 0) << ru.out;
  EXPECT_NE(ru.out.find("\t254\tКарб.\t"), std::string::npos);
  EXPECT_NE(ru.out.find("\t220\tMarlin\t"), std::string::npos);
}

TEST(CliCatalog, ListsFlagsParamsAndMenu) {
  auto r = RunCli("catalog --device 0x8003 --list flags");
  ASSERT_EQ(r.status, 0) << r.out;
  EXPECT_EQ(Lines(r.out),
            (std::vector<std::string>{"VariantCan", "VariantHybrid", "VariantOscilloscope",
                                      "VariantSecondTank", "VariantAddSystems", "VariantTaximeter",
                                      "VariantInfoPanel"}));

  r = RunCli("catalog --device 0x801 --layout 6 --list params --lang en");
  ASSERT_EQ(r.status, 0) << r.out;
  const auto params = Lines(r.out);
  ASSERT_EQ(params.size(), 64u);
  for (const auto& l : params) EXPECT_EQ(Fields(l), 16u) << l;
  EXPECT_EQ(params[0].rfind("12\tTVelocity\t", 0), 0u) << params[0];
  EXPECT_EQ(params[33].rfind("34\tTLightsFlag1\t", 0), 0u) << params[33];

  r = RunCli("catalog --device 0x104 --list menu --lang en");
  ASSERT_EQ(r.status, 0) << r.out;
  EXPECT_NE(r.out.find("\tFullTankMenu\t0\t"), std::string::npos);
  EXPECT_NE(r.out.find("\tTaxStartFinishMenu\t2\t"), std::string::npos);
  for (const auto& l : Lines(r.out)) EXPECT_EQ(Fields(l), 4u) << l;
}

TEST(CliCatalog, RefusesBadOptionsWithAMessage) {
  // A variant without protocols lists its (empty) flags, unless a protocol is asked for.
  auto r = RunCli("catalog --device 0x1 --layout 6 --list flags");
  EXPECT_EQ(r.status, 0) << r.out;
  EXPECT_EQ(r.out, "");
  r = RunCli("catalog --device 0x1 --layout 6 --protocol 0 --list flags");
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.out.find("List index out of bounds (0)"), std::string::npos) << r.out;

  for (const char* bad :
       {"--device 0x10000 --list flags", "--device 0x104 --list everything",
        "--device 0x104 --layout 256 --list flags", "--device 0x104 --protocol 300 --list flags",
        "--list flags", "--device 0x104", "--device abc --list flags"}) {
    r = RunCli(std::string("catalog ") + bad);
    EXPECT_EQ(r.status, 1) << bad;
    EXPECT_NE(r.out.find("tripconf-cli catalog: "), std::string::npos) << r.out;
  }
}

TEST(CliCatalog, InfoShowsTheVariantOfAFile) {
  const fs::path dir = fs::temp_directory_path() / "tripconf-cli-catalog-info";
  fs::remove_all(dir);
  fs::create_directories(dir);
  const std::string hybrid = (dir / "hybrid.dvkps").string();
  ASSERT_EQ(RunCli("sample v8003-32k --out " + hybrid).status, 0);
  auto r = RunCli("info " + hybrid + " --lang en");
  ASSERT_EQ(r.status, 0) << r.out;
  EXPECT_NE(r.out.find("project\tTC-8003\n"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("flags\tVariantCan VariantHybrid "), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("protocol\t2\t234\tToyota Sai\n"), std::string::npos) << r.out;

  // A stored protocol the variant does not offer is reported, not fatal.
  tc::SampleSetup setup = tc::SampleSetupByName("v104-8k");
  setup.protocol = 200;
  const std::string odd = (dir / "odd.dvkps").string();
  tc::WriteFileAtomic(odd,
                      tc::EncodeSettingsFile(setup.deviceVersion, tc::BuildSampleImage(setup)));
  r = RunCli("info " + odd);
  ASSERT_EQ(r.status, 0) << r.out;
  EXPECT_NE(r.out.find("protocol\t-\tList index out of bounds (200)"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("entry\taddress\tsize\tblock"), std::string::npos);
  fs::remove_all(dir);
}

}  // namespace
