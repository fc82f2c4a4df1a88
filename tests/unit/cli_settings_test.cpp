// SPDX-License-Identifier: GPL-3.0-or-later
// tripconf-cli's named settings: settings, get, set and diff, run as a user
// runs them.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <map>

#include "cli_runner.h"
#include "editor_core/edit_session.h"
#include "editor_core/setting_value.h"
#include "editor_core/settings_schema.h"
#include "editor_core/visibility.h"
#include "model/sample_image.h"
#include "model/settings_document.h"
#include "model/settings_file.h"
#include "model/settings_layout.h"
#include "model/tmk.h"
#include "schema_values.h"
#include "util/files.h"

using namespace tc;

namespace {
using tc::testing::RunCli;

std::string Quote(const std::string& s) {
  std::string q = "'";
  for (char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return q + "'";
}

class CliSettings : public tc::testing::TempDirTest {
 protected:
  std::string Sample(const char* name) {
    const std::string path = P(std::string(name) + ".dvkps");
    const SampleSetup setup = SampleSetupByName(name);
    WriteFileAtomic(path, EncodeSettingsFile(setup.deviceVersion, BuildSampleImage(setup)));
    return path;
  }
};

// For each setting in schema order, a valid value other than the current
// one, applied to an in-memory copy so that later picks see the protocol
// and lock chosen before them. What each setting shows at the end (settings
// that share a byte show the last value stored there).
struct NewValues {
  std::vector<std::pair<std::string, std::string>> set;
  std::vector<std::pair<std::string, std::string>> shown;
  std::vector<std::string> original;  // what each setting of `shown` showed first
};
NewValues PickNewValues(const std::string& path) {
  SettingsDocument doc;
  TMK& mk = doc.Model();
  ReadSettingsFile(mk, path);
  TSettingsEditSession session(doc);
  EditorContext& ctx = session.Context();
  SetFromText(ctx, *FindSetting("rgLockType"), "Virt.");
  const Visibility visible = ControlVisibility(ctx);
  NewValues values;
  // What the file holds, before a setting that shares a byte (the x1, x3
  // and x7 cells) changes it for a later one.
  std::map<std::string, std::string> inFile;
  for (const auto& d : SettingsSchema()) inFile[d.name] = FormatValue(ctx, d, true);
  for (const auto& d : SettingsSchema()) {
    if (!visible.Visible(d.name)) continue;
    values.original.push_back(d.kind == ControlKind::Cell ? inFile[d.name]
                                                          : FormatValue(ctx, d, true));
    std::string v = OtherValue(ctx, d);
    if (v.empty()) {  // an unused subtype slot
      values.original.pop_back();
      continue;
    }
    if (std::string(d.name) == "rgLockType") v = "Virt.";
    SetFromText(ctx, d, v);
    values.set.emplace_back(d.name, FormatValue(ctx, d, true));
  }
  for (const auto& [name, v] : values.set)
    values.shown.emplace_back(name, FormatValue(ctx, *FindSetting(name), true));
  return values;
}
}  // namespace

TEST_F(CliSettings, SetThenGetRoundTripsEverySetting) {
  for (const char* sample : {"v104-8k", "ve01-32k"}) {
    const std::string a = Sample(sample);
    const NewValues picked = PickNewValues(a);
    ASSERT_GT(picked.set.size(), 100u);
    std::string set = "set " + a + " --out " + P("b.dvkps") + " --lang en";
    std::string get = "get " + P("b.dvkps") + " --lang en";
    std::string expected;
    for (const auto& [name, value] : picked.set) set += " " + Quote(name + "=" + value);
    for (const auto& [name, value] : picked.shown) {
      get += " " + name;
      expected += value + "\n";
    }
    auto r = RunCli(set);
    ASSERT_EQ(r.status, 0) << r.out;
    r = RunCli(get);
    ASSERT_EQ(r.status, 0) << r.out;
    EXPECT_EQ(r.out, expected) << sample;

    // Every setting that now shows another value is in the comparison; of
    // the bytes no setting names only the previous protocol number changed
    // with the protocol.
    r = RunCli("diff " + a + " " + P("b.dvkps"));
    EXPECT_EQ(r.status, 1);
    for (size_t i = 0; i < picked.shown.size(); ++i) {
      const auto& [name, value] = picked.shown[i];
      if (value != picked.original[i] && r.out.find(name + "\t") == std::string::npos)
        ADD_FAILURE() << sample << " " << name << " missing from the comparison";
    }
    EXPECT_EQ(r.out.find("block 6\t"), std::string::npos) << r.out;
    EXPECT_EQ(r.out.find("block 9\t"), std::string::npos) << r.out;
    EXPECT_EQ(r.out.find("block 10\t"), std::string::npos) << r.out;
  }
}

TEST_F(CliSettings, DiffOfAFileWithItselfIsEmpty) {
  const std::string a = Sample("ve01-32k");
  const auto r = RunCli("diff " + a + " " + a);
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, "");
}

TEST_F(CliSettings, DiffNamesUnnamedBytesByBlockAndOffset) {
  const std::string a = Sample("v104-8k");
  SettingsDocument doc;
  TMK& mk = doc.Model();
  ReadSettingsFile(mk, a);
  mk.DecodeSettingsBlocks();
  mk.Block(7)[40] ^= 1;  // a trip record
  mk.Block(7)[41] ^= 1;
  mk.Block(11)[2] ^= 0x04;  // option bit 18: no setting of its own
  mk.Block(11)[0] ^= 0x01;  // option bit 0: the ignition lock
  mk.EncodeSettingsBlocks();
  auto image = mk.Image();
  image[64] ^= 0xFF;  // a directory byte the tool only carries
  mk.ReplaceImage(image);
  WriteSettingsFile(mk, P("b.dvkps"));
  const auto r = RunCli("diff " + a + " " + P("b.dvkps") + " --lang en");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out,
            "rgLockType\tIgnition lock\tPhys. -> Virt.\n"
            "block 7\tbytes 40..41\n"
            "block 11\tbyte 2\n"
            "image\tbyte 64\n");
}

TEST_F(CliSettings, FilesWithoutBlock13AreListedAndChanged) {
  const SampleSetup setup = SampleSetupByName("v104-8k");
  auto image = BuildSampleImage(setup);
  image[58] = image[59] = 0;  // directory entry 14 describes no block
  WriteFileAtomic(P("old.dvkps"), EncodeSettingsFile(setup.deviceVersion, image));
  auto r = RunCli("set " + P("old.dvkps") + " seTimeCorr=3");
  ASSERT_EQ(r.status, 0) << r.out;
  r = RunCli("get " + P("old.dvkps") + " seTimeCorr");
  EXPECT_EQ(r.out, "3\n");
}

TEST_F(CliSettings, RefusedValuesWriteNothing) {
  const std::string a = Sample("v104-8k");
  {
    // A parking sensitivity stored below its limits, as a blank device holds it.
    TMK mk;
    ReadSettingsFile(mk, a);
    mk.DecodeSettingsBlocks();
    mk.SetInt(layout::kParkSense[0], 0);
    mk.EncodeSettingsBlocks();
    WriteFileAtomic(a, EncodeSettingsFile(mk.DeviceVersion, mk.Image()));
  }
  const auto original = ReadWholeFile(a);
  const struct {
    const char* args;
    const char* message;
  } cases[] = {
      {"seTimeCorr=45", "seTimeCorr: Range check error: allowed -30..30; nothing was written"},
      {"seTimeCorr=4 seAccCorr=0.8", "seAccCorr: Range check error: allowed -0.7..0.7"},
      {"rgForsCoef=3", "items: 1, 2, 4"},
      {"nosuch=1", "unknown setting 'nosuch'"},
      {"seTimeCorr", "is not NAME=VALUE"},
      {"seTimeCorr=4 cbUseTank2=perhaps", "on or off is expected"},
      {"meIntenseDayTime=99:99",
       "meIntenseDayTime: 'Day brightness on time': '99:99' is not a time of day; expected "
       "HH:MM from 00:00 to 23:59; nothing was written"},
      {"meIntenseDayTime=0730", "'0730' is not a time of day; expected HH:MM"},
      {"rgWarnFirst_0=X", "rgWarnFirst_0: 'X' is not a value"},
      {"seVelocityLimit=202", "seVelocityLimit: Range check error: allowed 40..200"},
      // The file holds 0, below the limits: typing it again is no choice.
      {"seParkSense0=0", "seParkSense0: Range check error: allowed 1..7"},
      {"rgTarirIncline=#1", "rgTarirIncline) is shown only, never edited"},
      {"sgTarir=10:10000", "the sensor reading at most 4"},
  };
  for (const auto& c : cases) {
    const auto r = RunCli("set " + a + " " + c.args);
    EXPECT_EQ(r.status, 1) << c.args;
    EXPECT_NE(r.out.find(c.message), std::string::npos) << c.args << ": " << r.out;
    EXPECT_EQ(ReadWholeFile(a), original) << c.args;
  }
  // The refusals follow --lang, whatever kind of setting refuses.
  const struct {
    const char* args;
    const char* message;
  } russian[] = {
      {"seSoundVolume=abc",
       "seSoundVolume: 'abc' — не значение seSoundVolume (ожидается число); "
       "ничего не записано"},
      {"cbUseTank2=perhaps", "ожидается on или off"},
      {"rgForsCoef=3", "(пункты: 1, 2, 4; или #N"},
      {"sghmParams=Nonsense", "— не пункт горячего меню \"Параметры\""},
      {"sgTarir=10-200", "— не точка тарировки"},
      {"seTimeCorr=45", "seTimeCorr: Range check error: допустимо -30..30; ничего не записано"},
      {"meIntenseDayTime=12-30",
       "«Время вкл. ДНЕВНОЙ яркости»: «12-30» — не время суток; ожидается ЧЧ:ММ от 00:00 до "
       "23:59; ничего не записано"},
  };
  for (const auto& c : russian) {
    const auto r = RunCli("set " + a + " " + c.args + " --lang ru");
    EXPECT_EQ(r.status, 1) << c.args;
    EXPECT_NE(r.out.find(c.message), std::string::npos) << c.args << ": " << r.out;
    EXPECT_EQ(r.out.find(" is not "), std::string::npos) << c.args << ": " << r.out;
    EXPECT_EQ(ReadWholeFile(a), original) << c.args;
  }
  auto r = RunCli("set " + P("missing.dvkps") + " seTimeCorr=1");
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.out.find("missing.dvkps"), std::string::npos) << r.out;
}

TEST_F(CliSettings, SetWritesInPlaceOrToOutAndReportsRuleChanges) {
  const std::string a = Sample("ve01-32k");
  const auto original = ReadWholeFile(a);
  auto r = RunCli("set " + a + " --out " + P("b.dvkps") + " seTimeCorr=-3");
  ASSERT_EQ(r.status, 0) << r.out;
  EXPECT_EQ(ReadWholeFile(a), original);
  r = RunCli("get " + P("b.dvkps") + " seTimeCorr");
  EXPECT_EQ(r.out, "-3\n");

  // GPS needs a virtual lock; making the lock physical afterwards drops it.
  r = RunCli("set " + a + " rgLockType=Virt. rgVelocityMeth=GPS rgLockType=Phys. --lang en");
  ASSERT_EQ(r.status, 0) << r.out;
  EXPECT_NE(r.out.find("note: rgVelocityMeth is ECU after the editor's rules"), std::string::npos)
      << r.out;
  r = RunCli("get " + a + " rgVelocityMeth rgLockType --lang ru");
  EXPECT_EQ(r.out, "ЭБУ\nФизич.\n");
}

TEST_F(CliSettings, PageRulesApplyOnTheCommandLine) {
  const std::string a = Sample("ve01-32k");
  // A trim low limit at or above the high one raises and stores the high one.
  auto r = RunCli("set " + a + " seTrimLowLimit=10 seTrimHighLimit=45 seTrimLowLimit=50 --lang en");
  ASSERT_EQ(r.status, 0) << r.out;
  EXPECT_NE(r.out.find("note: seTrimHighLimit is 51 after the editor's rules"), std::string::npos)
      << r.out;
  r = RunCli("get " + a + " seTrimLowLimit seTrimHighLimit");
  EXPECT_EQ(r.out, "50\n51\n");
  // Without naming the high limit the note still says what the rule did.
  r = RunCli("set " + a + " seTrimLowLimit=60 --lang en");
  EXPECT_NE(r.out.find("note: seTrimHighLimit is now 61 by the editor's rules"), std::string::npos)
      << r.out;

  // With the trim, the inverter pair is stored into the HVB warning too; the
  // editor does not show that one here, but its byte changed all the same.
  r = RunCli("set " + a + " rgWarnFirst_18=B rgWarnNext_18=B --lang en");
  ASSERT_EQ(r.status, 0) << r.out;
  r = RunCli("set " + a + " rgWarnFirst_23=N --lang en");
  ASSERT_EQ(r.status, 0) << r.out;
  EXPECT_NE(r.out.find("note: rgWarnFirst_18 is now N by the editor's rules (the editor does "
                       "not show it)\n"),
            std::string::npos)
      << r.out;
  EXPECT_NE(r.out.find("note: rgWarnNext_18 is now O by the editor's rules"), std::string::npos)
      << r.out;
  // Its pair is no rule's doing: it shares the byte that was named.
  EXPECT_EQ(r.out.find("rgWarnNext_23 is now"), std::string::npos) << r.out;
  r = RunCli("set " + a + " rgWarnFirst_23=B --lang ru");
  EXPECT_NE(r.out.find("примечание: rgWarnFirst_18 теперь Б по правилам редактора"),
            std::string::npos)
      << r.out;

  // Mode letters in either language, or the item number; byte packing as
  // the editor does it; times of day.
  r = RunCli("set " + a + " rgWarnFirst_3=Б rgWarnNext_3=N rgWarnFirst_6=#2 meIntenseDayTime=7:30");
  ASSERT_EQ(r.status, 0) << r.out;
  r = RunCli("get " + a + " rgWarnFirst_3 rgWarnNext_3 rgWarnFirst_6 meIntenseDayTime --lang en");
  EXPECT_EQ(r.out, "B\nN\nB\n07:30\n");
  // No voice on this variant: the spoken modes are refused.
  r = RunCli("set " + a + " rgWarnFirst_3=M --lang en");
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.out.find("'M' cannot be chosen for rgWarnFirst_3 on this device variant"),
            std::string::npos)
      << r.out;
  EXPECT_EQ(r.out.find("protocol"), std::string::npos) << r.out;
  r = RunCli("set " + a + " rgWarnNext_3=Г --lang ru");
  EXPECT_NE(r.out.find("на этом варианте МК"), std::string::npos) << r.out;
}

TEST_F(CliSettings, SettingsListsEveryNameWithLabelAndValue) {
  const std::string a = Sample("ve01-32k");
  auto r = RunCli("settings " + a + " --lang en");
  ASSERT_EQ(r.status, 0) << r.out;
  for (const auto& d : SettingsSchema())
    EXPECT_NE(r.out.find(std::string(d.name) + "\t"), std::string::npos) << d.name;
  EXPECT_NE(r.out.find("# tsCorr: Correction\n"), std::string::npos);
  EXPECT_NE(r.out.find("seGazContFull\tFull tank (gas), l\t50\t(hidden)\n"), std::string::npos);
  EXPECT_NE(r.out.find("cbProtocol\tProtocol\tYamaha"), std::string::npos);
  r = RunCli("settings " + a + " --lang ru");
  EXPECT_NE(r.out.find("# tsMeth: Источники\n"), std::string::npos);
  EXPECT_NE(r.out.find("rgPrognozMeth\tПрогноз пробега\tСредн\n"), std::string::npos);
}

TEST_F(CliSettings, SchemesResetSpeaksTheChosenLanguage) {
  const std::string a = Sample("v104-8k");
  auto r = RunCli("schemes " + a + " --reset --out " + P("b.dvkps") + " --lang ru");
  ASSERT_EQ(r.status, 0) << r.out;
  EXPECT_EQ(r.out.find("both"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("обе цветовые схемы заменены заводскими"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("записано в " + P("b.dvkps")), std::string::npos) << r.out;
  r = RunCli("schemes " + a + " --reset --lang en");
  ASSERT_EQ(r.status, 0) << r.out;
  EXPECT_NE(r.out.find("both colour schemes set to the factory schemes"), std::string::npos)
      << r.out;
  r = RunCli("schemes " + a + " --out " + P("c.dvkps") + " --lang ru");
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.out.find("--out задаётся только вместе с --reset"), std::string::npos) << r.out;
}
