// The tank calibration page without widgets: the tare table's store rule and
// text form, the point counts, the litres limits, and the tank settings file.
#include "editor_core/page_tank.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "editor_core/visibility.h"
#include "model/service_file.h"
#include "model/tank_file.h"
#include "side_pages_fixture.h"
#include "util/errors.h"
#include "util/files.h"

using namespace tc;
using tc::test::Outcome;
using tc::test::SampleModel;

TEST(TareTable, RowsAreStoredWithTheSlopeMark) {
  SampleModel m("v104-8k");
  ASSERT_TRUE(SetNumber(m.ctx, m.Def("seTarirLeng"), 3));
  m.mk.PutU8(4, 6, 1);
  StoreTareTable(m.mk, {{"10", "200"}, {"20", "400"}, {"30", "600"}});
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(m.mk.GetU8(4, 8 + i), 10 * (i + 1));
    EXPECT_EQ(m.mk.GetInt(S16(4, 144 + 2 * i)), 200 * (i + 1));
  }
  EXPECT_EQ(m.mk.GetU8(4, 6), 0);  // 200 is not above 240
  EXPECT_EQ(FormatValue(m.ctx, m.Def("sgTarir"), true), "10:200 20:400 30:600");

  // 241 marks the slope; a gap left in the mask and blanks count as digits
  // dropped, an empty cell as 0.
  StoreTareTable(m.mk, {{"1 2", "241"}, {"", " 7_"}, {"30", ""}});
  EXPECT_EQ(m.mk.GetU8(4, 6), 1);
  EXPECT_EQ(m.mk.GetU8(4, 8), 12);
  EXPECT_EQ(m.mk.GetU8(4, 9), 0);
  EXPECT_EQ(m.mk.GetInt(S16(4, 146)), 7);
  EXPECT_EQ(m.mk.GetInt(S16(4, 148)), 0);

  // Only rows 1..count are stored: a fourth row of the table is ignored.
  StoreTareTable(m.mk, {{"1", "1"}, {"2", "2"}, {"3", "3"}, {"99", "99"}});
  EXPECT_NE(m.mk.GetU8(4, 11), 99);
  EXPECT_EQ(m.mk.GetU8(4, 6), 0);
}

TEST(TareTable, LitresAboveAByteStopAtThatRow) {
  SampleModel m("v104-8k");
  SetNumber(m.ctx, m.Def("seTarirLeng"), 3);
  StoreTareTable(m.mk, {{"1", "100"}, {"2", "100"}, {"3", "100"}});
  m.mk.PutU8(4, 6, 0);
  EXPECT_EQ(Outcome([&] {
              StoreTareTable(m.mk, {{"10", "300"}, {"256", "400"}, {"30", "500"}});
            }),
            "Range check error");
  EXPECT_EQ(m.mk.GetU8(4, 8), 10);
  EXPECT_EQ(m.mk.GetInt(S16(4, 144)), 300);
  // The refused row and those after it keep what they held.
  EXPECT_EQ(m.mk.GetU8(4, 9), 2);
  EXPECT_EQ(m.mk.GetInt(S16(4, 146)), 100);
  EXPECT_EQ(m.mk.GetU8(4, 10), 3);
  // The stored first row still decides the mark.
  EXPECT_EQ(m.mk.GetU8(4, 6), 1);
}

TEST(TareTable, CountsAboveTheTableReadAsNoPoints) {
  SampleModel m("v104-8k");
  m.mk.PutU8(4, 2, 70);
  EXPECT_EQ(GetNumber(m.ctx, m.Def("seTarirLeng")), 0);
  EXPECT_EQ(FormatValue(m.ctx, m.Def("sgTarir"), true), "");
  EXPECT_TRUE(NormaliseTareCount(m.mk));
  EXPECT_EQ(m.mk.GetU8(4, 2), 0);
  EXPECT_FALSE(NormaliseTareCount(m.mk));
  m.mk.PutU8(4, 2, 68);
  EXPECT_FALSE(NormaliseTareCount(m.mk));
  EXPECT_EQ(TareRows(m.mk).size(), 68u);
  EXPECT_THROW(SetNumber(m.ctx, m.Def("seTarirLeng"), 69), RangeError);
  EXPECT_FALSE(m.Def("seTarirLeng").typing);

  // Without points nothing is stored and the mark stays.
  m.mk.PutU8(4, 2, 0);
  m.mk.PutU8(4, 6, 1);
  const auto before = m.BlockBytes(4);
  StoreTareTable(m.mk, {{"5", "500"}});
  EXPECT_EQ(m.BlockBytes(4), before);
}

TEST(TareTable, TextFormSetsTheCountAndRefusesBadRows) {
  SampleModel m("v104-8k");
  const SettingDef& t = m.Def("sgTarir");
  EXPECT_TRUE(SetFromText(m.ctx, t, " 10:200 20:400,30:600 "));
  EXPECT_EQ(m.mk.GetU8(4, 2), 3);
  EXPECT_EQ(FormatValue(m.ctx, t, false), "10:200 20:400 30:600");
  EXPECT_FALSE(SetFromText(m.ctx, t, "10:200 20:400 30:600"));
  EXPECT_TRUE(SetFromText(m.ctx, t, "5:241"));
  EXPECT_EQ(m.mk.GetU8(4, 2), 1);
  EXPECT_EQ(m.mk.GetU8(4, 6), 1);
  EXPECT_TRUE(SetFromText(m.ctx, t, ""));
  EXPECT_EQ(m.mk.GetU8(4, 2), 0);

  EXPECT_NE(Outcome([&] { SetFromText(m.ctx, t, "10-200"); }).find("litres:sensor"),
            std::string::npos);
  EXPECT_NE(Outcome([&] { SetFromText(m.ctx, t, "10:x"); }).find("not a tare point"),
            std::string::npos);
  EXPECT_EQ(Outcome([&] { SetFromText(m.ctx, t, "300:1"); }), "Range check error");
  EXPECT_EQ(Outcome([&] { SetFromText(m.ctx, t, "1:40000"); }), "Range check error");
  std::string many;
  for (int i = 0; i < 69; ++i) many += "1:1 ";
  EXPECT_NE(Outcome([&] { SetFromText(m.ctx, t, many); }).find("at most 68"), std::string::npos);
}

TEST(TankPage, LitresLimitsAndSevenPointRows) {
  SampleModel m("v104-8k");
  m.mk.SetInt(S16(3, 44), 60);
  for (const char* name : {"seLit6L", "seLit43L", "seOilCalibrLitArr6"}) {
    EXPECT_EQ(SettingLimits(m.ctx, m.Def(name)).max, 60) << name;
    EXPECT_THROW(SetNumber(m.ctx, m.Def(name), 61), RangeError) << name;
  }
  EXPECT_TRUE(SetNumber(m.ctx, m.Def("seLit43L"), 60));
  EXPECT_EQ(m.mk.GetInt(S16(3, 6)), 60);
  EXPECT_TRUE(SetNumber(m.ctx, m.Def("seOilCalibrResArr3"), 2000));
  EXPECT_EQ(m.mk.GetInt(S16(3, 14)), 2000);
  EXPECT_THROW(SetNumber(m.ctx, m.Def("seOil6L"), 2001), RangeError);

  SetNumber(m.ctx, m.Def("seOilCalibrQuant"), 3);
  const Visibility v = ControlVisibility(m.ctx);
  EXPECT_TRUE(v.Visible("seOilCalibrResArr2"));
  EXPECT_TRUE(v.Visible("seOilCalibrLitArr2"));
  EXPECT_FALSE(v.Visible("seOilCalibrResArr3"));
  EXPECT_FALSE(v.Visible("seOilCalibrLitArr6"));
  EXPECT_THROW(SetNumber(m.ctx, m.Def("seOilCalibrQuant"), 8), RangeError);
}

namespace {

// Both formats: entries in file order, adjacent, inside their blocks and
// filling the file exactly.
void ExpectWellFormed(const SideFileFormat& f) {
  size_t at = 0;
  for (const SideFileEntry& e : f.entries) {
    EXPECT_EQ(e.fileOffset, at);
    EXPECT_LE(e.field.offset + e.Bytes(), kBlockSize[e.field.block]);
    at += size_t(e.Bytes());
  }
  EXPECT_EQ(at, f.size);
}

}  // namespace

TEST(TankFile, LayoutAndRoundTrip) {
  ExpectWellFormed(TankFileFormat());
  ExpectWellFormed(ServiceFileFormat());
  EXPECT_EQ(TankFileFormat().size, 245u);

  SampleModel a("v104-8k");
  // Distinct bytes in every field the file carries.
  for (int i = 0; i < 37; ++i) a.mk.PutU8(3, i, uint8_t(i * 7 + 1));
  for (int i : {0, 1, 6}) a.mk.PutU8(4, i, uint8_t(200 + i));
  a.mk.PutU8(4, 2, 3);
  for (int i = 8; i < 76; ++i) a.mk.PutU8(4, i, uint8_t(i));
  for (int i = 144; i < 280; ++i) a.mk.PutU8(4, i, uint8_t(i * 3));
  const auto bytes = SideFileBytes(a.mk, TankFileFormat());
  ASSERT_EQ(bytes.size(), 245u);
  EXPECT_EQ(bytes[0], 1);            // 2-point sensor reading of point 1
  EXPECT_EQ(bytes[36], 253);         // 7-point count
  EXPECT_EQ(bytes[37], 200);         // block 4 byte 0
  EXPECT_EQ(bytes[39], 3);           // tare count
  EXPECT_EQ(bytes[40], 206);         // slope mark
  EXPECT_EQ(bytes[41], 8);           // first tare litres
  EXPECT_EQ(bytes[109], 432 % 256);  // first tare sensor value, low byte

  SampleModel b("v8003-32k");
  const auto block4 = b.BlockBytes(4);
  ApplySideFileBytes(b.mk, TankFileFormat(), bytes);
  EXPECT_EQ(SideFileBytes(b.mk, TankFileFormat()), bytes);
  for (int i = 0; i < 37; ++i) EXPECT_EQ(b.mk.GetU8(3, i), a.mk.GetU8(3, i)) << i;
  // Bytes no entry names stay as they were.
  for (int i : {3, 4, 5, 7, 76, 143, 280}) EXPECT_EQ(b.mk.GetU8(4, i), block4[size_t(i)]) << i;
  EXPECT_EQ(b.mk.GetU8(3, 37), SampleModel("v8003-32k").mk.GetU8(3, 37));
}

TEST(TankFile, ShortEmptyAndForeignFiles) {
  const auto dir = std::filesystem::temp_directory_path() / "tripconf-tank-file-test";
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir);
  const auto write = [&](const char* name, size_t n) {
    const std::string p = (dir / name).string();
    WriteFileAtomic(p, std::vector<uint8_t>(n, 0x11));
    return p;
  };
  const SideFileFormat& f = TankFileFormat();
  SetEnglishVersion(true);
  EXPECT_NE(Outcome([&] { ReadSideFile(f, write("empty.dvkpo", 0)); }).find("is empty"),
            std::string::npos);
  EXPECT_NE(
      Outcome([&] { ReadSideFile(f, write("big.dvkpo", 246)); }).find("246 bytes instead of 245"),
      std::string::npos);
  EXPECT_NE(Outcome([&] { ReadSideFile(f, (dir / "none.dvkpo").string()); }).find("Cannot open"),
            std::string::npos);
  SetEnglishVersion(false);
  EXPECT_NE(Outcome([&] { ReadSideFile(f, write("empty.dvkpo", 0)); }).find("пуст"),
            std::string::npos);
  const std::string shortFile = write("short.dvkpo", 40);
  EXPECT_EQ(ReadSideFile(f, shortFile).size(), 40u);
  EXPECT_NE(ShortSideFileQuestion(f, shortFile, 40).find("только 40 из 245"), std::string::npos);
  SetEnglishVersion(true);
  EXPECT_NE(ShortSideFileQuestion(f, shortFile, 40).find("only 40 of the 245"), std::string::npos);
  SetEnglishVersion(false);

  // A short piece fills the fields as far as it reaches and no further.
  SampleModel m("v104-8k");
  const auto block4 = m.BlockBytes(4);
  ApplySideFileBytes(m.mk, f, ReadSideFile(f, shortFile));
  EXPECT_EQ(m.mk.GetU8(3, 36), 0x11);
  EXPECT_EQ(m.mk.GetU8(4, 2), 0x11);
  EXPECT_EQ(m.mk.GetU8(4, 6), block4[6]);
  EXPECT_EQ(m.mk.GetU8(4, 8), block4[8]);

  // A save that fails leaves what stood at the target.
  const auto target = dir / "taken.dvkpo";
  std::filesystem::create_directories(target / "inside");
  EXPECT_THROW(WriteSideFile(m.mk, f, target.string()), FileError);
  EXPECT_TRUE(std::filesystem::is_directory(target / "inside"));
  WriteSideFile(m.mk, f, (dir / "ok.dvkpo").string());
  EXPECT_EQ(ReadWholeFile((dir / "ok.dvkpo").string()), SideFileBytes(m.mk, f));
  std::filesystem::remove_all(dir);
}
