// SPDX-License-Identifier: GPL-3.0-or-later
// The editor's settings without widgets: conversions, store rules, items and
// visibility of the corrections and sources pages.
#include <gtest/gtest.h>

#include <cmath>
#include <set>

#include "catalog/variants.h"
#include "editor_core/edit_session.h"
#include "editor_core/editor_pages.h"
#include "editor_core/option_bits.h"
#include "editor_core/page_meth.h"
#include "editor_core/setting_value.h"
#include "editor_core/settings_schema.h"
#include "editor_core/visibility.h"
#include "model/sample_image.h"
#include "model/settings_document.h"
#include "model/settings_layout.h"
#include "model/tmk.h"
#include "schema_values.h"
#include "util/errors.h"

using namespace tc;

namespace {

// A model holding a sample image with the variant of that image selected.
struct Loaded {
  explicit Loaded(const char* sample) : catalog(doc.Variant()), ctx{mk, catalog} {
    const SampleSetup setup = SampleSetupByName(sample);
    mk.ReplaceImage(BuildSampleImage(setup), setup.deviceVersion);
    mk.DecodeSettingsBlocks();
    doc.SelectVariant();
  }
  const SettingDef& Def(const char* name) {
    const SettingDef* d = FindSetting(name);
    if (!d) throw std::runtime_error(std::string("no setting ") + name);
    return *d;
  }
  std::vector<std::string> ItemTexts(const char* name, bool english = true) {
    std::vector<std::string> t;
    for (const auto& i : SettingItems(ctx, Def(name))) t.push_back(i.text.Get(english));
    return t;
  }
  SettingsDocument doc;
  TMK& mk = doc.Model();
  TVariantCatalog& catalog;
  EditorContext ctx;
};

}  // namespace

TEST(EditorConversions, PercentCorrections) {
  Loaded l("v104-8k");
  const SettingDef& v = l.Def("seVelocityCorr");
  EXPECT_TRUE(SetNumber(l.ctx, v, 5.0));
  EXPECT_FLOAT_EQ(float(l.mk.GetFloat(layout::kVelocityCorr)), 1.05f);
  EXPECT_DOUBLE_EQ(GetNumber(l.ctx, v), 5.0);  // not 4.9
  l.mk.SetFloat(layout::kVelocityCorr, 0.95);
  EXPECT_DOUBLE_EQ(GetNumber(l.ctx, v), -5.0);
  EXPECT_EQ(FormatValue(l.ctx, v, true), "-5.0");
  l.mk.SetFloat(layout::kVelocityCorr, 1.0);
  EXPECT_EQ(FormatValue(l.ctx, v, true), "0.0");
  EXPECT_DOUBLE_EQ(PercentShown(2.0), 100.0);
  EXPECT_DOUBLE_EQ(PercentShown(0.01), -99.0);
  // A correction far outside the range (a damaged file) shows, and an edit
  // replaces it.
  l.mk.SetFloat(layout::kVelocityCorr, -5.2e29);
  EXPECT_LT(GetNumber(l.ctx, v), -1e30);
  EXPECT_TRUE(SetNumber(l.ctx, v, 5.0));
  EXPECT_DOUBLE_EQ(GetNumber(l.ctx, v), 5.0);
  EXPECT_TRUE(std::isnan(PercentShown(std::nan(""))));

  // Leaving a correction unedited keeps digits the control cannot show.
  l.mk.SetFloat(layout::kExpenseCorr, 1.0512);
  EXPECT_FALSE(SetNumber(l.ctx, l.Def("seExpenseCorr"), 5.1));
  EXPECT_FLOAT_EQ(float(l.mk.GetFloat(layout::kExpenseCorr)), 1.0512f);
}

TEST(EditorConversions, ScaledValuesRoundHalfToEven) {
  Loaded l("v104-8k");
  const SettingDef& pulses = l.Def("seForsCoefCarb");
  EXPECT_FALSE(pulses.typing);
  EXPECT_DOUBLE_EQ(pulses.step, 0.5);
  SetNumber(l.ctx, pulses, 2.5);
  EXPECT_EQ(l.mk.GetInt(layout::kForsCoefCarb), 5);
  EXPECT_EQ(FormatValue(l.ctx, pulses, false), "2.5");

  SetNumber(l.ctx, l.Def("seAccCorr"), -0.7);
  EXPECT_EQ(l.mk.GetInt(layout::kAccCorr), -7);
  SetNumber(l.ctx, l.Def("seK100Manual"), 12.3);
  EXPECT_EQ(l.mk.GetInt(layout::kK100Manual), 123);

  // Halves go to the even neighbour: 2.5 -> 2, 3.5 -> 4.
  SettingDef half{.name = "half", .field = layout::kParkType, .scale = 0.5, .min = 0, .max = 100};
  SetNumber(l.ctx, half, 5);
  EXPECT_EQ(l.mk.GetInt(layout::kParkType), 2);
  SetNumber(l.ctx, half, 7);
  EXPECT_EQ(l.mk.GetInt(layout::kParkType), 4);
}

TEST(EditorConversions, ValuesThatDoNotFitAreRefusedAndNotWritten) {
  Loaded l("v104-8k");
  const auto before = std::vector<uint8_t>(l.mk.Block(6).begin(), l.mk.Block(6).end());
  EXPECT_THROW(SetNumber(l.ctx, l.Def("seTimeCorr"), 31), RangeError);
  EXPECT_THROW(SetNumber(l.ctx, l.Def("seAccCorr"), 0.8), RangeError);
  EXPECT_THROW(SetNumber(l.ctx, l.Def("seVelocityCorr"), std::nan("")), RangeError);
  EXPECT_THROW(SetIndex(l.ctx, l.Def("rgForsCoef"), 3), RangeError);
  EXPECT_EQ(std::vector<uint8_t>(l.mk.Block(6).begin(), l.mk.Block(6).end()), before);

  // Limits wider than the field: the field's own range decides.
  // The refusal names what the field holds, whichever is narrower.
  SettingDef wide{.name = "wide", .field = layout::kDispSpeed, .min = 0, .max = 1000};
  l.mk.SetInt(layout::kDispSpeed, 17);
  SetEnglishVersion(true);
  try {
    SetNumber(l.ctx, wide, 300);
    FAIL() << "no error";
  } catch (const RangeError& e) {
    EXPECT_STREQ(e.what(), "Range check error: allowed 0..255");
  }
  EXPECT_EQ(l.mk.GetInt(layout::kDispSpeed), 17);

  // A stored value outside the limits (1..7) is no value one may type in,
  // though the field holds it already; an untouched control stays silent.
  const SettingDef& sense = l.Def("seParkSense0");
  l.mk.SetInt(layout::kParkSense[0], 0);
  EXPECT_THROW(SetFromText(l.ctx, sense, "0"), RangeError);
  EXPECT_THROW(SetFromText(l.ctx, sense, "0.4"), RangeError);
  EXPECT_FALSE(SetNumber(l.ctx, sense, 0));
  EXPECT_EQ(l.mk.GetInt(layout::kParkSense[0]), 0);
  EXPECT_TRUE(SetFromText(l.ctx, sense, "1"));
  EXPECT_EQ(l.mk.GetInt(layout::kParkSense[0]), 1);
}

TEST(EditorChoices, TachometerLockLevelAndInvertedBit) {
  Loaded l("v104-8k");
  const SettingDef& tacho = l.Def("rgForsCoef");
  SetIndex(l.ctx, tacho, 2);
  EXPECT_EQ(l.mk.GetInt(layout::kForsCoef), 4);
  for (auto [stored, item] : {std::pair{1, 0}, {2, 1}, {3, 2}, {0, 2}, {200, 2}}) {
    l.mk.SetInt(layout::kForsCoef, uint8_t(stored));
    EXPECT_EQ(GetIndex(l.ctx, tacho), item) << stored;
  }

  // Without VariantNoLockType three levels, with it a fourth; items store 1..4.
  EXPECT_EQ(l.ItemTexts("rgLockTypeLevel"), (std::vector<std::string>{"1", "2", "3"}));
  l.catalog.SelectVariant(0xD01, 0, 0);
  ASSERT_TRUE(l.catalog.Flags().VariantNoLockType);
  EXPECT_EQ(l.ItemTexts("rgLockTypeLevel"), (std::vector<std::string>{"1", "2", "3", "Strt"}));
  for (int i = 3; i >= 0; --i) {
    SetIndex(l.ctx, l.Def("rgLockTypeLevel"), i);
    EXPECT_EQ(l.mk.GetInt(layout::kLockLevel), i + 1);
  }

  // "Compens. V batt." cleared sets option bit 15, and nothing else.
  const uint32_t word = l.mk.GetInt(layout::kOptionWord);
  const SettingDef& comp = l.Def("cbCorrTankByAcc");
  EXPECT_TRUE(GetCheck(l.ctx, comp));
  SetCheck(l.ctx, comp, false);
  EXPECT_EQ(l.mk.GetInt(layout::kOptionWord), word | 0x8000u);
  SetCheck(l.ctx, comp, true);
  EXPECT_EQ(l.mk.GetInt(layout::kOptionWord), word);

  SetIndex(l.ctx, l.Def("rgGasCalcExp"), 1);
  EXPECT_TRUE(OptionBitSet(l.mk, kOptGasVariant2));
}

TEST(EditorRules, ProtocolChangeResetsTheSubtypes) {
  Loaded l("v104-8k");
  for (int k = 0; k < 8; ++k) l.mk.SetInt(layout::SubtypeField(k), k + 1);
  // The byte after the first four slots is no subtype.
  FieldRef neighbour = layout::SubtypeField(3);
  ++neighbour.offset;
  l.mk.SetInt(neighbour, 0x77);
  const SettingDef& protocol = l.Def("cbProtocol");
  EXPECT_TRUE(protocol.storeOnLeave);

  // Choosing the stored protocol again changes nothing.
  EXPECT_FALSE(SetIndex(l.ctx, protocol, 0));
  EXPECT_EQ(l.mk.GetInt(layout::SubtypeField(7)), 8);

  // "CAN Ford" (entry 3 of 0x104) uses only slot 3.
  EXPECT_TRUE(SetFromText(l.ctx, protocol, "CAN Ford"));
  EXPECT_EQ(l.mk.GetInt(layout::kProtocolNumber), 3);
  EXPECT_EQ(l.mk.GetInt(layout::kPreviousProtocol), 0);  // the previous protocol
  for (int k = 0; k < 8; ++k) EXPECT_EQ(l.mk.GetInt(layout::SubtypeField(k)), 0) << k;
  EXPECT_EQ(l.mk.GetInt(neighbour), 0x77);
  EXPECT_EQ(l.catalog.CurrentProtocolNumber(), 3);
  const Visibility v = ControlVisibility(l.ctx);
  EXPECT_FALSE(v.Visible("cbProtTypeMain"));
  EXPECT_TRUE(v.Visible("cbProtTypeAdd3"));
  EXPECT_EQ(SettingLabel(l.ctx, l.Def("cbProtTypeAdd3")).en, std::string("Throttle type"));
  EXPECT_EQ(l.ItemTexts("cbProtTypeAdd3").size(), 6u);

  // Back to M74CAN: slots 1 and 4 with their captions and choices.
  SetIndex(l.ctx, protocol, 0);
  EXPECT_EQ(l.mk.GetInt(layout::kPreviousProtocol), 3);
  EXPECT_EQ(SettingLabel(l.ctx, l.Def("cbProtTypeAdd1")).ru,
            std::string("Канал включения вентилятора"));
  EXPECT_EQ(l.ItemTexts("cbProtTypeAdd4", false),
            (std::vector<std::string>{"Нет", "Jatco", "ZF 2180", "Niss5"}));
}

TEST(EditorRules, SpeedSourcesAndTheVirtualLock) {
  Loaded e01("ve01-32k");
  EXPECT_EQ(e01.ItemTexts("rgVelocityMeth"), (std::vector<std::string>{"ECU", "Sens", "GPS"}));
  const SettingDef& speed = e01.Def("rgVelocityMeth");
  const SettingDef& lock = e01.Def("rgLockType");
  SetIndex(e01.ctx, lock, 0);
  SetIndex(e01.ctx, speed, 2);  // GPS needs a virtual lock: moved back
  EXPECT_EQ(e01.mk.GetInt(layout::kSpeedSource), 0);
  SetIndex(e01.ctx, lock, 1);
  SetIndex(e01.ctx, speed, 2);
  EXPECT_EQ(e01.mk.GetInt(layout::kSpeedSource), 2);
  SetIndex(e01.ctx, lock, 0);  // making the lock physical again drops GPS
  EXPECT_EQ(e01.mk.GetInt(layout::kSpeedSource), 0);
  SetIndex(e01.ctx, speed, 1);
  SetIndex(e01.ctx, lock, 1);
  SetIndex(e01.ctx, lock, 0);
  EXPECT_EQ(e01.mk.GetInt(layout::kSpeedSource), 1);  // only the last item is affected

  // NMEA for 0xF01; "ECU" cannot be chosen with the universal protocol.
  e01.catalog.SelectVariant(0xF01, 9, 0);
  ASSERT_EQ(e01.catalog.CurrentProtocol()->Code, 0xFF);
  const auto items = SettingItems(e01.ctx, speed);
  ASSERT_EQ(items.size(), 3u);
  EXPECT_STREQ(items[2].text.en, "NMEA");
  EXPECT_FALSE(items[0].enabled);
  EXPECT_THROW(SetIndex(e01.ctx, speed, 0), RangeError);
  SetEnglishVersion(true);
  try {
    SetFromText(e01.ctx, speed, "ECU");
    ADD_FAILURE() << "ECU taken";
  } catch (const TripError& e) {
    EXPECT_STREQ(e.what(), "'ECU' cannot be chosen for rgVelocityMeth with the current protocol");
  }
}

TEST(EditorRules, ProtocolDefinitionAndTankItemsFollowTheVariant) {
  Loaded v104("v104-8k");
  EXPECT_EQ(v104.ItemTexts("cbProtocolSelectMeth"),
            (std::vector<std::string>{"Auto", "AutoOBD", "AutoVAG", "AutoOpl", "Man."}));
  // M74CAN has two ECU level sensors.
  EXPECT_EQ(v104.ItemTexts("cbTankMeth"),
            (std::vector<std::string>{"Расчетный", "ДУТ", "ДУТ ЭБУ", "ДУТ ЭБУ2"}));
  Loaded e01("ve01-32k");
  EXPECT_EQ(e01.ItemTexts("cbProtocolSelectMeth"), (std::vector<std::string>{"Auto", "Man."}));

  // Without "ДУТ" the list is shorter and its positions are stored: on a
  // variant without it, NMEA2000's ECU sensor is item 1 and stores 1.
  e01.catalog.SelectVariant(0xF01, 0, 0);
  EXPECT_EQ(e01.ItemTexts("cbTankMeth"), (std::vector<std::string>{"Расчетный", "ДУТ ЭБУ"}));
  e01.mk.SetInt(layout::kTankMeth, 1);
  EXPECT_EQ(FormatValue(e01.ctx, e01.Def("cbTankMeth"), true), "ДУТ ЭБУ");
  e01.mk.SetInt(layout::kTankMeth, 0);
  EXPECT_TRUE(SetFromText(e01.ctx, e01.Def("cbTankMeth"), "ДУТ ЭБУ"));
  EXPECT_EQ(e01.mk.GetInt(layout::kTankMeth), 1);
  e01.mk.SetInt(layout::kTankMeth, 2);
  EXPECT_EQ(FormatValue(e01.ctx, e01.Def("cbTankMeth"), true), "?2");
}

TEST(EditorVisibility, CorrectionAndSourcePagesByVariant) {
  Loaded v104("v104-8k");
  Visibility v = ControlVisibility(v104.ctx);
  for (const char* n : {"seVelocityCorr", "seGazExpenseCorr", "seAirTemperCorr", "seGazContFull",
                        "cbGasOil", "rgGasCalcExp", "rgGasMeth", "rgRevolutionsMeth",
                        "rgAirTemperMeth", "rgLockType", "rgGabarType"})
    EXPECT_TRUE(v.Visible(n)) << n;
  for (const char* n : {"cbLightsOn", "rgAirWaterShow", "cbUseTank2", "rgUaccMeth", "sgTrimMeth",
                        "rgAirTemperGetMeth", "cbProtTypeMain", "rgForsPosFlag", "rgForsCoef"})
    EXPECT_FALSE(v.Visible(n)) << n;

  // The injector groups appear as soon as one source is the injector.
  v104.mk.SetInt(layout::kGasSource, 1);
  EXPECT_TRUE(ControlVisibility(v104.ctx).Visible("rgForsCoef"));

  // Lock level and the protocol combo follow the stored choices.
  EXPECT_FALSE(v.Visible("rgLockTypeLevel"));
  EXPECT_FALSE(v.Visible("cbProtocol"));
  SetFromText(v104.ctx, v104.Def("rgLockType"), "Virt.");
  SetFromText(v104.ctx, v104.Def("cbProtocolSelectMeth"), "Man.");
  SetFromText(v104.ctx, v104.Def("rgGabarType"), "ECU");
  v = ControlVisibility(v104.ctx);
  EXPECT_TRUE(v.Visible("rgLockTypeLevel"));
  EXPECT_TRUE(v.Visible("cbProtocol"));
  EXPECT_FALSE(v.Visible("rgGabarInvPol"));

  Loaded e01("ve01-32k");  // no gas, no speed correction, power reserve, trim
  v = ControlVisibility(e01.ctx);
  for (const auto& d : SettingsSchema())
    if (d.gas) {
      EXPECT_FALSE(v.Visible(d.name)) << d.name;
    }
  for (const char* n : {"seVelocityCorr", "rgAirTemperMeth", "cbProtTypeMain"})
    EXPECT_FALSE(v.Visible(n)) << n;
  for (const char* n : {"rgAirWaterShow", "rgRevolutionsMeth", "rgLockType", "seExpenseCorr"})
    EXPECT_TRUE(v.Visible(n)) << n;
  // Yamaha (the sample's protocol 3) offers the voltage source, not the trim source.
  EXPECT_TRUE(v.Visible("rgUaccMeth"));
  EXPECT_FALSE(v.Visible("sgTrimMeth"));

  e01.catalog.SelectVariant(0xD01, 0, 0);
  v = ControlVisibility(e01.ctx);
  for (const char* n : {"rgRevolutionsMeth", "rgExpenseMeth", "rgLockType", "seAirTemperCorr"})
    EXPECT_FALSE(v.Visible(n)) << n;
}

TEST(EditorPages, CaptionsAndVisibilityByVariant) {
  std::vector<std::string> en, ru;
  for (const auto& p : EditorPages()) {
    en.push_back(p.caption.en);
    ru.push_back(p.caption.ru);
  }
  EXPECT_EQ(en, (std::vector<std::string>{"Correction", "Resources", "Limits", "Display", "Sounds",
                                          "Average", "Parctronic", "Fuel", "TS", "Add.systems",
                                          "Uni.input/Trim", "ServiceInfo"}));
  EXPECT_EQ(ru.front(), "Поправки");
  EXPECT_EQ(ru.back(), "Служ.информ.");

  // The display page's own pages, in both languages (the x7 layout and the
  // sub-pages that split the previews have English captions too).
  const auto captions = [](const char* page, bool english) {
    std::vector<std::string> t;
    for (const auto& p : FindEditorPage(page)->pages) t.push_back(p.caption.Get(english));
    return t;
  };
  EXPECT_EQ(
      captions("tsDisp", true),
      (std::vector<std::string>{"Color schemes", "Displays x 1", "Displays x 4", "Displays x 9",
                                "Displays x 7", "Displays x 3", "Graph.Displays", "Arrow Dispalys",
                                "Displays x ", "Hot menu", "Info.panel", "Divers"}));
  // Eight graphs and eight dials, three to a page.
  const std::vector<std::string> eightRu = {"Дисплеи 1 .. 3", "Дисплеи 4 .. 6", "Дисплеи 7, 8"};
  const std::vector<std::string> eightEn = {"Displays 1 .. 3", "Displays 4 .. 6", "Displays 7, 8"};
  for (bool english : {false, true}) {
    EXPECT_EQ(captions("tsGraphDisplays", english), english ? eightEn : eightRu);
    EXPECT_EQ(captions("tsArrowDisplays", english), english ? eightEn : eightRu);
    const auto& eight = english ? eightEn : eightRu;
    EXPECT_EQ(captions("tsDisplays4", english), (std::vector<std::string>{eight[0], eight[1]}));
    EXPECT_EQ(captions("tsDisplays7", english),
              (english ? std::vector<std::string>{"Displays 1, 2", "Displays 3, 4"}
                       : std::vector<std::string>{"Дисплеи 1, 2", "Дисплеи 3, 4"}));
  }

  TVariantCatalog c;
  const auto shown = [&](const char* name) { return PageShown(*FindEditorPage(name), c.Flags()); };
  c.SelectVariant(0x104, 0, 0);
  EXPECT_TRUE(shown("tsPark"));
  EXPECT_FALSE(shown("tsBlocks"));
  EXPECT_FALSE(shown("tsUniMeas"));
  EXPECT_FALSE(shown("tsDisplays1"));
  EXPECT_FALSE(shown("tsServiceInfo"));
  c.SelectVariant(0xE01, 0, 0);
  EXPECT_FALSE(shown("tsPark"));
  EXPECT_TRUE(shown("tsUniMeas"));
  EXPECT_TRUE(shown("tsDisplays1"));
  EXPECT_FALSE(shown("tsInfoPanel"));
}

TEST(EditorSchema, EverySettingIsWellFormed) {
  Loaded l("v104-8k");
  std::set<std::string> names;
  for (const auto& d : SettingsSchema()) {
    EXPECT_TRUE(names.insert(d.name).second) << "duplicate " << d.name;
    EXPECT_NE(FindEditorPage(d.page), nullptr) << d.name;
    EXPECT_NO_THROW(ReadStored(l.ctx, d)) << d.name;  // the field lies inside its block
    if (d.kind == ControlKind::Spin) {
      EXPECT_LT(d.min, d.max) << d.name;
    }
    if (d.IsChoice()) {
      EXPECT_TRUE(d.dynamicItems || !d.items.empty()) << d.name;
    }
    if (d.bit >= 0) {
      EXPECT_LT(d.bit, 8 * d.field.Width()) << d.name;
    }
  }
  EXPECT_EQ(SettingsOfPage("tsCorr").size(), 11u);
  EXPECT_EQ(SettingsOfPage("tsMeth").size(), 34u);
}

TEST(EditorText, EverySettingRoundTripsThroughItsText) {
  // Every shown setting of every sample takes each of its values as text, in
  // either language, and shows it back the same way.
  for (const char* sample : {"v104-8k", "v8002-8k", "v8003-32k", "ve01-32k"}) {
    for (const bool english : {true, false}) {
      Loaded l(sample);
      SetFromText(l.ctx, l.Def("rgLockType"), "Virt.");  // keeps GPS where offered
      const Visibility visible = ControlVisibility(l.ctx);
      for (const auto& d : SettingsSchema()) {
        if (!visible.Visible(d.name) || d.readOnly) continue;
        std::vector<std::string> values;
        if (d.kind == ControlKind::Spin || d.kind == ControlKind::Time) {
          values = {FormatValue(l.ctx, d, english), OtherValue(l.ctx, d)};
          // A stored number outside the limits is refused when typed back.
          if (d.kind == ControlKind::Spin && !WithinLimits(l.ctx, d, GetNumber(l.ctx, d)))
            values.erase(values.begin());
        } else if (d.kind == ControlKind::Check) {
          values = {"on", "off"};
        } else {
          for (const auto& i : SettingItems(l.ctx, d))
            if (i.enabled) values.push_back(i.text.Get(english));
        }
        for (const auto& text : values) {
          SetFromText(l.ctx, d, text);
          // Items with the same text (two "Honda"s) resolve to the first.
          EXPECT_EQ(FormatValue(l.ctx, d, english), text) << sample << " " << d.name;
        }
      }
    }
  }
}

TEST(EditorText, BadTextIsRefusedWithAClearMessage) {
  SetEnglishVersion(true);
  Loaded l("v104-8k");
  const auto block6 = std::vector<uint8_t>(l.mk.Block(6).begin(), l.mk.Block(6).end());
  const auto message = [&](const char* name, const char* text) {
    try {
      SetFromText(l.ctx, l.Def(name), text);
    } catch (const std::exception& e) {
      return std::string(e.what());
    }
    return std::string("accepted");
  };
  EXPECT_NE(message("seTimeCorr", "ten").find("a number is expected"), std::string::npos);
  EXPECT_NE(message("seTimeCorr", "5x").find("is not a value of seTimeCorr"), std::string::npos);
  EXPECT_EQ(message("seTimeCorr", "45"), "Range check error: allowed -30..30");
  EXPECT_EQ(message("seAllPathStart", "1e300"), "Range check error: allowed 0..999999");
  EXPECT_EQ(message("seAllPathStart", "-inf"), "Range check error: allowed 0..999999");
  EXPECT_NE(message("rgForsCoef", "3").find("items: 1, 2, 4"), std::string::npos);
  EXPECT_NE(message("rgForsCoef", "#7").find("is not a value"), std::string::npos);
  EXPECT_NE(message("cbUseTank2", "maybe").find("on or off"), std::string::npos);
  // The same refusals in Russian; "Range check error" keeps its words.
  SetEnglishVersion(false);
  EXPECT_EQ(message("seSoundVolume", "abc"), "'abc' — не значение seSoundVolume (ожидается число)");
  EXPECT_EQ(message("cbUseTank2", "maybe"),
            "'maybe' — не значение cbUseTank2 (ожидается on или off, да или нет)");
  EXPECT_EQ(message("rgForsCoef", "3"),
            "'3' — не значение rgForsCoef (пункты: 1, 2, 4; или #N — N-й пункт с 0)");
  EXPECT_EQ(message("seTimeCorr", "45"), "Range check error: допустимо -30..30");
  SetEnglishVersion(true);
  EXPECT_EQ(std::vector<uint8_t>(l.mk.Block(6).begin(), l.mk.Block(6).end()), block6);

  EXPECT_EQ(message("seTimeCorr", " -12 "), "accepted");
  EXPECT_EQ(l.mk.GetInt(layout::kTimeCorr), -12);
  EXPECT_EQ(message("seAccCorr", "0,3"), "accepted");
  EXPECT_EQ(l.mk.GetInt(layout::kAccCorr), 3);
  EXPECT_EQ(message("rgForsCoef", "#1"), "accepted");
  EXPECT_EQ(l.mk.GetInt(layout::kForsCoef), 2);
  EXPECT_EQ(message("rgPrognozMeth", "Ручн."), "accepted");  // Russian text works too
  EXPECT_EQ(l.mk.GetInt(layout::kPrognozMeth), 2);
}
