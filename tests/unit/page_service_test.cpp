// SPDX-License-Identifier: GPL-3.0-or-later
// The service and universal-input pages without widgets: dates, names, the
// short-service variant, the reminder switches, the ADC rule, the service
// settings file, and every text and date setting through its text form.
#include <gtest/gtest.h>

#include "catalog/variants.h"
#include "editor_core/visibility.h"
#include "model/service_file.h"
#include "model/settings_layout.h"
#include "schema_values.h"
#include "side_pages_fixture.h"
#include "util/errors.h"

using namespace tc;
using tc::test::Outcome;
using tc::test::SampleModel;

TEST(ServiceDates, DayNumbersBothWays) {
  SampleModel m("v104-8k");
  const SettingDef& to = m.Def("deTO");
  m.mk.SetInt(layout::kDateTO, 0xFFFF0000u);
  EXPECT_TRUE(SetFromText(m.ctx, to, "01.01.00"));
  EXPECT_EQ(m.mk.GetInt(layout::kDateTO), 2u);  // the upper two bytes are cleared
  EXPECT_TRUE(SetFromText(m.ctx, to, "01.03.04"));
  EXPECT_EQ(m.mk.GetInt(layout::kDateTO), 1522u);
  EXPECT_EQ(FormatValue(m.ctx, to, true), "01.03.04");
  EXPECT_FALSE(SetFromText(m.ctx, to, "1.3.4"));  // the same day
  EXPECT_TRUE(SetFromText(m.ctx, m.Def("deOSAGO"), "31.12.24"));
  EXPECT_EQ(m.mk.GetInt(layout::kDateOSAGO), 9132u);
  EXPECT_EQ(FormatValue(m.ctx, m.Def("deOSAGO"), false), "31.12.24");
}

TEST(ServiceDates, BadDatesStoreNothing) {
  SampleModel m("v104-8k");
  const SettingDef& to = m.Def("deTO");
  const auto before = m.BlockBytes(5);
  const auto set = [&](const char* text) { return Outcome([&] { SetFromText(m.ctx, to, text); }); };
  // The standard words, then the whole text as typed and the form.
  SetEnglishVersion(true);
  EXPECT_EQ(set("ab.03.04"),
            "'ab' is not a valid integer value: 'ab.03.04' is not a date of the form DD.MM.YY.");
  EXPECT_EQ(set("01.0x.04"),
            "'0x' is not a valid integer value: '01.0x.04' is not a date of the form DD.MM.YY.");
  EXPECT_EQ(set("01..04"),
            "'' is not a valid integer value: '01..04' is not a date of the form DD.MM.YY.");
  EXPECT_EQ(set("30.02.05"), "'30.02.05' is not a date of the form DD.MM.YY.");
  EXPECT_EQ(set("29.02.05"), "'29.02.05' is not a date of the form DD.MM.YY.");
  EXPECT_EQ(set("01.13.05"), "'01.13.05' is not a date of the form DD.MM.YY.");
  EXPECT_NE(set("01.03").find("not a date"), std::string::npos);
  SetEnglishVersion(false);
  EXPECT_NE(set("00.03.05").find("не дата"), std::string::npos);
  EXPECT_EQ(m.BlockBytes(5), before);
  EXPECT_EQ(set("29.02.04"), "accepted");  // a leap year
}

TEST(ServiceNames, StoredByteForByteWithOneTerminator) {
  SampleModel m("v104-8k");
  // The bytes of the 7-byte name field.
  const auto at = [&](int i) -> uint8_t& {
    return m.mk.Block(5)[layout::kUserParamName.offset + i];
  };
  for (int i = 0; i < 7; ++i) at(i) = 0x55;
  const SettingDef& name = m.Def("eUniMeasStr");
  EXPECT_TRUE(SetFromText(m.ctx, name, "Наддув"));
  const uint8_t cp1251[] = {0xCD, 0xE0, 0xE4, 0xE4, 0xF3, 0xE2};
  for (int i = 0; i < 6; ++i) EXPECT_EQ(at(i), cp1251[i]) << i;
  EXPECT_EQ(at(6), 0);
  EXPECT_EQ(FormatValue(m.ctx, name, true), "Наддув");
  // A shorter name keeps the bytes after its terminator.
  EXPECT_TRUE(SetFromText(m.ctx, name, "Abc"));
  EXPECT_EQ(at(3), 0);
  EXPECT_EQ(at(4), 0xF3);
  EXPECT_EQ(FormatValue(m.ctx, name, true), "Abc");
  EXPECT_FALSE(SetFromText(m.ctx, name, "Abc"));

  const auto before = m.BlockBytes(5);
  SetEnglishVersion(true);
  EXPECT_NE(Outcome([&] { SetFromText(m.ctx, name, "Τемп"); }).find("The character 'Τ'"),
            std::string::npos);  // a Greek capital tau
  EXPECT_NE(Outcome([&] { SetFromText(m.ctx, name, "7 chars"); }).find("longer than 6"),
            std::string::npos);
  EXPECT_NE(Outcome([&] { SetFromText(m.ctx, name, "a\tb"); }).find("U+0009"), std::string::npos);
  // A byte that starts no UTF-8 sequence is named by its value, never copied
  // into the message as half a character.
  EXPECT_NE(Outcome([&] {
              SetFromText(m.ctx, name,
                          "a\xD1"
                          "e");
            }).find("The character '0xD1'"),
            std::string::npos);
  SetEnglishVersion(false);
  EXPECT_NE(Outcome([&] { SetFromText(m.ctx, name, "€½"); }).find("Символ «½»"),
            std::string::npos);  // the euro sign is in Windows-1251, one half is not
  EXPECT_EQ(m.BlockBytes(5), before);

  // The reminder names hold 15 characters.
  const SettingDef& fors = m.Def("eForsTOCntK");
  EXPECT_TRUE(SetFromText(m.ctx, fors, "Замена ремня ГР"));
  EXPECT_EQ(m.mk.Block(5)[layout::kServiceNames[0].offset + 15], 0);
  EXPECT_EQ(FormatValue(m.ctx, fors, true), "Замена ремня ГР");
  EXPECT_THROW(SetFromText(m.ctx, fors, "Замена ремня ГРМ"), TripError);
  EXPECT_TRUE(SetFromText(m.ctx, m.Def("eCandleCntK"), " свечи "));  // blanks are kept
  EXPECT_EQ(m.mk.GetText(layout::kServiceNames[2]), " свечи ");
}

TEST(ServicePage, ShortServiceVariant) {
  SampleModel e01("ve01-32k");
  ASSERT_TRUE(e01.catalog.Flags().VariantShortService);
  EXPECT_TRUE(SetFromText(e01.ctx, e01.Def("seTOCntK"), "2.5"));
  EXPECT_EQ(e01.mk.GetInt(layout::kServiceCounters[0]), 25);
  EXPECT_EQ(FormatValue(e01.ctx, e01.Def("seTOCntK"), true), "2.5");
  EXPECT_THROW(SetFromText(e01.ctx, e01.Def("seTOCntK"), "10"), RangeError);
  Visibility v = ControlVisibility(e01.ctx);
  for (const char* hidden :
       {"seAirFiltCntK", "seKPPOilCntK",  "seForsTOCntK", "seGRMStrapCntK", "seCoolLiqCntK",
        "seEngOilCntK",  "seCandleCntK",  "eForsTOCntK",  "eGRMStrapCntK",  "eCandleCntK",
        "deOSAGO",       "cbAirFiltCntK", "cbKPPOilCntK", "cbForsTOCntK",   "cbGRMStrapCntK",
        "cbCoolLiqCntK", "cbEngOilCntK",  "cbCandleCntK", "cbTO",           "cbOSAGO"})
    EXPECT_FALSE(v.Visible(hidden)) << hidden;
  for (const char* shown : {"seTOCntK", "deTO", "seMotoHourLim", "cbMotoHour"})
    EXPECT_TRUE(v.Visible(shown)) << shown;

  SampleModel v104("v104-8k");
  ASSERT_FALSE(v104.catalog.Flags().VariantShortService);
  v = ControlVisibility(v104.ctx);
  EXPECT_FALSE(v.Visible("seTOCntK"));
  for (const char* shown : {"seAirFiltCntK", "eCandleCntK", "deOSAGO", "cbOSAGO", "cbTO"})
    EXPECT_TRUE(v.Visible(shown)) << shown;
  EXPECT_TRUE(SetFromText(v104.ctx, v104.Def("seAirFiltCntK"), "25"));
  EXPECT_EQ(v104.mk.GetInt(layout::kServiceCounters[0]), 25);
  EXPECT_THROW(SetFromText(v104.ctx, v104.Def("seAirFiltCntK"), "100"), RangeError);
}

TEST(ServicePage, ReminderSwitchesClearTheTopBits) {
  SampleModel m("v104-8k");
  m.mk.SetInt(layout::kServiceFlags, 0xF001);
  EXPECT_TRUE(SetCheck(m.ctx, m.Def("cbKPPOilCntK"), true));
  EXPECT_EQ(m.mk.GetInt(layout::kServiceFlags), 0x0003);
  m.mk.SetInt(layout::kServiceFlags, 0xA3FF);
  EXPECT_TRUE(SetFromText(m.ctx, m.Def("cbMotoHour"), "off"));
  EXPECT_EQ(m.mk.GetInt(layout::kServiceFlags), 0x01FF);
  EXPECT_TRUE(SetCheck(m.ctx, m.Def("cbOSAGO"), false));
  EXPECT_EQ(m.mk.GetInt(layout::kServiceFlags), 0x00FF);
  EXPECT_TRUE(SetCheck(m.ctx, m.Def("cbCandleCntK"), false));
  EXPECT_EQ(m.mk.GetInt(layout::kServiceFlags), 0x00BF);
}

TEST(UniMeasPage, EqualAdcPointsAreRefused) {
  SampleModel m("ve01-32k");
  const SettingDef& min = m.Def("seUniMeasADC0");
  const SettingDef& max = m.Def("seUniMeasADC1");
  EXPECT_TRUE(SetNumber(m.ctx, min, 100));
  EXPECT_TRUE(SetNumber(m.ctx, max, 200));
  const auto before = m.BlockBytes(5);
  SetEnglishVersion(true);
  EXPECT_EQ(Outcome([&] { SetNumber(m.ctx, max, 100); }), "Min and Max ADC Values should differ.");
  SetEnglishVersion(false);
  EXPECT_EQ(Outcome([&] { SetNumber(m.ctx, min, 200); }),
            "Значения АЦП Мин и Макс должны различаться.");
  EXPECT_EQ(m.BlockBytes(5), before);
  EXPECT_TRUE(SetNumber(m.ctx, max, 1023));
  EXPECT_EQ(m.mk.GetInt(layout::kUniMeasADC[1]), 1023);
  EXPECT_TRUE(SetNumber(m.ctx, m.Def("seUniMeasDat0"), -180));
  EXPECT_EQ(m.mk.GetInt(layout::kUniMeasDat[0]), -180);
  EXPECT_THROW(SetNumber(m.ctx, m.Def("seUniMeasDat1"), 2501), RangeError);
  const bool used = GetCheck(m.ctx, m.Def("cbUseUniMeas"));
  EXPECT_TRUE(SetCheck(m.ctx, m.Def("cbUseUniMeas"), !used));
  EXPECT_EQ(m.mk.GetInt(layout::kUseUniMeas), used ? 0 : 1);
}

TEST(UniMeasPage, UseAndNameOnlyWithTheTemperatureInput) {
  SampleModel e01("ve01-32k");
  ASSERT_FALSE(e01.catalog.Flags().VariantAirWaterTemp);
  Visibility v = ControlVisibility(e01.ctx);
  EXPECT_FALSE(v.Visible("cbUseUniMeas"));
  EXPECT_FALSE(v.Visible("eUniMeasStr"));
  EXPECT_TRUE(v.Visible("seUniMeasADC0"));

  SampleModel a01(SampleSetup{.deviceVersion = 0xA01, .layoutVersion = 10});
  ASSERT_TRUE(a01.catalog.Flags().VariantAirWaterTemp);
  v = ControlVisibility(a01.ctx);
  EXPECT_TRUE(v.Visible("cbUseUniMeas"));
  EXPECT_TRUE(v.Visible("eUniMeasStr"));
}

TEST(ServiceFile, CarriesBlockFiveUnchanged) {
  EXPECT_EQ(ServiceFileFormat().size, 125u);
  SampleModel a("v104-8k");
  auto block = a.mk.Block(5);
  for (size_t i = 0; i < block.size(); ++i) block[i] = uint8_t(i * 11 + 3);
  const auto bytes = SideFileBytes(a.mk, ServiceFileFormat());
  ASSERT_EQ(bytes.size(), 125u);
  for (int i = 0; i < 125; ++i) EXPECT_EQ(bytes[size_t(i)], uint8_t(i * 11 + 3)) << i;

  SampleModel b("ve01-32k");
  const auto block5 = b.BlockBytes(5);
  ApplySideFileBytes(b.mk, ServiceFileFormat(), bytes);
  // The file is the head of the block; the rest of the block stays.
  for (size_t i = 0; i < block5.size(); ++i)
    EXPECT_EQ(b.mk.Block(5)[i], i < kServiceFileSize ? bytes[i] : block5[i]) << i;
}

TEST(SidePagesText, EveryTextDateAndTableSettingRoundTrips) {
  for (const char* sample : {"v104-8k", "v8002-8k", "v8003-32k", "ve01-32k"}) {
    SampleModel m(sample);
    const Visibility visible = ControlVisibility(m.ctx);
    int seen = 0;
    for (const auto& d : SettingsSchema()) {
      if (d.kind != ControlKind::Text && d.kind != ControlKind::Date &&
          d.kind != ControlKind::Table)
        continue;
      if (!visible.Visible(d.name)) continue;
      const std::string now = FormatValue(m.ctx, d, true);
      const std::string other = OtherValue(m.ctx, d);
      ASSERT_FALSE(other.empty()) << d.name;
      ASSERT_NE(other, now) << sample << " " << d.name;
      EXPECT_TRUE(SetFromText(m.ctx, d, other)) << sample << " " << d.name;
      EXPECT_EQ(FormatValue(m.ctx, d, false), other) << sample << " " << d.name;
      EXPECT_TRUE(SetFromText(m.ctx, d, now)) << sample << " " << d.name;
      EXPECT_EQ(FormatValue(m.ctx, d, true), now) << sample << " " << d.name;
      ++seen;
    }
    EXPECT_GE(seen, 2) << sample;  // the short service list keeps one date
  }
}
