// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <clocale>
#include <set>

#include "catalog/meas_par.h"

using namespace tc;

namespace {

std::unique_ptr<TMeasParBase> Make(std::string_view name, const VariantFlags& flags = {}) {
  auto p = CreateMeasPar(name, flags);
  EXPECT_NE(p, nullptr) << name;
  return p;
}

std::vector<std::string> ClassOrder(const TMeasParList& list) {
  std::vector<std::string> names;
  for (const auto& p : list) names.push_back(p->ClassName());
  return names;
}

// All texts of a parameter in one language, to compare whole objects.
std::vector<std::string> Texts(const TMeasParBase& p, bool english) {
  std::vector<std::string> v;
  for (const TextPair* t :
       {&p.Name, &p.Caption1, &p.QuadName, &p.QuadUnit, &p.GridName, &p.GridUnit, &p.ColumnCaption,
        &p.GaugeName, &p.GaugeUnit, &p.GraphCaption})
    v.push_back(t->Get(english));
  return v;
}

using Labels = std::array<int32_t, 5>;

}  // namespace

TEST(MeasPar, EngineSpeedCaptionsAndGauge) {
  auto p = Make("TRevolutions");
  EXPECT_EQ(p->Code, 13);
  EXPECT_EQ(p->Name.Get(true), "Eng.speed");
  EXPECT_EQ(p->Caption1.Get(true), "Eng.speed,rpm");
  EXPECT_EQ(p->GaugeUnit.Get(true), "x1000");
  EXPECT_EQ(p->Name.Get(false), "Обороты");
  EXPECT_EQ(p->Caption1.Get(false), "Обороты двиг,об/мин");
  EXPECT_EQ(p->GridName.Get(false), "Обороты двиг");
  EXPECT_EQ(p->GaugeLabels(), (Labels{0, 2, 4, 6, 8}));
  EXPECT_EQ(p->SampleText, "2000");
  EXPECT_EQ(p->GaugeSlot, 1);
}

TEST(MeasPar, BoundsTextsWithSignsAndDecimals) {
  auto uoz = Make("TUOZ");
  EXPECT_EQ(uoz->SampleValue, 100);
  EXPECT_EQ(uoz->MinValue, -840);
  EXPECT_EQ(uoz->MaxValue, 840);
  uoz->PrepareData(".");
  EXPECT_EQ(uoz->MinText, "-84.0");
  EXPECT_EQ(uoz->MaxText, "84.0");
  EXPECT_EQ(uoz->SampleText, " 10.0");
  EXPECT_EQ(uoz->GaugeLabels(), (Labels{-84, -42, 0, 42, 84}));

  auto chargeLimit = Make("THVBChargeLimit");
  chargeLimit->PrepareData(".");
  EXPECT_EQ(chargeLimit->MinText, "-50");
  EXPECT_EQ(chargeLimit->MaxText, "0");
  EXPECT_EQ(chargeLimit->SampleText, "-20");
  EXPECT_DOUBLE_EQ(chargeLimit->BarFill(), 0.6);

  auto current = Make("THVBCurrent");
  current->PrepareData(".");
  EXPECT_EQ(current->MinText, "-200.0");
  EXPECT_EQ(current->MaxText, "200.0");
  EXPECT_EQ(current->SampleText, "  4.0");
  EXPECT_EQ(current->GaugeLabels(), (Labels{-2000, -1000, 0, 1000, 2000}));

  // Quarter steps of an odd span round toward zero.
  EXPECT_EQ(Make("TSideAngle")->GaugeLabels(), (Labels{-5, -3, 0, 2, 5}));

  // A negative value below one keeps its sign.
  TMeasParBase p;
  p.MinValue = -5;
  p.MaxValue = 7;
  p.Decimals = 2;
  p.PrepareData(".");
  EXPECT_EQ(p.MinText, "-0.05");
  EXPECT_EQ(p.MaxText, "0.07");
}

TEST(MeasPar, SampleTextsKeepAPointWhateverTheSeparator) {
  auto inj = Make("TInjectionTime");
  EXPECT_EQ(inj->SampleText, "5.00");  // narrower than its width of 5
  inj->PrepareData(",");
  EXPECT_EQ(inj->MinText, "0,00");
  EXPECT_EQ(inj->MaxText, "24,00");
  EXPECT_EQ(inj->SampleText, "5.00");

  // The plain form takes the separator of the process locale.
  std::setlocale(LC_NUMERIC, "C");
  EXPECT_EQ(LocaleDecimalSeparator(), ".");
  auto volt = Make("TAccVoltage");
  volt->PrepareData();
  EXPECT_EQ(volt->MaxText, "16.0");

  EXPECT_EQ(volt->SampleText, "14.0");
  EXPECT_EQ(Make("TMomentaryExpenseH")->SampleText, " 1.00");
  EXPECT_EQ(Make("TTripVelocity")->SampleText, " 47");
  EXPECT_EQ(Make("TTripPrice")->SampleText, "  0");
  EXPECT_EQ(Make("TAKPPMode")->SampleText, "0");
  EXPECT_EQ(Make("TWorkTimeEngine")->SampleText, "10000");
  EXPECT_EQ(Make("TTripTime")->SampleText, " 1:15");
  EXPECT_EQ(Make("TTripMomentaryExpenseK")->SampleText, "23.45");
  EXPECT_EQ(Make("TLightsFlag1")->SampleText, "1");
}

TEST(MeasPar, MomentaryExpenseOwnPrepareData) {
  auto p = Make("TMomentaryExpenseK");
  EXPECT_TRUE(p->GaugeMarker);
  EXPECT_FALSE(p->AltScale);
  p->MaxValue = 123;  // whatever it held, the gauge comes back to 0..80
  p->GaugeMax = 5;
  p->PrepareData(".");
  EXPECT_TRUE(p->AltScale);
  EXPECT_EQ(p->MaxValue, 800);
  EXPECT_EQ(p->MaxText, "80.0");
  EXPECT_EQ(p->MinText, "0.0");
  EXPECT_EQ(p->GaugeLabels(), (Labels{0, 20, 40, 60, 80}));

  // Called through the base class, as the previews do.
  TMeasParBase& base = *p;
  base.MaxValue = 1;
  base.PrepareData();
  EXPECT_EQ(base.MaxText, "80.0");

  auto perLitre = Make("TMomentaryExpenseL");
  EXPECT_TRUE(perLitre->GaugeMarker);
  perLitre->PrepareData(".");
  EXPECT_FALSE(perLitre->AltScale);
}

TEST(MeasPar, BarFillStaysInsideTheBar) {
  EXPECT_DOUBLE_EQ(Make("TWorkTimeEngine")->BarFill(), 1.0);  // 10000 of 0..800
  EXPECT_DOUBLE_EQ(Make("TVelocity")->BarFill(), 60.0 / 160.0);
  TMeasParBase p;
  p.SampleValue = -7;
  EXPECT_DOUBLE_EQ(p.BarFill(), 0.0);
  p.MinValue = p.MaxValue = 10;  // empty range: no division by zero
  EXPECT_DOUBLE_EQ(p.BarFill(), 0.0);
  p.SampleValue = 10;
  EXPECT_DOUBLE_EQ(p.BarFill(), 1.0);
}

TEST(MeasPar, FirstLastAndMiddleRowsInBothLanguages) {
  auto first = Make("TTripTime");
  EXPECT_EQ(first->Code, 1);
  EXPECT_EQ(Texts(*first, true),
            (std::vector<std::string>{"Time/Trip", "Time/Trip", "Time/Tr", "", "Time/Trip", "",
                                      "Time/Trip", "", "", ""}));
  EXPECT_EQ(first->QuadName.Get(false), "Время/П");

  auto last = Make("TMomentaryExpenseL");
  EXPECT_EQ(last->Code, 94);
  EXPECT_EQ(Texts(*last, false),
            (std::vector<std::string>{"Расход,км/л", "Расход,км/л", "Расход", "км/л", "Расход",
                                      "км/л", "Расход,км/л", "Расход", "км/л", "Расход,км/л"}));
  EXPECT_EQ(last->GridName.Get(true), "FuelCn");

  auto air = Make("TTemperAir");
  EXPECT_EQ(air->Name.Get(true), "Tair/wat/en");
  EXPECT_EQ(air->GaugeName.Get(true), "Tair");
  EXPECT_EQ(air->Caption1.Get(false), "Твоздуха");
  EXPECT_EQ(air->GraphCaption.Get(true), "");
  EXPECT_EQ(air->MinValue, -20);

  auto lights = Make("TLightsFlag");
  EXPECT_EQ(lights->Code, 11);
  EXPECT_EQ(lights->Name.Get(false), "Упр.БСвет");
  EXPECT_FALSE(lights->HasBar);

  auto oilPress = Make("TPressOilEngine");
  EXPECT_EQ(oilPress->Code, 41);
  EXPECT_EQ(oilPress->Caption1.Get(false), "P.масла,кПа");
  EXPECT_EQ(oilPress->GridName.Get(true), "Oil press");

  auto hours = Make("TWorkTimeEngine");
  EXPECT_EQ(hours->Name.Get(false), "Моточаcы");  // as the device spells it
  EXPECT_EQ(hours->GaugeUnit.Get(true), "");

  auto pitch = Make("TCourseAngle");
  EXPECT_EQ(pitch->Code, 55);
  EXPECT_EQ(pitch->Caption1.Get(false), "Тангаж,гр");
  EXPECT_EQ(pitch->ColumnCaption.Get(true), "Pitch");

  // The language flag picks the text where it is shown.
  auto speed = Make("TVelocity");
  SetEnglishVersion(true);
  EXPECT_EQ(speed->GraphCaption(), "Speed,km/h");
  SetEnglishVersion(false);
  EXPECT_EQ(speed->GraphCaption(), "Скорость,км/час");
}

TEST(MeasPar, EveryRowOfTheCatalogue) {
  const auto& names = MeasParClassNames();
  ASSERT_EQ(names.size(), 65u);
  std::set<std::string_view> uniqueNames(names.begin(), names.end());
  EXPECT_EQ(uniqueNames.size(), 65u);

  std::multiset<int> codes;
  int bars = 0, graphs = 0, slot1 = 0, slot2 = 0, markers = 0;
  int previousCode = 0;
  for (std::string_view name : names) {
    auto p = Make(name);
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p->ClassName(), name);
    EXPECT_GE(p->Code, previousCode) << name;  // the table runs in code order
    previousCode = p->Code;
    codes.insert(p->Code);
    bars += p->HasBar;
    graphs += p->HasGraph;
    slot1 += p->GaugeSlot == 1;
    slot2 += p->GaugeSlot == 2;
    markers += p->GaugeMarker;
    EXPECT_FALSE(p->AltScale) << name;
    EXPECT_LT(p->MinValue, p->MaxValue) << name;
    EXPECT_LT(p->GaugeMin, p->GaugeMax) << name;
    EXPECT_FALSE(p->SampleText.empty()) << name;
    for (bool en : {false, true}) {
      EXPECT_FALSE(p->Name.Get(en).empty()) << name;
      EXPECT_FALSE(p->Caption1.Get(en).empty()) << name;
      EXPECT_FALSE(p->ColumnCaption.Get(en).empty()) << name;
      // A parameter on a needle gauge needs a name on the dial.
      if (p->GaugeSlot != 0) {
        EXPECT_FALSE(p->GaugeName.Get(en).empty()) << name;
      }
    }
    // Units are given in both languages or in neither.
    EXPECT_EQ(p->QuadUnit.Get(true).empty(), p->QuadUnit.Get(false).empty()) << name;
    EXPECT_EQ(p->GaugeUnit.Get(true).empty(), p->GaugeUnit.Get(false).empty()) << name;
    p->PrepareData(".");
    EXPECT_FALSE(p->MinText.empty());
  }
  std::multiset<int> expected;
  for (int c = 1; c <= 56; ++c)
    if (c != 40) expected.insert(c);
  for (int c = 86; c <= 94; ++c) expected.insert(c);
  expected.insert(11);  // TLightsFlag and TTemperAir
  EXPECT_EQ(codes, expected);
  EXPECT_EQ(bars, 52);
  EXPECT_EQ(graphs, 46);
  EXPECT_EQ(slot1, 17);
  EXPECT_EQ(slot2, 26);
  EXPECT_EQ(markers, 2);

  // Parameters without units leave every unit slot empty.
  for (std::string_view name : {"TTripTime", "TTime", "TLightsFlag1", "TAKPPMode"}) {
    auto p = Make(name);
    for (bool en : {false, true}) {
      EXPECT_EQ(p->QuadUnit.Get(en), "") << name;
      EXPECT_EQ(p->GridUnit.Get(en), "") << name;
      EXPECT_EQ(p->GaugeUnit.Get(en), "") << name;
    }
  }
  EXPECT_EQ(CreateMeasPar("TNoSuchParameter", {}), nullptr);
  EXPECT_EQ(CreateMeasPar("", {}), nullptr);
}

TEST(MeasParList, OrderAndLowBeamMembers) {
  VariantFlags flags;
  auto list = BuildMeasParList(flags);
  ASSERT_EQ(list.size(), 63u);
  auto order = ClassOrder(list);
  EXPECT_EQ(order.front(), "TVelocity");
  EXPECT_EQ(order[3], "TMomentaryExpenseK");
  EXPECT_EQ(order[9], "TTemperAir");
  EXPECT_EQ(order[32], "TDDK");
  EXPECT_EQ(order[33], "TFuelPressFact");
  EXPECT_EQ(order.back(), "TMomentaryExpenseL");
  EXPECT_EQ(FindMeasPar(list, 34), nullptr);
  EXPECT_EQ(FindMeasPar(list, 11), list[9].get());
  // The one object with its own PrepareData really is that class.
  EXPECT_NE(dynamic_cast<TMomentaryExpenseK*>(list[3].get()), nullptr);

  flags.VariantLowBeamInAirSlot = true;  // without low-beam control nothing changes
  EXPECT_EQ(ClassOrder(BuildMeasParList(flags)), order);

  flags.VariantLowBeamControl = true;
  auto lights = BuildMeasParList(flags);
  ASSERT_EQ(lights.size(), 63u);
  EXPECT_EQ(lights[9]->ClassName(), "TLightsFlag");
  EXPECT_EQ(FindMeasPar(lights, 11)->Name.Get(true), "LowBmCntr");
  EXPECT_EQ(FindMeasPar(lights, 34), nullptr);

  flags.VariantLowBeamInAirSlot = false;
  auto extra = BuildMeasParList(flags);
  ASSERT_EQ(extra.size(), 64u);
  EXPECT_EQ(extra[9]->ClassName(), "TTemperAir");
  EXPECT_EQ(extra[33]->ClassName(), "TLightsFlag1");
  EXPECT_EQ(FindMeasPar(extra, 34), extra[33].get());
  // Apart from the insertion the order is the default one.
  auto extraOrder = ClassOrder(extra);
  extraOrder.erase(extraOrder.begin() + 33);
  EXPECT_EQ(extraOrder, order);
}

TEST(MeasParList, CodesWithoutAnEntry) {
  auto list = BuildMeasParList({});
  for (int code : {0, 40, 57, 70, 85, 95, 255})
    EXPECT_EQ(FindMeasPar(list, uint8_t(code)), nullptr);
  for (const auto& p : list) EXPECT_EQ(FindMeasPar(list, p->Code), p.get());
  EXPECT_EQ(FindMeasPar(TMeasParList{}, 12), nullptr);
}

TEST(MeasParVariants, RangePrognosisAsPowerReserve) {
  VariantFlags reserve;
  reserve.VariantPowerReserve = true;
  auto p = Make("TPrognoz", reserve);
  EXPECT_EQ(p->Name.Get(true), "Power res.");
  EXPECT_EQ(p->Caption1.Get(true), "Power res,km");
  EXPECT_EQ(p->QuadName.Get(true), "PowerRes");
  EXPECT_EQ(p->GridUnit.Get(true), "km");
  EXPECT_EQ(p->ColumnCaption.Get(true), "PowerRes,km");
  EXPECT_EQ(p->Name.Get(false), "Запас хода");
  EXPECT_EQ(p->Caption1.Get(false), "Запас хода,км");
  EXPECT_EQ(p->GridName.Get(false), "Запас Хд");
  EXPECT_EQ(p->QuadUnit.Get(false), "км");
  EXPECT_EQ(p->ColumnCaption.Get(false), "Запас Хд,km");

  // Re-applied without the flag, the table wording comes back.
  ApplyCaptionVariants(*p, {}, 0);
  EXPECT_EQ(Texts(*p, true), Texts(*Make("TPrognoz"), true));
  EXPECT_EQ(Texts(*p, false), Texts(*Make("TPrognoz"), false));
  EXPECT_EQ(p->Name.Get(true), "Mileage progn");
  EXPECT_EQ(p->GridName.Get(false), "Прогн.проб.");
}

TEST(MeasParVariants, CodeElevenTemperatureWordings) {
  auto p = Make("TTemperAir");
  auto check = [&](const char* nameEn, const char* nameRu, const char* capEn, const char* capRu) {
    EXPECT_EQ(p->Name.Get(true), nameEn);
    EXPECT_EQ(p->Name.Get(false), nameRu);
    for (const TextPair* t :
         {&p->Caption1, &p->QuadName, &p->GridName, &p->ColumnCaption, &p->GaugeName}) {
      EXPECT_EQ(t->Get(true), capEn);
      EXPECT_EQ(t->Get(false), capRu);
    }
    EXPECT_EQ(p->QuadUnit.Get(true), "degrees");
    EXPECT_EQ(p->GaugeUnit.Get(false), "градусы");
    EXPECT_EQ(p->GraphCaption.Get(true), "");
  };

  VariantFlags flags;
  ApplyCaptionVariants(*p, flags, 1);  // signature only counts with the flags
  check("T air", "Tвоздуха", "T air", "Tвозд");

  flags.VariantAirWaterTemp = true;
  ApplyCaptionVariants(*p, flags, 1);
  check("Tair/wat/eng", "Твоз/вод/дв", "Twater", "Tводы");
  ApplyCaptionVariants(*p, flags, 2);
  check("Tair/wat/eng", "Твоз/вод/дв", "T eng.", "T дв.");
  for (uint8_t other : {0, 3, 255}) {
    ApplyCaptionVariants(*p, flags, other);
    check("Tair/wat/eng", "Твоз/вод/дв", "T air", "Tвозд");
  }
  flags.VariantAirWaterTemp = false;
  flags.VariantTrim = true;
  ApplyCaptionVariants(*p, flags, 1);
  check("Tair/wat/eng", "Твоз/вод/дв", "Twater", "Tводы");

  // The variator wording wins over the signature.
  flags.VariantVariatorTemp = true;
  ApplyCaptionVariants(*p, flags, 1);
  EXPECT_EQ(p->Name.Get(true), "Tvariat");
  EXPECT_EQ(p->Caption1.Get(false), "Твариат");
  EXPECT_EQ(p->QuadName.Get(true), "Tvar");
  EXPECT_EQ(p->GridName.Get(false), "Твариат");
  EXPECT_EQ(p->ColumnCaption.Get(true), "Tvariat");
  EXPECT_EQ(p->GaugeName.Get(false), "Твар");
  EXPECT_EQ(p->GridUnit.Get(true), "degrees");

  // Leaving the variator variant leaves nothing of it behind.
  ApplyCaptionVariants(*p, {}, 0);
  check("T air", "Tвоздуха", "T air", "Tвозд");

  // The low-beam flag under the same code is not a temperature.
  auto lights = Make("TLightsFlag");
  const auto before = Texts(*lights, false);
  ApplyCaptionVariants(*lights, flags, 1);
  EXPECT_EQ(Texts(*lights, false), before);
}

TEST(MeasParVariants, PitchWordings) {
  auto p = Make("TCourseAngle");
  ApplyCaptionVariants(*p, {}, 0);
  EXPECT_EQ(Texts(*p, true),
            (std::vector<std::string>{"Pitch", "Pitch,deg", "Pitch", "degrees", "Pitch", "degrees",
                                      "Pitch,deg", "Pitch", "degrees", "Pitch,deg"}));
  EXPECT_EQ(Texts(*p, false), (std::vector<std::string>{
                                  "Дифферент", "Дифферент,гр.", "Дифф.", "градусы", "Дифферент",
                                  "градусы", "Дифф.,гр", "Дифферент", "градусы", "Дифферент,гр"}));
  VariantFlags reserve;
  reserve.VariantPowerReserve = true;
  ApplyCaptionVariants(*p, reserve, 0);
  EXPECT_EQ(Texts(*p, true), Texts(*Make("TCourseAngle"), true));
  EXPECT_EQ(p->Name.Get(false), "Тангаж");
  EXPECT_EQ(p->GraphCaption.Get(false), "Тангаж,гр");
}

TEST(MeasParVariants, OtherParametersKeepTheirCaptions) {
  auto list = BuildMeasParList({});
  VariantFlags flags;
  flags.VariantAirWaterTemp = true;
  std::vector<std::vector<std::string>> before;
  for (const auto& p : list) before.push_back(Texts(*p, false));
  ApplyCaptionVariants(list, flags, 2);
  for (std::size_t i = 0; i < list.size(); ++i) {
    const int code = list[i]->Code;
    if (code == 11 || code == 55)
      EXPECT_NE(Texts(*list[i], false), before[i]) << code;
    else
      EXPECT_EQ(Texts(*list[i], false), before[i]) << code;
  }
  EXPECT_EQ(FindMeasPar(list, 11)->Caption1.Get(true), "T eng.");
}
