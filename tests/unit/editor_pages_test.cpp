// SPDX-License-Identifier: GPL-3.0-or-later
// The limits, sounds, averages, parking and display-options pages without
// widgets: worked examples of their conversions and store rules, the mended
// rules, and the visibility rules over every sample and protocol.
#include "editor_core/editor_pages.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "catalog/protocol.h"
#include "catalog/variants.h"
#include "editor_core/option_bits.h"
#include "editor_core/page_voice.h"
#include "editor_core/setting_value.h"
#include "editor_core/settings_schema.h"
#include "editor_core/visibility.h"
#include "model/sample_image.h"
#include "model/settings_document.h"
#include "model/settings_layout.h"
#include "model/tmk.h"
#include "util/errors.h"

using namespace tc;

namespace {

struct Page {
  explicit Page(const char* sample) : ctx{mk, doc.Variant()} {
    const SampleSetup setup = SampleSetupByName(sample);
    mk.ReplaceImage(BuildSampleImage(setup), setup.deviceVersion);
    mk.DecodeSettingsBlocks();
    doc.SelectVariant();
  }
  static const SettingDef& Def(const std::string& name) {
    const SettingDef* d = FindSetting(name);
    if (!d) throw std::runtime_error("no setting " + name);
    return *d;
  }
  void Set(const std::string& name, const std::string& text) { SetFromText(ctx, Def(name), text); }
  std::string Get(const std::string& name, bool english = true) {
    return FormatValue(ctx, Def(name), english);
  }
  int64_t Stored(const FieldRef& f) const { return mk.GetInt(f); }
  // Makes the first protocol of the variant's list that passes `pick` the
  // stored and current one, as choosing it in the editor does.
  template <typename Pick>
  bool UseProtocol(Pick pick) {
    const auto& list = ctx.catalog.Protocols();
    for (size_t i = 0; i < list.size(); ++i) {
      if (!pick(*list[i])) continue;
      SetIndex(ctx, Def("cbProtocol"), int(i));
      return true;
    }
    return false;
  }
  // A copy of every block, to see that a refusal wrote nothing.
  std::vector<std::vector<uint8_t>> Blocks() const {
    std::vector<std::vector<uint8_t>> b;
    for (int n = 1; n <= kBlockCount; ++n) b.emplace_back(mk.Block(n).begin(), mk.Block(n).end());
    return b;
  }
  SettingsDocument doc;
  TMK& mk = doc.Model();
  EditorContext ctx;
};

std::string Refusal(Page& p, const std::string& name, const std::string& text) {
  try {
    p.Set(name, text);
  } catch (const std::exception& e) {
    return e.what();
  }
  return "accepted";
}

}  // namespace

TEST(LimitsPage, DisplayUnitsAndRounding) {
  SetEnglishVersion(true);  // the refusals are checked in English
  Page p("v104-8k");
  p.Set("seVelocityLimit", "130");
  EXPECT_EQ(p.Stored(layout::kVelocityLimit), 65);
  EXPECT_EQ(p.Get("seVelocityLimit"), "130");
  p.Set("seVelocityLimit", "131");  // 65.5 rounds to the even 66
  EXPECT_EQ(p.Stored(layout::kVelocityLimit), 66);
  EXPECT_EQ(p.Get("seVelocityLimit"), "132");
  p.Set("seUaccLowLimit", "11.8");
  EXPECT_EQ(p.Stored(layout::kUaccLowLimit), 118);
  p.Set("seTareWeight", "12.5");
  EXPECT_EQ(p.Stored(layout::kTareWeight), 125);
  EXPECT_EQ(layout::kTareWeight.block, 13);

  p.Set("rg24VMode", "24В");
  EXPECT_TRUE(OptionBitSet(p.mk, kOpt24V));
  const int64_t word = p.Stored(layout::kOptionWord);
  p.Set("rg24VMode", "12V");
  EXPECT_FALSE(OptionBitSet(p.mk, kOpt24V));
  EXPECT_EQ(p.Stored(layout::kOptionWord), word & ~(int64_t{1} << kOpt24V.first));

  const auto before = p.Blocks();
  EXPECT_EQ(Refusal(p, "seVelocityLimit", "210"), "Range check error: allowed 40..200");
  EXPECT_EQ(Refusal(p, "seUaccHighLimit", "13.9"), "Range check error: allowed 14.0..16.0");
  EXPECT_EQ(p.Blocks(), before);
}

TEST(LimitsPage, FanOnRangeFollowsTheProtocol) {
  Page p("v8003-32k");
  const SettingDef& fan = p.Def("seVentTempLimit");
  ASSERT_TRUE(p.UseProtocol([](const TProtBase& x) { return !x.IsHybrid; }));
  EXPECT_EQ(SettingLimits(p.ctx, fan).min, 75);
  EXPECT_EQ(SettingLimits(p.ctx, fan).max, 115);
  SetEnglishVersion(true);
  EXPECT_EQ(Refusal(p, "seVentTempLimit", "50"), "Range check error: allowed 75..115");
  ASSERT_TRUE(p.UseProtocol([](const TProtBase& x) { return x.IsHybrid; }));
  EXPECT_EQ(SettingLimits(p.ctx, fan).min, 25);
  EXPECT_EQ(SettingLimits(p.ctx, fan).max, 60);
  p.Set("seVentTempLimit", "50");
  EXPECT_EQ(p.Stored(layout::kVentTempLimit), 50);
}

TEST(LimitsPage, TrimLimitsAlwaysStoreLowBelowHigh) {
  Page p("ve01-32k");
  ASSERT_TRUE(p.ctx.Flags().VariantTrim);
  p.Set("seTrimLowLimit", "10");
  p.Set("seTrimHighLimit", "45");
  // A low limit at or above the high one raises and stores the high one at
  // once, not when the high limit is next left.
  p.Set("seTrimLowLimit", "50");
  EXPECT_EQ(p.Stored(layout::kTrimLowLimit), 50);
  EXPECT_EQ(p.Stored(layout::kTrimHighLimit), 51);
  p.Set("seTrimLowLimit", "51");
  EXPECT_EQ(p.Stored(layout::kTrimHighLimit), 52);
  // Lowering the low limit leaves the high one.
  p.Set("seTrimLowLimit", "-9");
  EXPECT_EQ(p.Stored(layout::kTrimHighLimit), 52);
  // The high limit cannot go down to the low one.
  p.Set("seTrimLowLimit", "20");
  SetEnglishVersion(false);
  EXPECT_EQ(Refusal(p, "seTrimHighLimit", "20"), "Range check error: допустимо 21..90");
  EXPECT_EQ(p.Stored(layout::kTrimHighLimit), 52);
  p.Set("seTrimHighLimit", "21");
  EXPECT_EQ(p.Stored(layout::kTrimHighLimit), 21);
  // The top of the low range still leaves room for the high limit.
  p.Set("seTrimLowLimit", "89");
  EXPECT_EQ(p.Stored(layout::kTrimHighLimit), 90);
  EXPECT_EQ(Refusal(p, "seTrimLowLimit", "90"), "Range check error: допустимо -9..89");
}

TEST(SoundsPage, WarningModesArePackedIntoTheirByte) {
  Page p("v104-8k");
  // First "Б" (2) and next "Г" (4): 2 + 4 × 8.
  p.Set("rgWarnFirst_0", "Б");
  p.Set("rgWarnNext_0", "V");
  EXPECT_EQ(p.Stored(layout::kWarnModes[0]), 34);
  EXPECT_EQ(p.Get("rgWarnFirst_0", false), "Б");
  EXPECT_EQ(p.Get("rgWarnNext_0"), "V");
  // Leaving the next group alone stores the pair too.
  p.Set("rgWarnNext_0", "#1");
  EXPECT_EQ(p.Stored(layout::kWarnModes[0]), 2 + 8);
  // A warning with only a first group repeats it: "М" (3) stores 27.
  p.Set("rgWarnFirst_6", "М");
  EXPECT_EQ(p.Stored(layout::kWarnModes[6]), 27);
  // The two top bits are cleared by a store.
  p.mk.SetInt(layout::kWarnModes[1], 0xC0 | 3);
  EXPECT_EQ(p.Get("rgWarnFirst_1"), "M");
  p.Set("rgWarnNext_1", "N");
  EXPECT_EQ(p.Stored(layout::kWarnModes[1]), 3 + 8);

  p.Set("seSoundVolume", "8");
  EXPECT_EQ(p.Stored(layout::kSoundVolume), 8);
  SetEnglishVersion(false);  // the Russian refusal, whatever an earlier test left
  EXPECT_NE(Refusal(p, "rgWarnFirst_2", "X").find("пункты: О, Н, Б, М, Г; или #N"),
            std::string::npos);
}

TEST(SoundsPage, SharedWarningByteFollowsTheProtocol) {
  Page p("v8003-32k");
  const FieldRef byte17 = layout::kWarnModes[kSharedWarning];
  // An engine-pump protocol whose code is not the water-in-fuel one: the
  // pair is shown and stores what the user chose.
  ASSERT_TRUE(p.UseProtocol(
      [](const TProtBase& x) { return x.IsHybrid && x.Code != kWaterInFuelProtocol; }));
  Visibility v = ControlVisibility(p.ctx);
  EXPECT_TRUE(v.Visible("rgWarnWaterFirst_17"));
  EXPECT_EQ(SettingLabel(p.ctx, p.Def("rgWarnNext_17")).ru, std::string("Помпа ДВС"));
  p.Set("rgWarnWaterFirst_17", "B");
  p.Set("rgWarnNext_17", "N");
  EXPECT_EQ(p.Stored(byte17), 2 + 8);
  // The diesel-filter group still owns the byte with this protocol.
  p.Set("rgWarnFirst_17", "N");
  EXPECT_EQ(p.Stored(byte17), 9);

  // Neither water in fuel nor engine pump: the pair is hidden and stores
  // nothing; the diesel-filter group stores.
  ASSERT_TRUE(p.UseProtocol(
      [](const TProtBase& x) { return !x.IsHybrid && x.Code != kWaterInFuelProtocol; }));
  v = ControlVisibility(p.ctx);
  EXPECT_FALSE(v.Visible("rgWarnWaterFirst_17"));
  p.Set("rgWarnNext_17", "M");
  EXPECT_EQ(p.Stored(byte17), 9);
  p.Set("rgWarnFirst_17", "B");
  EXPECT_EQ(p.Stored(byte17), 18);
}

TEST(SoundsPage, TrimVariantMirrorsTheInverterWarningAndHasNoVoice) {
  SetEnglishVersion(false);  // the messages are checked in Russian
  Page p("ve01-32k");
  ASSERT_TRUE(p.ctx.Flags().VariantTrim && p.ctx.Flags().VariantNoVoice);
  p.Set("rgWarnFirst_23", "N");
  p.Set("rgWarnNext_23", "B");
  EXPECT_EQ(p.Stored(layout::kWarnModes[23]), 1 + 16);
  EXPECT_EQ(p.Stored(layout::kWarnModes[18]), 1 + 16);

  // Without a voice the spoken modes are disabled and "ОтГол" is not offered.
  const auto items = SettingItems(p.ctx, p.Def("rgWarnFirst_0"));
  ASSERT_EQ(items.size(), 5u);
  EXPECT_TRUE(items[2].enabled);
  EXPECT_FALSE(items[3].enabled);
  EXPECT_FALSE(items[4].enabled);
  // The refusal names the device variant as the cause, not the protocol.
  EXPECT_EQ(Refusal(p, "rgWarnFirst_0", "M"),
            "'M' нельзя выбрать для rgWarnFirst_0 на этом варианте МК: он не произносит "
            "сообщений");
  SetEnglishVersion(true);
  EXPECT_EQ(Refusal(p, "rgWarnNext_3", "Г"),
            "'Г' cannot be chosen for rgWarnNext_3 on this device variant: it has no voice");
  SetEnglishVersion(false);
  EXPECT_EQ(SettingItems(p.ctx, p.Def("rgFlagSound")).size(), 3u);
  const Visibility v = ControlVisibility(p.ctx);
  EXPECT_FALSE(v.Visible("seSoundVolume"));
  EXPECT_FALSE(v.Visible("rgSayHelloMode"));
  EXPECT_FALSE(v.Visible("seSayParamPeriod"));
  EXPECT_FALSE(v.Visible("rgWarnFirst_12"));  // no lights alarms
  EXPECT_FALSE(v.Visible("rgWarnFirst_5"));   // power reserve: no ice warning

  Page voiced("v104-8k");
  EXPECT_EQ(SettingItems(voiced.ctx, voiced.Def("rgFlagSound")).back().text.ru,
            std::string("ОтГол"));
}

TEST(AveragesAndParking, StoredUnits) {
  Page p("v104-8k");
  p.Set("sePriceExpense", "45.7");
  EXPECT_EQ(p.Stored(layout::kPriceExpense), 457);
  p.Set("cbResetPeriod0", "Ручн.");
  EXPECT_EQ(p.Stored(layout::kResetPeriod0), 0);
  p.Set("cbResetPeriod1", "7");
  EXPECT_EQ(p.Stored(layout::kResetPeriod1), 7);
  p.Set("cbResetPeriod1", "Man.");
  EXPECT_EQ(p.Stored(layout::kResetPeriod1), 0);
  p.Set("cbResetPeriod1", "Запр.");
  EXPECT_EQ(p.Stored(layout::kResetPeriod1), -1);
  EXPECT_EQ(p.Get("cbResetPeriod1"), "Proh.");
  EXPECT_EQ(SettingItems(p.ctx, p.Def("cbResetPeriod0")).size(), 100u);
  EXPECT_EQ(SettingItems(p.ctx, p.Def("cbResetPeriodOnly")).size(), 101u);
  p.Set("seTripMinStop", "30");
  EXPECT_EQ(p.Stored(layout::kTripMinStop), 6);
  p.mk.SetInt(layout::kTripMinStop, 6);
  EXPECT_EQ(p.Get("seTripMinStop"), "30");

  p.Set("seParkMinLeng0", "50");
  EXPECT_EQ(p.Stored(layout::kParkMinLeng[0]), 5);
  p.Set("seParkStopLeng0", "250");
  EXPECT_EQ(p.Stored(layout::kParkStopLeng[0]), 25);
  EXPECT_EQ(p.Get("seParkStopLeng0"), "250");
  p.Set("cbParkUse1", "on");
  EXPECT_EQ(p.Stored(layout::kParkUse[1]), 1);
}

TEST(DisplayOptionsPage, TimesOfDay) {
  Page p("v104-8k");
  p.Set("meIntenseDayTime", "07:30");
  EXPECT_EQ(p.Stored(layout::kIntenseDayTime), 450);
  p.mk.SetInt(layout::kIntenseNightTime, 450);
  EXPECT_EQ(p.Get("meIntenseNightTime"), "07:30");
  p.Set("meIntenseNightTime", "7:05");
  EXPECT_EQ(p.Stored(layout::kIntenseNightTime), 425);
  p.Set("meIntenseNightTime", "23:59");
  EXPECT_EQ(p.Stored(layout::kIntenseNightTime), 1439);
  // Anything that is no time of day is refused and nothing is written: a
  // typo must not become midnight or a time the device cannot have.
  const auto before = p.Blocks();
  SetEnglishVersion(true);
  for (const char* bad : {"99:99", "24:00", "12:60", "0730", "07-30", "ab:cd", "7:3", "", "::"})
    EXPECT_EQ(Refusal(p, "meIntenseDayTime", bad),
              "'Day brightness on time': '" + std::string(bad) +
                  "' is not a time of day; expected HH:MM from 00:00 to 23:59.")
        << bad;
  EXPECT_EQ(p.Blocks(), before);
}

TEST(DisplayOptionsPage, SharedBytesAndBitMasks) {
  Page p("v104-8k");
  p.mk.SetInt(layout::kIntenseColorMeth, 0);
  p.Set("rgIntenseMeth", "Время");
  p.Set("rgColorMeth", "P.lights");
  EXPECT_EQ(p.Stored(layout::kIntenseColorMeth), 0x21);
  p.Set("rgIntenseMeth", "Man.");
  EXPECT_EQ(p.Stored(layout::kIntenseColorMeth), 0x20);

  p.mk.SetInt(layout::kDispShowArrowMeth, 0xF0);
  p.Set("rgDispShowArrowMeth_1", "Limits");
  EXPECT_EQ(p.Stored(layout::kDispShowArrowMeth), 0xF2);
  p.Set("rgDispShowArrowMeth_0", "Smooth");
  p.Set("rgDispShowArrowMeth_1", "Max");
  EXPECT_EQ(p.Stored(layout::kDispShowArrowMeth), 0xF1);

  // x1 display #8 of the fifth column is bit 39 of the 64-bit mask.
  p.mk.SetInt(layout::kShowDisp1[0], 0);
  p.mk.SetInt(layout::kShowDisp1[1], 0);
  p.Set("cbShowDisp_1_39", "on");
  EXPECT_EQ(p.Stored(layout::kShowDisp1[0]), 0);
  EXPECT_EQ(p.Stored(layout::kShowDisp1[1]), 1 << 7);
  p.mk.SetInt(layout::kShowDisp1[0], 0xFFFFFFFF);
  p.mk.SetInt(layout::kShowDisp1[1], 0xFFFFFFFF);
  p.Set("cbShowDisp_1_39", "off");
  EXPECT_EQ(p.Stored(layout::kShowDisp1[0]), 0xFFFFFFFF);
  EXPECT_EQ(p.Stored(layout::kShowDisp1[1]), 0xFFFFFF7F);
  p.Set("cbShowDisp_4_5", "off");
  EXPECT_EQ(p.Stored(layout::kShowDisp4) & (1 << 5), 0);
  EXPECT_EQ(SettingLabel(p.ctx, p.Def("cbShowDisp_1_39")).ru, std::string("#8"));
  EXPECT_EQ(SettingLabel(p.ctx, p.Def("cbShowDisp_S_6")).en, std::string("Taximeter"));
}

TEST(EditorVisibility, RulesNameOnlySettingsOfTheSchema) {
  // Every name a visibility rule hides, for every sample and every protocol
  // its variant offers, is a setting of the schema (a misspelt name would
  // hide nothing and show a control that should be hidden).
  std::set<std::string> names;
  for (const auto& d : SettingsSchema()) names.insert(d.name);
  for (const char* sample : {"v104-8k", "v8002-8k", "v8003-32k", "ve01-32k"}) {
    Page p(sample);
    for (size_t i = 0; i < p.ctx.catalog.Protocols().size(); ++i) {
      p.ctx.catalog.SelectProtocol(int(i));
      const Visibility v = ControlVisibility(p.ctx);
      for (const auto& hidden : v.Hidden())
        EXPECT_TRUE(names.count(hidden)) << sample << " hides unknown " << hidden;
    }
  }
}

TEST(EditorVisibility, VariantRulesOfTheNewPages) {
  Page e01("ve01-32k");
  Visibility v = ControlVisibility(e01.ctx);
  EXPECT_TRUE(v.Visible("seTrimLowLimit"));
  EXPECT_FALSE(v.Visible("seInvTemperLimit"));  // its byte is the trim low limit here
  EXPECT_FALSE(v.Visible("seStopVelocityLimit"));
  EXPECT_FALSE(v.Visible("seVel100Down"));
  EXPECT_FALSE(v.Visible("sePriceGas"));
  EXPECT_FALSE(v.Visible("cbShowDisp_S_4"));
  EXPECT_FALSE(v.Visible("cbShowDisp_S_8"));
  EXPECT_FALSE(v.Visible("cbShowDisp_S_6"));

  Page v8002("v8002-8k");
  v = ControlVisibility(v8002.ctx);
  EXPECT_TRUE(v.Visible("rg24VMode"));
  EXPECT_TRUE(v.Visible("seTareWeight"));  // cargo variant
  EXPECT_TRUE(v.Visible("cbShowDisp_S_6"));
  EXPECT_FALSE(v.Visible("seTrimLowLimit"));

  Page v104("v104-8k");
  v = ControlVisibility(v104.ctx);
  EXPECT_FALSE(v.Visible("rg24VMode"));
  EXPECT_TRUE(v.Visible("rgWarnFirst_17"));  // VAG: diesel filter
  // Tare weight and cargo density also come with the cargo protocol.
  if (v104.UseProtocol([](const TProtBase& x) { return x.Code == 0x0E; })) {
    EXPECT_TRUE(ControlVisibility(v104.ctx).Visible("seCargoDens"));
  }
}
