// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <map>
#include <set>

#include "catalog/menu_items.h"
#include "util/text_pair.h"

using namespace tc;

namespace {

int CodeOf(const TMenuItemCatalog& c, std::string_view ident) {
  const TMKMenuItem* item = c.FindMenuItemByIdent(ident);
  return item ? item->Code : -1;
}

std::string IdentAt(const TMenuItemCatalog& c, uint16_t code) {
  const TMKMenuItem* item = c.FindMenuItemByCode(code);
  return item ? item->Ident : "";
}

// Flags under which every entry but the voiceless and code-37 alternatives exists.
VariantFlags Everything() {
  VariantFlags f;
  f.VariantIgnitionCorr = f.VariantTaximeter = f.VariantAddSystems = f.VariantCan = true;
  f.VariantCargo = true;
  return f;
}

}  // namespace

TEST(MenuItems, DefaultVariantCodes) {
  const auto c = BuildMenuItems({});
  EXPECT_EQ(CodeOf(c, "VirtLockMenu"), 1);
  EXPECT_EQ(CodeOf(c, "FlagSoundMenu"), 31);
  EXPECT_EQ(CodeOf(c, "SoundVolumeMenu"), 30);
  EXPECT_EQ(CodeOf(c, "InitResetOnlyGasParamsMenu"), 156);
  EXPECT_EQ(CodeOf(c, "InitResetOnlyOilParamsMenu"), 166);
  EXPECT_EQ(CodeOf(c, "FullGasTankMenu"), 170);
  EXPECT_EQ(CodeOf(c, "ToGasTankMenu"), 171);
  EXPECT_EQ(CodeOf(c, "InGasTankMenu"), 172);
  EXPECT_EQ(IdentAt(c, 37), "apHoloMenu");
  // Absent entries keep their codes: nothing at 9, the taximeter and the
  // add-system codes, and nothing above the gas entries.
  for (uint16_t code : {9, 119, 125, 126, 145, 160, 169, 173, 174})
    EXPECT_EQ(c.FindMenuItemByCode(code), nullptr) << code;
  uint16_t highest = 0;
  for (const auto& item : c) highest = std::max(highest, item.Code);
  EXPECT_EQ(highest, 172);

  // The codes the device model places into its default menu.
  const std::map<std::string, int> defaults = {{"FullTankMenu", 2},
                                               {"ToTankMenu", 3},
                                               {"FlagSoundMenu", 31},
                                               {"VelocityLimitMenu", 15},
                                               {"PrognozMenu", 6},
                                               {"ExpenseHHMenu", 8},
                                               {"MeasParamsHistoryFlagMenu", 28},
                                               {"TripJournMenu", 52},
                                               {"InitReset0ParamsMenu", 47},
                                               {"InitReset1ParamsMenu", 48},
                                               {"ContinueTripMenu", 53},
                                               {"TankJournMenu", 97},
                                               {"ParkOffMenu", 146},
                                               {"ParkSenseMenu_0", 148},
                                               {"ParkSpeedMenu_0", 149},
                                               {"ParkBeepTypeMenu", 150},
                                               {"ParkAlwaysOnMenu", 151}};
  for (const auto& [ident, code] : defaults) EXPECT_EQ(CodeOf(c, ident), code) << ident;
}

TEST(MenuItems, VoicelessDevicesShiftTheLaterCodes) {
  VariantFlags voice = Everything();
  VariantFlags voiceless = voice;
  voiceless.VariantNoVoice = true;
  const auto with = BuildMenuItems(voice);
  const auto without = BuildMenuItems(voiceless);

  EXPECT_EQ(CodeOf(without, "FlagSoundMenu"), 30);
  EXPECT_EQ(CodeOf(without, "apVelMenu"), 31);
  EXPECT_EQ(CodeOf(without, "CargoDensMenu"), 172);
  EXPECT_EQ(without.FindMenuItemByIdent("SoundVolumeMenu"), nullptr);
  EXPECT_EQ(without.FindMenuItemByIdent("SayParamPeriodMenu"), nullptr);
  ASSERT_EQ(without.size() + 2, with.size());

  for (const auto& item : with) {
    if (item.Ident == "SoundVolumeMenu" || item.Ident == "SayParamPeriodMenu") continue;
    const int shift = item.Code < 30 ? 0 : item.Code < 32 ? 1 : 2;
    EXPECT_EQ(CodeOf(without, item.Ident), item.Code - shift) << item.Ident;
  }
  // A missing entry of another kind still takes its code.
  VariantFlags noAccel = voiceless;
  noAccel.VariantNoAccelTiming = true;
  EXPECT_EQ(CodeOf(BuildMenuItems(noAccel), "Exp100ArrowLimMenu"), 22);
}

TEST(MenuItems, CodeThirtySevenPair) {
  VariantFlags f;
  EXPECT_EQ(IdentAt(BuildMenuItems(f), 37), "apHoloMenu");
  f.VariantLowBeamControl = true;
  EXPECT_EQ(IdentAt(BuildMenuItems(f), 37), "apHoloMenu");

  f.VariantLowBeamInAirSlot = true;
  const auto lights = BuildMenuItems(f);
  const TMKMenuItem* item = lights.FindMenuItemByCode(37);
  ASSERT_NE(item, nullptr);
  EXPECT_EQ(item->Ident, "LightsOnMenu");
  EXPECT_EQ(item->Caption(true), "LowBeamCntr");
  EXPECT_EQ(item->Caption(false), "Упр.Бл.Свет");
  EXPECT_EQ(lights.FindMenuItemByIdent("apHoloMenu"), nullptr);
  EXPECT_EQ(CodeOf(lights, "apEconomMenu"), 38);

  // Slot without control: neither entry, and the counter still moves once.
  f.VariantLowBeamControl = false;
  const auto none = BuildMenuItems(f);
  EXPECT_EQ(none.FindMenuItemByCode(37), nullptr);
  EXPECT_EQ(none.FindMenuItemByIdent("LightsOnMenu"), nullptr);
  EXPECT_EQ(CodeOf(none, "apTankMenu"), 36);
  EXPECT_EQ(CodeOf(none, "apEconomMenu"), 38);
}

TEST(MenuItems, JournalFamilies) {
  const auto c = BuildMenuItems({});
  const TMKMenuItem* first = c.FindMenuItemByCode(55);
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first->Ident, "WriteTrip1Menu");
  EXPECT_EQ(first->Caption(true), "   1     MM:HH DD.MM");
  EXPECT_EQ(first->Caption(false), "   1     ММ:ЧЧ ДД.ММ");
  EXPECT_EQ(IdentAt(c, 74), "WriteTrip20Menu");
  EXPECT_EQ(c.FindMenuItemByCode(74)->Caption(true), "  20     MM:HH DD.MM");
  EXPECT_EQ(IdentAt(c, 75), "ViewTripMenu");

  const TMKMenuItem* last = c.FindMenuItemByIdent("ViewTrip0Menu");
  ASSERT_NE(last, nullptr);
  EXPECT_EQ(last->Code, 76);
  EXPECT_EQ(last->Caption(true), "Last     MM:HH DD.MM");
  EXPECT_EQ(last->Caption(false), "Пoс.     ММ:ЧЧ ДД.ММ");
  EXPECT_EQ(IdentAt(c, 77), "ViewTrip1Menu");
  EXPECT_EQ(IdentAt(c, 96), "ViewTrip20Menu");

  EXPECT_EQ(CodeOf(c, "ViewTank0Menu"), 98);
  EXPECT_EQ(c.FindMenuItemByCode(98)->Caption(true), "Last     MM:HH DD.MM");
  const TMKMenuItem* ten = c.FindMenuItemByCode(108);
  ASSERT_NE(ten, nullptr);
  EXPECT_EQ(ten->Ident, "ViewTank10Menu");
  EXPECT_EQ(ten->Caption(false), "  10     ММ:ЧЧ ДД.ММ");
  EXPECT_EQ(IdentAt(c, 118), "ViewTank20Menu");

  // Trip resets and both journals form group 1, and nothing else does.
  for (const auto& item : c) EXPECT_EQ(item.Group == 1, item.Code >= 46 && item.Code <= 118);
}

TEST(MenuItems, TaximeterAndAddSystems) {
  VariantFlags f;
  f.VariantTaximeter = true;
  const auto taxi = BuildMenuItems(f);
  EXPECT_EQ(CodeOf(taxi, "TaxStartFinishMenu"), 119);
  EXPECT_EQ(CodeOf(taxi, "TaxTarifSumMinMenu"), 125);
  const TMKMenuItem* t0 = taxi.FindMenuItemByCode(126);
  ASSERT_NE(t0, nullptr);
  EXPECT_EQ(t0->Ident, "TaxTimeTarif0DayMenu");
  EXPECT_EQ(t0->Caption(true), "Rate1 D 1min");
  EXPECT_EQ(t0->Caption(false), "Тар.1 Д 1мин");
  EXPECT_EQ(IdentAt(taxi, 131), "TaxPathTarif1DayMenu");
  EXPECT_EQ(taxi.FindMenuItemByCode(131)->Caption(true), "Rate2 D 1km");
  const TMKMenuItem* t19 = taxi.FindMenuItemByCode(145);
  ASSERT_NE(t19, nullptr);
  EXPECT_EQ(t19->Ident, "TaxPathTarif4NightMenu");
  EXPECT_EQ(t19->Caption(false), "Тар.5 Н 1км");
  for (uint16_t code = 119; code <= 145; ++code)
    EXPECT_EQ(taxi.FindMenuItemByCode(code)->Group, 2) << code;
  for (uint16_t code = 146; code <= 155; ++code)
    EXPECT_EQ(taxi.FindMenuItemByCode(code)->Group, 3) << code;

  f = {};
  f.VariantAddSystems = true;
  auto add = BuildMenuItems(f);
  EXPECT_EQ(CodeOf(add, "BlocksABS9Menu"), 160);
  EXPECT_EQ(CodeOf(add, "BlocksABS9UMenu"), 165);
  EXPECT_EQ(add.FindMenuItemByIdent("BlocksBoschESP9Menu"), nullptr);
  f.VariantCan = true;
  add = BuildMenuItems(f);
  EXPECT_EQ(CodeOf(add, "BlocksBoschABSESP9Menu"), 169);
  f.VariantHybrid = true;
  add = BuildMenuItems(f);
  for (const auto& item : add) EXPECT_NE(item.Ident.rfind("Blocks", 0), 0u) << item.Ident;

  f = {};
  f.VariantNoParktronic = f.VariantNoGas = f.VariantNoLightsAlarm = f.VariantNoStopVelocity = true;
  const auto bare = BuildMenuItems(f);
  for (const char* gone : {"ParkOffMenu", "ParkSpeedMenu_1", "FullGasTankMenu",
                           "InitResetOnlyOilParamsMenu", "apGabarMenu", "TripMinStopMenu"})
    EXPECT_EQ(bare.FindMenuItemByIdent(gone), nullptr) << gone;
  EXPECT_EQ(CodeOf(bare, "IntenseDayTimeMenu"), 157);
}

TEST(MenuItems, EveryCodeOnceWithBothCaptions) {
  const auto c = BuildMenuItems(Everything());
  ASSERT_EQ(c.size(), 174u);
  std::set<std::string> idents;
  uint16_t expected = 1;
  for (const auto& item : c) {
    EXPECT_EQ(item.Code, expected++) << item.Ident;  // list order is code order
    EXPECT_TRUE(idents.insert(item.Ident).second) << item.Ident;
    EXPECT_FALSE(item.CaptionEn.empty()) << item.Ident;
    EXPECT_FALSE(item.CaptionRu.empty()) << item.Ident;
    EXPECT_NE(item.Ident.find("Menu"), std::string::npos) << item.Ident;
    EXPECT_LE(item.Group, 3);
  }
  EXPECT_EQ(c.Items().back().Ident, "CargoDensMenu");
  EXPECT_EQ(c.Items().back().Caption(true), "CargoDens.t/m3");
  EXPECT_EQ(c.Items().back().Caption(false), "Плотн.гр,т/м3");
  EXPECT_EQ(c.Items().front().Caption(false), "Вирт. замок Вкл/Откл");
}

TEST(MenuItems, LookupsAndLanguage) {
  const auto c = BuildMenuItems({});
  EXPECT_EQ(c.FindMenuItemByIdent("fulltankmenu"), nullptr);  // case matters
  EXPECT_EQ(c.FindMenuItemByIdent(""), nullptr);
  EXPECT_EQ(c.FindMenuItemByIdent("FullTankMenu "), nullptr);
  for (uint16_t code : {0, 175, 0xFFFF}) EXPECT_EQ(c.FindMenuItemByCode(code), nullptr);
  EXPECT_EQ(FindMenuItemByIdent(c, "FullTankMenu"), c.FindMenuItemByCode(2));
  EXPECT_EQ(FindMenuItemByCode(c, 2)->Ident, "FullTankMenu");

  const TMenuItemCatalog empty;
  EXPECT_EQ(empty.FindMenuItemByCode(1), nullptr);
  EXPECT_EQ(empty.FindMenuItemByIdent("VirtLockMenu"), nullptr);

  // A rebuild in the other language gives the same codes; the caption
  // follows the program's language flag.
  SetEnglishVersion(true);
  const auto english = BuildMenuItems({});
  EXPECT_EQ(english.FindMenuItemByCode(12)->Caption(), "Tank type Calculated/FLS/ECU FLS");
  SetEnglishVersion(false);
  EXPECT_EQ(english.FindMenuItemByCode(12)->Caption(), "Бак тип Расчетный/ДУТ/ДУТ ЭБУ");
  ASSERT_EQ(english.size(), c.size());
  for (std::size_t i = 0; i < c.size(); ++i) {
    EXPECT_EQ(english.Items()[i].Code, c.Items()[i].Code);
    EXPECT_EQ(english.Items()[i].Ident, c.Items()[i].Ident);
  }
}
