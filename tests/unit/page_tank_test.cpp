// SPDX-License-Identifier: GPL-3.0-or-later
// The tank calibration page without widgets: the tare table's store rule and
// text form, the point counts, the litres limits, and the tank settings file.
#include "editor_core/page_tank.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "editor_core/visibility.h"
#include "model/service_file.h"
#include "model/settings_layout.h"
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
  m.mk.SetInt(layout::kTarirSlopeMark, 1);
  StoreTareTable(m.mk, {{"10", "200"}, {"20", "400"}, {"30", "600"}});
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(m.mk.GetInt(layout::kTareLitres[i]), 10 * (i + 1));
    EXPECT_EQ(m.mk.GetInt(layout::kTareSensor[i]), 200 * (i + 1));
  }
  EXPECT_EQ(m.mk.GetInt(layout::kTarirSlopeMark), 0);  // 200 is not above 240
  EXPECT_EQ(FormatValue(m.ctx, m.Def("sgTarir"), true), "10:200 20:400 30:600");

  // 241 marks the slope; a gap left in the mask and blanks count as digits
  // dropped, an empty cell as 0.
  StoreTareTable(m.mk, {{"1 2", "241"}, {"", " 7_"}, {"30", ""}});
  EXPECT_EQ(m.mk.GetInt(layout::kTarirSlopeMark), 1);
  EXPECT_EQ(m.mk.GetInt(layout::kTareLitres[0]), 12);
  EXPECT_EQ(m.mk.GetInt(layout::kTareLitres[1]), 0);
  EXPECT_EQ(m.mk.GetInt(layout::kTareSensor[1]), 7);
  EXPECT_EQ(m.mk.GetInt(layout::kTareSensor[2]), 0);

  // Only rows 1..count are stored: a fourth row of the table is ignored.
  StoreTareTable(m.mk, {{"1", "1"}, {"2", "2"}, {"3", "3"}, {"99", "99"}});
  EXPECT_NE(m.mk.GetInt(layout::kTareLitres[3]), 99);
  EXPECT_EQ(m.mk.GetInt(layout::kTarirSlopeMark), 0);
}

TEST(TareTable, LitresAboveAByteStopAtThatRow) {
  SampleModel m("v104-8k");
  SetNumber(m.ctx, m.Def("seTarirLeng"), 3);
  StoreTareTable(m.mk, {{"1", "100"}, {"2", "100"}, {"3", "100"}});
  m.mk.SetInt(layout::kTarirSlopeMark, 0);
  EXPECT_EQ(Outcome([&] {
              StoreTareTable(m.mk, {{"10", "300"}, {"256", "400"}, {"30", "500"}});
            }),
            "Range check error: литры — допустимо 0..255");
  EXPECT_EQ(m.mk.GetInt(layout::kTareLitres[0]), 10);
  EXPECT_EQ(m.mk.GetInt(layout::kTareSensor[0]), 300);
  // The refused row and those after it keep what they held.
  EXPECT_EQ(m.mk.GetInt(layout::kTareLitres[1]), 2);
  EXPECT_EQ(m.mk.GetInt(layout::kTareSensor[1]), 100);
  EXPECT_EQ(m.mk.GetInt(layout::kTareLitres[2]), 3);
  // The stored first row still decides the mark.
  EXPECT_EQ(m.mk.GetInt(layout::kTarirSlopeMark), 1);
}

TEST(TareTable, CountsAboveTheTableReadAsNoPoints) {
  SampleModel m("v104-8k");
  m.mk.SetInt(layout::kTarirLeng, 70);
  EXPECT_EQ(GetNumber(m.ctx, m.Def("seTarirLeng")), 0);
  EXPECT_EQ(FormatValue(m.ctx, m.Def("sgTarir"), true), "");
  EXPECT_TRUE(NormaliseTareCount(m.mk));
  EXPECT_EQ(m.mk.GetInt(layout::kTarirLeng), 0);
  EXPECT_FALSE(NormaliseTareCount(m.mk));
  m.mk.SetInt(layout::kTarirLeng, 68);
  EXPECT_FALSE(NormaliseTareCount(m.mk));
  EXPECT_EQ(TareRows(m.mk).size(), 68u);
  EXPECT_THROW(SetNumber(m.ctx, m.Def("seTarirLeng"), 69), RangeError);
  EXPECT_FALSE(m.Def("seTarirLeng").typing);

  // Without points nothing is stored and the mark stays.
  m.mk.SetInt(layout::kTarirLeng, 0);
  m.mk.SetInt(layout::kTarirSlopeMark, 1);
  const auto before = m.BlockBytes(4);
  StoreTareTable(m.mk, {{"5", "500"}});
  EXPECT_EQ(m.BlockBytes(4), before);
}

TEST(TareTable, TextFormSetsTheCountAndRefusesBadRows) {
  SetEnglishVersion(false);  // the messages are checked in Russian
  SampleModel m("v104-8k");
  const SettingDef& t = m.Def("sgTarir");
  EXPECT_TRUE(SetFromText(m.ctx, t, " 10:200 20:400,30:600 "));
  EXPECT_EQ(m.mk.GetInt(layout::kTarirLeng), 3);
  EXPECT_EQ(FormatValue(m.ctx, t, false), "10:200 20:400 30:600");
  EXPECT_FALSE(SetFromText(m.ctx, t, "10:200 20:400 30:600"));
  EXPECT_TRUE(SetFromText(m.ctx, t, "5:241"));
  EXPECT_EQ(m.mk.GetInt(layout::kTarirLeng), 1);
  EXPECT_EQ(m.mk.GetInt(layout::kTarirSlopeMark), 1);
  EXPECT_TRUE(SetFromText(m.ctx, t, ""));
  EXPECT_EQ(m.mk.GetInt(layout::kTarirLeng), 0);

  EXPECT_NE(Outcome([&] { SetFromText(m.ctx, t, "10-200"); }).find("литры:датчик"),
            std::string::npos);
  EXPECT_NE(Outcome([&] { SetFromText(m.ctx, t, "10:x"); }).find("не точка тарировки"),
            std::string::npos);
  EXPECT_EQ(Outcome([&] { SetFromText(m.ctx, t, "300:1"); }),
            "Range check error: литры — допустимо 0..255");
  // Cells take as many digits as the table lets one type: 3 and 4.
  const auto block4 = m.BlockBytes(4);
  for (const char* text : {"1:40000", "10:10000", "1:1 0010:5", "20:00001"})
    EXPECT_NE(Outcome([&] { SetFromText(m.ctx, t, text); }).find("не длиннее 4 цифр"),
              std::string::npos)
        << text;
  EXPECT_EQ(m.BlockBytes(4), block4);
  EXPECT_TRUE(SetFromText(m.ctx, t, "255:9999"));
  EXPECT_EQ(m.mk.GetInt(layout::kTareSensor[0]), 9999);
  std::string many;
  for (int i = 0; i < 69; ++i) many += "1:1 ";
  EXPECT_NE(Outcome([&] { SetFromText(m.ctx, t, many); }).find("не больше 68 точек"),
            std::string::npos);
}

TEST(TankPage, LitresLimitsAndSevenPointRows) {
  SampleModel m("v104-8k");
  m.mk.SetInt(layout::kTankContFull, 60);
  for (const char* name : {"seLit6L", "seLit43L", "seOilCalibrLitArr6"}) {
    EXPECT_EQ(SettingLimits(m.ctx, m.Def(name)).max, 60) << name;
    EXPECT_THROW(SetNumber(m.ctx, m.Def(name), 61), RangeError) << name;
  }
  EXPECT_TRUE(SetNumber(m.ctx, m.Def("seLit43L"), 60));
  EXPECT_EQ(m.mk.GetInt(layout::kLit43L), 60);
  EXPECT_TRUE(SetNumber(m.ctx, m.Def("seOilCalibrResArr3"), 2000));
  EXPECT_EQ(m.mk.GetInt(layout::kOilCalibrRes[3]), 2000);
  EXPECT_THROW(SetNumber(m.ctx, m.Def("seOil6L"), 2001), RangeError);

  SetNumber(m.ctx, m.Def("seOilCalibrQuant"), 3);
  const Visibility v = ControlVisibility(m.ctx);
  EXPECT_TRUE(v.Visible("seOilCalibrResArr2"));
  EXPECT_TRUE(v.Visible("seOilCalibrLitArr2"));
  EXPECT_FALSE(v.Visible("seOilCalibrResArr3"));
  EXPECT_FALSE(v.Visible("seOilCalibrLitArr6"));
  EXPECT_THROW(SetNumber(m.ctx, m.Def("seOilCalibrQuant"), 8), RangeError);
}

TEST(TankPage, SensorSlopeIsShownOnly) {
  SetEnglishVersion(true);
  SampleModel m("v104-8k");
  const SettingDef& slope = m.Def("rgTarirIncline");
  const auto block4 = m.BlockBytes(4);
  const std::string before = FormatValue(m.ctx, slope, true);
  for (const char* text : {"#1", "Dir", "Авто", "#0"}) {
    const std::string message = Outcome([&] { SetFromText(m.ctx, slope, text); });
    EXPECT_NE(message.find("rgTarirIncline) is shown only"), std::string::npos) << message;
    EXPECT_NE(message.find("read-only"), std::string::npos) << message;
  }
  EXPECT_THROW(SetIndex(m.ctx, slope, 1), TripError);
  EXPECT_EQ(m.BlockBytes(4), block4);
  // Still shown as the device reports it.
  EXPECT_EQ(FormatValue(m.ctx, slope, true), before);
  SetEnglishVersion(false);
  EXPECT_NE(Outcome([&] { SetFromText(m.ctx, slope, "#2"); }).find("только для чтения"),
            std::string::npos);
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
  const SideFileFormat& f = TankFileFormat();
  for (const SideFileEntry& e : f.entries)
    for (int k = 0; k < e.Bytes(); ++k)
      a.mk.Block(e.field.block)[e.field.offset + k] = uint8_t(e.fileOffset * 7 + k * 3 + 1);
  a.mk.SetInt(layout::kTarirLeng, 3);
  const auto bytes = SideFileBytes(a.mk, f);
  ASSERT_EQ(bytes.size(), 245u);
  // Known places of the format.
  EXPECT_EQ(bytes[0], a.mk.Block(3)[layout::kOil6L.offset]);
  EXPECT_EQ(bytes[6], a.mk.Block(3)[layout::kLit43L.offset]);
  EXPECT_EQ(bytes[36], a.mk.GetInt(layout::kOilCalibrQuant));
  EXPECT_EQ(bytes[37], a.mk.GetInt(layout::kTarirHead));
  EXPECT_EQ(bytes[38], a.mk.GetInt(layout::kTarirFlagFinish));
  EXPECT_EQ(bytes[39], 3);
  EXPECT_EQ(bytes[40], a.mk.GetInt(layout::kTarirSlopeMark));
  EXPECT_EQ(bytes[41], a.mk.GetInt(layout::kTareLitres[0]));
  EXPECT_EQ(bytes[108], a.mk.GetInt(layout::kTareLitres[67]));
  EXPECT_EQ(bytes[109] | bytes[110] << 8, uint16_t(a.mk.GetInt(layout::kTareSensor[0])));
  EXPECT_EQ(bytes[243] | bytes[244] << 8, uint16_t(a.mk.GetInt(layout::kTareSensor[67])));

  SampleModel b("v8003-32k");
  const auto block3 = b.BlockBytes(3), block4 = b.BlockBytes(4);
  ApplySideFileBytes(b.mk, f, bytes);
  EXPECT_EQ(SideFileBytes(b.mk, f), bytes);
  // Every byte an entry names came from the file, every other one stayed.
  std::vector<bool> named3(block3.size()), named4(block4.size());
  for (const SideFileEntry& e : f.entries)
    for (int k = 0; k < e.Bytes(); ++k)
      (e.field.block == 3 ? named3 : named4)[e.field.offset + k] = true;
  for (size_t i = 0; i < block3.size(); ++i)
    EXPECT_EQ(b.mk.Block(3)[i], named3[i] ? a.mk.Block(3)[i] : block3[i]) << i;
  for (size_t i = 0; i < block4.size(); ++i)
    EXPECT_EQ(b.mk.Block(4)[i], named4[i] ? a.mk.Block(4)[i] : block4[i]) << i;
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
  EXPECT_EQ(m.mk.GetInt(layout::kOilCalibrQuant), 0x11);
  EXPECT_EQ(m.mk.GetInt(layout::kTarirLeng), 0x11);
  EXPECT_EQ(m.mk.GetInt(layout::kTarirSlopeMark), block4[6]);
  EXPECT_EQ(m.mk.GetInt(layout::kTareLitres[0]), block4[8]);

  // A save that fails leaves what stood at the target.
  const auto target = dir / "taken.dvkpo";
  std::filesystem::create_directories(target / "inside");
  EXPECT_THROW(WriteSideFile(m.mk, f, target.string()), FileError);
  EXPECT_TRUE(std::filesystem::is_directory(target / "inside"));
  WriteSideFile(m.mk, f, (dir / "ok.dvkpo").string());
  EXPECT_EQ(ReadWholeFile((dir / "ok.dvkpo").string()), SideFileBytes(m.mk, f));
  std::filesystem::remove_all(dir);
}
