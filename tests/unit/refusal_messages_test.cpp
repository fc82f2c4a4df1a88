// SPDX-License-Identifier: GPL-3.0-or-later
// Refusals say what is allowed, in the user's language; values a device
// stores outside the rules are put right or stay editable; side files name
// the file and the system's reason.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "cli_runner.h"
#include "editor_core/edit_session.h"
#include "editor_core/page_tank.h"
#include "editor_core/setting_value.h"
#include "model/sample_image.h"
#include "model/service_file.h"
#include "model/settings_document.h"
#include "model/settings_file.h"
#include "model/settings_layout.h"
#include "model/tank_file.h"
#include "model/tmk.h"
#include "side_pages_fixture.h"
#include "util/errors.h"
#include "util/files.h"

using namespace tc;
using tc::test::Outcome;
using tc::test::SampleModel;
using tc::testing::RunCli;

namespace {

// Runs `f` in one language and puts the language back.
template <typename F>
std::string In(bool english, F f) {
  const bool was = EnglishVersion();
  SetEnglishVersion(english);
  const std::string s = Outcome(f);
  SetEnglishVersion(was);
  return s;
}

class Refusals : public tc::testing::TempDirTest {
 protected:
  std::string Sample(const char* name, const char* file) {
    const std::string path = P(file);
    const SampleSetup setup = SampleSetupByName(name);
    WriteFileAtomic(path, EncodeSettingsFile(setup.deviceVersion, BuildSampleImage(setup)));
    return path;
  }
  // Rewrites one stored field of a settings file, as a device might hold it.
  static void Poke(const std::string& path, const FieldRef& f, int64_t value) {
    TMK mk;
    ReadSettingsFile(mk, path);
    mk.DecodeSettingsBlocks();
    mk.SetInt(f, value);
    mk.EncodeSettingsBlocks();
    WriteFileAtomic(path, EncodeSettingsFile(mk.DeviceVersion, mk.Image()));
  }
  static int64_t Peek(const std::string& path, const FieldRef& f) {
    TMK mk;
    ReadSettingsFile(mk, path);
    mk.DecodeSettingsBlocks();
    return mk.GetInt(f);
  }
};

}  // namespace

TEST(RangeMessages, NameWhatIsAllowedInTheUsersLanguage) {
  SampleModel m("v104-8k");
  const auto set = [&](const char* name, const char* text) {
    return [&m, name, text] { SetFromText(m.ctx, m.Def(name), text); };
  };
  // The control's limits, with its decimals; the system's words stay.
  EXPECT_EQ(In(true, set("seParkMinLeng0", "20")), "Range check error: allowed 30..90");
  EXPECT_EQ(In(false, set("seParkMinLeng0", "20")), "Range check error: допустимо 30..90");
  EXPECT_EQ(In(true, set("seTimeCorr", "45")).rfind("Range check error: allowed -", 0), 0u);
  EXPECT_EQ(In(true, set("seUaccHighLimit", "13.9")), "Range check error: allowed 14.0..16.0");
  // Beyond any number: the same message, not a bare one.
  EXPECT_EQ(In(true, set("seParkMinLeng0", "1e300")), "Range check error: allowed 30..90");
  EXPECT_EQ(In(false, set("seParkMinLeng0", "-inf")), "Range check error: допустимо 30..90");
  // The editor's own store (leaving the control) says the same.
  EXPECT_EQ(In(true, [&] { SetNumber(m.ctx, m.Def("seParkMinLeng0"), 100); }),
            "Range check error: allowed 30..90");
  // Limits that follow another setting are those in force.
  m.mk.SetInt(layout::kTankContFull, 50);
  EXPECT_EQ(In(true, set("seLit6L", "51")), "Range check error: allowed 0..50");
  // A tare litres cell names the byte's range.
  EXPECT_EQ(In(false, set("sgTarir", "300:1")), "Range check error: литры — допустимо 0..255");
  EXPECT_EQ(In(true, set("sgTarir", "300:1")), "Range check error: litres allowed 0..255");
}

TEST(RangeMessages, TimesAndDatesNameTheFieldAndTheForm) {
  SampleModel m("v104-8k");
  const auto before = m.BlockBytes(11);
  for (const char* bad : {"07:__", "99:99", "12-30", "24:00", "", "7:5"}) {
    const std::string en = In(true, [&] { SetFromText(m.ctx, m.Def("meIntenseDayTime"), bad); });
    EXPECT_EQ(en, "'Day brightness on time': '" + std::string(bad) +
                      "' is not a time of day; expected HH:MM from 00:00 to 23:59.")
        << bad;
    const std::string ru = In(false, [&] { SetFromText(m.ctx, m.Def("meIntenseDayTime"), bad); });
    EXPECT_NE(ru.find("ожидается ЧЧ:ММ от 00:00 до 23:59"), std::string::npos) << ru;
    EXPECT_NE(ru.find("Время вкл. ДНЕВНОЙ яркости"), std::string::npos) << ru;
  }
  EXPECT_EQ(m.BlockBytes(11), before);
  // A date keeps what was typed, letters too.
  EXPECT_EQ(In(true, [&] { SetDateText(m.ctx, m.Def("deTO"), "1a.03.04"); }),
            "'1a' is not a valid integer value: '1a.03.04' is not a date of the form DD.MM.YY.");
  EXPECT_NE(In(false, [&] { SetDateText(m.ctx, m.Def("deTO"), "ab.cd.ef"); })
                .find("«ab.cd.ef» — не дата вида ДД.ММ.ГГ"),
            std::string::npos);
}

// A stored tare point count above 68 is no count: opening the settings for
// editing, loading a tank file and `set` leave 0 in the model.
TEST_F(Refusals, TareCountAboveTheTableBecomesNoPoints) {
  const std::string a = Sample("v104-8k", "a.dvkps");
  Poke(a, layout::kTarirLeng, 70);
  {
    auto doc = OpenSettingsDocument(a);
    TSettingsEditSession session(*doc);
    EXPECT_EQ(session.Model().GetInt(layout::kTarirLeng), 0);
    // Cancel puts the stored count back; nothing else has changed it.
    session.Cancel();
    EXPECT_EQ(doc->Model().GetInt(layout::kTarirLeng), 70);
  }
  {
    auto doc = OpenSettingsDocument(a);
    TSettingsEditSession session(*doc);
    session.Accept();
    doc->Model().DecodeBlock(4);
    EXPECT_EQ(doc->Model().GetInt(layout::kTarirLeng), 0);
  }
  // An unrelated set stores the count as the page shows it.
  ASSERT_EQ(RunCli("set " + a + " seLit6L=5").status, 0);
  EXPECT_EQ(Peek(a, layout::kTarirLeng), 0);

  // A tank file with count 70, imported on the command line.
  std::vector<uint8_t> tank(kTankFileSize, 0);
  tank[39] = 70;
  WriteFileAtomic(P("t.dvkpo"), tank);
  const std::string b = Sample("v8002-8k", "b.dvkps");
  ASSERT_EQ(RunCli("tank import " + b + " " + P("t.dvkpo")).status, 0);
  EXPECT_EQ(Peek(b, layout::kTarirLeng), 0);
  // And into a model, as the editor's button loads it.
  SampleModel m("v104-8k");
  ApplySideFileBytes(m.mk, TankFileFormat(), tank);
  EXPECT_EQ(m.mk.GetInt(layout::kTarirLeng), 0);
  tank[39] = 68;
  ApplySideFileBytes(m.mk, TankFileFormat(), tank);
  EXPECT_EQ(m.mk.GetInt(layout::kTarirLeng), 68);
  // The service file has no such rule.
  std::vector<uint8_t> service(kServiceFileSize, 0x77);
  ApplySideFileBytes(m.mk, ServiceFileFormat(), service);
  EXPECT_EQ(m.mk.GetInt(layout::kTarirLeng), 68);
}

TEST_F(Refusals, SideFileMessagesNameTheFileAndTheSystemsReason) {
  SampleModel m("v104-8k");
  const std::string none = P("none.dvkpo");
  const std::string folderTarget = P("sub/x.dvkpt");  // the folder does not exist
  EXPECT_EQ(In(true, [&] { ReadSideFile(TankFileFormat(), none); }),
            "Cannot open file \"" + none + "\". No such file or directory");
  EXPECT_EQ(In(false, [&] { ReadSideFile(ServiceFileFormat(), none); }),
            "Не удалось открыть файл \"" + none + "\". No such file or directory");
  EXPECT_EQ(In(true, [&] { WriteSideFile(m.mk, ServiceFileFormat(), folderTarget); }),
            "Cannot create file \"" + folderTarget + "\". No such file or directory");
  EXPECT_EQ(In(false, [&] { WriteSideFile(m.mk, TankFileFormat(), folderTarget); }),
            "Не удалось создать файл \"" + folderTarget + "\". No such file or directory");
  // A folder is no file to open; the reason is ours, in the user's language.
  EXPECT_EQ(In(false, [&] { ReadSideFile(TankFileFormat(), dir_.string()); }),
            "Не удалось открыть файл \"" + dir_.string() + "\". это папка");
  EXPECT_FALSE(std::filesystem::exists(folderTarget));

  // The command line says the same, and changes nothing.
  const std::string a = Sample("v104-8k", "a.dvkps");
  const auto original = ReadWholeFile(a);
  const auto r = RunCli("tank import " + a + " " + none + " --lang en");
  EXPECT_NE(r.status, 0);
  EXPECT_NE(r.out.find("Cannot open file \"" + none + "\". No such file or directory"),
            std::string::npos)
      << r.out;
  const auto w = RunCli("service export " + a + " --out " + folderTarget + " --lang ru");
  EXPECT_NE(w.status, 0);
  EXPECT_NE(w.out.find("Не удалось создать файл \"" + folderTarget + "\". "), std::string::npos)
      << w.out;
  EXPECT_EQ(ReadWholeFile(a), original);
}

// The trim pair a device stores outside its limits (low = high = 120
// against -9..90) stays editable from either end.
TEST(TrimPair, StoredOutsideTheLimitsStaysEditable) {
  SampleModel m("ve01-32k");
  const auto stored = [&] {
    return std::pair{m.mk.GetInt(layout::kTrimLowLimit), m.mk.GetInt(layout::kTrimHighLimit)};
  };
  m.mk.SetInt(layout::kTrimLowLimit, 120);
  m.mk.SetInt(layout::kTrimHighLimit, 120);
  // The high limit takes any value the low one can lie below; the low one
  // follows it down.
  EXPECT_EQ(SettingLimits(m.ctx, m.Def("seTrimHighLimit")).min, -8);
  SetFromText(m.ctx, m.Def("seTrimHighLimit"), "50");
  EXPECT_EQ(stored(), std::pair(int64_t{49}, int64_t{50}));
  // From the low end: the high limit keeps above it.
  m.mk.SetInt(layout::kTrimLowLimit, 120);
  m.mk.SetInt(layout::kTrimHighLimit, 120);
  SetFromText(m.ctx, m.Def("seTrimLowLimit"), "30");
  EXPECT_EQ(stored(), std::pair(int64_t{30}, int64_t{120}));
  SetFromText(m.ctx, m.Def("seTrimHighLimit"), "31");
  EXPECT_EQ(stored(), std::pair(int64_t{30}, int64_t{31}));
  // The lowest high limit still leaves the low one its lowest value.
  m.mk.SetInt(layout::kTrimLowLimit, 120);
  SetFromText(m.ctx, m.Def("seTrimHighLimit"), "-8");
  EXPECT_EQ(stored(), std::pair(int64_t{-9}, int64_t{-8}));
  // Within the limits the old rules stand.
  EXPECT_EQ(In(true, [&] { SetFromText(m.ctx, m.Def("seTrimHighLimit"), "-9"); }),
            "Range check error: allowed -8..90");
}
