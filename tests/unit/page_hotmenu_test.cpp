// SPDX-License-Identifier: GPL-3.0-or-later
// The hot menus without widgets: the table rules, the insert trees by
// variant, and the text form the command line uses.
#include "editor_core/page_hotmenu.h"

#include <gtest/gtest.h>

#include <functional>

#include "catalog/menu_items.h"
#include "catalog/variants.h"
#include "editor_core/edit_session.h"
#include "editor_core/setting_value.h"
#include "editor_core/settings_schema.h"
#include "model/sample_image.h"
#include "model/settings_document.h"
#include "model/tmk.h"
#include "util/errors.h"

using namespace tc;

namespace {

HotMenu Menu(std::initializer_list<uint16_t> codes) {
  HotMenu m{};
  size_t i = 0;
  for (uint16_t c : codes) m[i++] = c;
  return m;
}

const HotMenuNode* Category(const std::vector<HotMenuNode>& tree, const std::string& ru) {
  for (const HotMenuNode& n : tree)
    if (!n.IsItem() && n.ru == ru) return &n;
  return nullptr;
}

std::vector<std::string> Idents(const std::vector<HotMenuNode>& nodes) {
  std::vector<std::string> ids;
  for (const HotMenuNode& n : nodes) ids.push_back(n.IsItem() ? n.ident : "[" + n.en + "]");
  return ids;
}

SettingsDocument& Prepared(SettingsDocument& doc, const char* sample) {
  const SampleSetup setup = SampleSetupByName(sample);
  doc.Model().ReplaceImage(BuildSampleImage(setup), setup.deviceVersion);
  return doc;
}

// A sample opened for editing, as the editor and `set` open it.
struct Loaded {
  explicit Loaded(const char* sample) : session(Prepared(doc, sample)) {}
  EditorContext& Ctx() { return session.Context(); }
  const TMenuItemCatalog& Items() { return Ctx().catalog.MenuItems(); }
  uint16_t Code(const char* ident) { return Items().FindMenuItemByIdent(ident)->Code; }
  SettingsDocument doc;
  TMK& mk = doc.Model();
  TSettingsEditSession session;
};

}  // namespace

TEST(HotMenuRules, DeleteInsertMoveAndPack) {
  HotMenu m = Menu({5, 9, 12, 20});
  DeleteHotMenuEntry(m, 2);
  EXPECT_EQ(m, Menu({5, 9, 20}));
  DeleteHotMenuEntry(m, 7);  // an empty row: nothing moves
  EXPECT_EQ(m, Menu({5, 9, 20}));

  EXPECT_EQ(InsertHotMenuEntry(m, 1, 7), 0);
  EXPECT_EQ(m, Menu({5, 7, 9, 20}));

  m = Menu({5, 9, 20});
  MoveHotMenuEntry(m, 0, 2);
  EXPECT_EQ(m, Menu({9, 20, 5}));
  MoveHotMenuEntry(m, 2, 0);
  EXPECT_EQ(m, Menu({5, 9, 20}));
  MoveHotMenuEntry(m, 1, 1);
  EXPECT_EQ(m, Menu({5, 9, 20}));
  // Dropped below the last entry, the entry ends up last once packed.
  MoveHotMenuEntry(m, 0, 8);
  EXPECT_EQ(PackHotMenu(m), Menu({9, 20, 5}));

  EXPECT_EQ(PackHotMenu(Menu({5, 0, 9})), Menu({5, 9}));
  EXPECT_EQ(PackHotMenu(Menu({0, 0, 0, 0, 0, 0, 0, 0, 0, 3})), Menu({3}));
  ClearHotMenu(m);
  EXPECT_EQ(m, HotMenu{});

  EXPECT_THROW(DeleteHotMenuEntry(m, 10), RangeError);
  EXPECT_THROW(InsertHotMenuEntry(m, -1, 3), RangeError);
  EXPECT_THROW(MoveHotMenuEntry(m, 0, 10), RangeError);
}

TEST(HotMenuRules, AFullMenuPushesOutItsTenthEntryAndSaysWhich) {
  HotMenu m = Menu({1, 2, 3, 4, 5, 6, 7, 8, 9, 10});
  EXPECT_EQ(InsertHotMenuEntry(m, 0, 11), 10);
  EXPECT_EQ(m, Menu({11, 1, 2, 3, 4, 5, 6, 7, 8, 9}));
  m = Menu({1, 2, 3, 4, 5, 6, 7, 8, 9, 10});
  EXPECT_EQ(InsertHotMenuEntry(m, 9, 11), 10);
  EXPECT_EQ(m, Menu({1, 2, 3, 4, 5, 6, 7, 8, 9, 11}));

  Loaded l("v104-8k");
  const uint16_t full = l.Code("FullTankMenu"), dry = l.Code("CandleDryMenu");
  WriteHotMenu(l.mk, 0, Menu({full, 3, 4, 5, 6, 7, 8, 10, dry, 2}));
  EXPECT_EQ(InsertIntoHotMenu(l.Ctx(), 0, 0, 13, true),
            "The hot menu \"Parameters\" was full: \"Refuel.until full\" was pushed out of its "
            "last row.");
  EXPECT_EQ(ReadHotMenu(l.mk, 0), Menu({13, full, 3, 4, 5, 6, 7, 8, 10, dry}));
  EXPECT_EQ(InsertIntoHotMenu(l.Ctx(), 0, 3, 2, false),
            "Горячее меню «Параметры» было заполнено: пункт «Сушка свечей» вытеснен из "
            "последней строки.");
  // A code the catalogue does not hold is still named.
  WriteHotMenu(l.mk, 3, Menu({1, 2, 3, 4, 5, 6, 7, 8, 9, 999}));
  EXPECT_NE(InsertIntoHotMenu(l.Ctx(), 3, 0, 1, true).find("\"? 999\""), std::string::npos);
}

TEST(HotMenuRules, InsertIntoAStoredGapPacksFirst) {
  Loaded l("v104-8k");
  const HotMenu others = ReadHotMenu(l.mk, 2);
  WriteHotMenu(l.mk, 1, Menu({5, 0, 9}));
  EXPECT_EQ(InsertIntoHotMenu(l.Ctx(), 1, 1, 7, true), "");
  EXPECT_EQ(ReadHotMenu(l.mk, 1), Menu({5, 7, 9}));
  EXPECT_EQ(ReadHotMenu(l.mk, 2), others);
  // Menu m is ten little-endian words from byte 124 + 20 m of block 10.
  EXPECT_EQ(l.mk.Block(10)[144], 5);
  EXPECT_EQ(l.mk.Block(10)[146], 7);
  EXPECT_EQ(l.mk.Block(10)[148], 9);
  EXPECT_EQ(l.mk.Block(10)[150], 0);
}

TEST(HotMenuTree, CategoriesAndItemsFollowTheVariant) {
  VariantFlags plain;
  const auto tree = HotMenuInsertTree(0, BuildMenuItems(plain), plain);
  EXPECT_EQ(Idents(tree),
            (std::vector<std::string>{"[Control]", "[Resources]", "[Limits]", "[Time]", "[Display]",
                                      "[Voice messages]", "[TS]"}));
  // Without ignition correction its entry is left out; everything else of
  // the category is there in order.
  EXPECT_EQ(Idents(Category(tree, "Управление")->children),
            (std::vector<std::string>{"VirtLockMenu", "FullTankMenu", "ToTankMenu", "InTankMenu",
                                      "VentOnMenu", "PrognozMenu", "InjTimeHHMenu", "ExpenseHHMenu",
                                      "CandleDryMenu", "EBUInitMenu", "EBUResetMenu"}));
  EXPECT_EQ(Idents(Category(tree, "Дисплей")->children),
            (std::vector<std::string>{"Intense0Menu", "Intense1Menu", "[Arrow]", "[Graphic]"}));
  EXPECT_EQ(
      Idents(Category(tree, "Источники")->children),
      (std::vector<std::string>{"TankMethMenu", "IntenseDayTimeMenu", "IntenseNightTimeMenu"}));
  // Without additional systems only the ECU faults are left of "ТО".
  EXPECT_EQ(Idents(Category(tree, "ТО")->children), std::vector<std::string>{"ErrorsMenu"});
  const HotMenuNode* voice = Category(tree, "Озвуч.сообщения");
  ASSERT_TRUE(voice);
  EXPECT_EQ(voice->en, "Voice messages");
  EXPECT_EQ(voice->children.size(), 17u);
  EXPECT_EQ(voice->children[1].ident, "SoundVolumeMenu");
  EXPECT_EQ(FindInTree(tree, "FlagSoundMenu")->code, 31);
  EXPECT_EQ(FindInTree(tree, "FlagSoundMenu")->en, "Sound off");
  EXPECT_EQ(FindInTree(tree, "FlagSoundMenu")->ru, "Откл.звук");
  EXPECT_TRUE(FindInTree(tree, "apHoloMenu"));
  EXPECT_FALSE(FindInTree(tree, "LightsOnMenu"));

  VariantFlags quiet;
  quiet.VariantNoVoice = true;
  quiet.VariantLowBeamInAirSlot = true;
  quiet.VariantLowBeamControl = true;
  const auto t2 = HotMenuInsertTree(0, BuildMenuItems(quiet), quiet);
  EXPECT_FALSE(FindInTree(t2, "SoundVolumeMenu"));
  EXPECT_FALSE(FindInTree(t2, "SayParamPeriodMenu"));
  // Two voice entries and the ice warning fewer.
  EXPECT_EQ(Category(t2, "Озвуч.сообщения")->children.size(), 14u);
  EXPECT_EQ(FindInTree(t2, "FlagSoundMenu")->code, 30);
  EXPECT_FALSE(FindInTree(t2, "apHoloMenu"));
  EXPECT_EQ(Idents(Category(t2, "Источники")->children),
            (std::vector<std::string>{"TankMethMenu", "LightsOnMenu", "IntenseDayTimeMenu",
                                      "IntenseNightTimeMenu"}));
  EXPECT_EQ(FindInTree(t2, "LightsOnMenu")->code, 35);  // 37 less the two voice entries
  EXPECT_EQ(FindInTree(t2, uint16_t(35))->ident, "LightsOnMenu");

  // The ice warning is no use to a variant that measures no outside air.
  VariantFlags reserve;
  reserve.VariantPowerReserve = true;
  EXPECT_FALSE(FindInTree(HotMenuInsertTree(0, BuildMenuItems(reserve), reserve), "apHoloMenu"));
}

TEST(HotMenuTree, JournalsTaximeterAndParking) {
  VariantFlags f;
  f.VariantTaximeter = true;
  const TMenuItemCatalog items = BuildMenuItems(f);
  const auto aver = HotMenuInsertTree(1, items, f);
  EXPECT_EQ(Idents(aver), (std::vector<std::string>{
                              "InitTripParamsMenu", "InitReset0ParamsMenu", "InitReset1ParamsMenu",
                              "InitStopParamsMenu", "InitNoStopParamsMenu", "TripMinStopMenu",
                              "TripJournMenu", "[Trip log]", "TankJournMenu", "[Petrol log]"}));
  const HotMenuNode* trips = Category(aver, "Журнал поездок");
  EXPECT_EQ(Idents(trips->children),
            (std::vector<std::string>{"ContinueTripMenu", "WriteTripMenu", "[Save]", "ViewTripMenu",
                                      "[View]"}));
  EXPECT_EQ(trips->children[2].children.size(), 20u);
  EXPECT_EQ(trips->children[2].children.back().code, 74);
  EXPECT_EQ(trips->children[4].children.size(), 21u);
  const HotMenuNode* tanks = Category(aver, "Журнал заправок");
  ASSERT_EQ(tanks->children.size(), 21u);
  EXPECT_EQ(tanks->children[0].code, 98);
  EXPECT_EQ(tanks->children[10].code, 108);
  EXPECT_EQ(tanks->children[20].code, 118);
  EXPECT_EQ(tanks->children[10].en, "  10     MM:HH DD.MM");

  const auto tax = HotMenuInsertTree(2, items, f);
  ASSERT_EQ(tax.size(), 27u);
  EXPECT_EQ(tax.front().code, 119);
  EXPECT_EQ(tax[7].ident, "TaxTimeTarif0DayMenu");
  EXPECT_EQ(tax.back().ident, "TaxPathTarif4NightMenu");
  EXPECT_EQ(tax.back().code, 145);

  const auto park = HotMenuInsertTree(3, items, f);
  EXPECT_EQ(Idents(park), (std::vector<std::string>{"[Parking]", "[Front parling]"}));
  EXPECT_EQ(park[0].children.size(), 6u);
  EXPECT_EQ(Idents(park[1].children),
            (std::vector<std::string>{"ParkUseMenu_1", "ParkForwConstOffMenu", "ParkSenseMenu_1",
                                      "ParkSpeedMenu_1"}));

  // Missing items leave their categories in place, empty.
  VariantFlags bare;
  bare.VariantNoParktronic = true;
  const TMenuItemCatalog none = BuildMenuItems(bare);
  EXPECT_TRUE(HotMenuInsertTree(2, none, bare).empty());
  const auto noPark = HotMenuInsertTree(3, none, bare);
  ASSERT_EQ(noPark.size(), 2u);
  EXPECT_TRUE(noPark[0].children.empty());
  EXPECT_TRUE(noPark[1].children.empty());
}

// The samples store the first menu with the device's gap (2,3,31,15,6,8,0,28):
// a change to any menu packs all four, from the editor and the command line.
TEST(HotMenuRules, AChangeToAnyMenuPacksAllFour) {
  Loaded l("v104-8k");
  ASSERT_EQ(ReadHotMenu(l.mk, 0), Menu({2, 3, 31, 15, 6, 8, 0, 28}));
  WriteHotMenu(l.mk, 1, Menu({0, l.Code("TripJournMenu"), 0}));  // a gap of its own
  EXPECT_EQ(ReadHotMenu(l.mk, 0), Menu({2, 3, 31, 15, 6, 8, 28}));
  EXPECT_EQ(ReadHotMenu(l.mk, 1), Menu({0, l.Code("TripJournMenu")}));  // stored as given

  Loaded cli("v104-8k");
  EXPECT_TRUE(SetFromText(cli.Ctx(), *FindSetting("sghmTax"), "TaxStartFinishMenu"));
  EXPECT_EQ(ReadHotMenu(cli.mk, 0), Menu({2, 3, 31, 15, 6, 8, 28}));
  EXPECT_EQ(ReadHotMenu(cli.mk, 2), Menu({cli.Code("TaxStartFinishMenu")}));
}

TEST(HotMenuText, SetStoresPackedAndGetNamesEachEntry) {
  Loaded l("v104-8k");
  const SettingDef& params = *FindSetting("sghmParams");
  EXPECT_EQ(params.kind, ControlKind::CodeList);
  EXPECT_TRUE(SetFromText(l.Ctx(), params, "FullTankMenu, 5"));
  EXPECT_EQ(ReadHotMenu(l.mk, 0), Menu({2, 5}));
  EXPECT_EQ(FormatValue(l.Ctx(), params, true),
            "2 FullTankMenu (Refuel.until full), 5 VentOnMenu (Fan On/Off)");
  EXPECT_EQ(FormatValue(l.Ctx(), params, false),
            "2 FullTankMenu (Заправка до полн.), 5 VentOnMenu (Вентилятор Вкл/Откл)");
  // What get prints is taken back as it stands.
  EXPECT_FALSE(SetFromText(l.Ctx(), params, FormatValue(l.Ctx(), params, false)));
  EXPECT_TRUE(SetFromText(l.Ctx(), params, "-"));
  EXPECT_EQ(ReadHotMenu(l.mk, 0), HotMenu{});
  EXPECT_EQ(FormatValue(l.Ctx(), params, true), "-");

  // A gap the device left is shown closed.
  WriteHotMenu(l.mk, 1, Menu({l.Code("TripJournMenu"), 0, l.Code("TankJournMenu")}));
  EXPECT_EQ(FormatValue(l.Ctx(), *FindSetting("sghmAver"), true),
            "52 TripJournMenu (Trip log), 97 TankJournMenu (Petrol log)");
  // A code without a catalogue entry is shown by its number.
  WriteHotMenu(l.mk, 1, Menu({999}));
  EXPECT_EQ(FormatValue(l.Ctx(), *FindSetting("sghmAver"), true), "999");
}

TEST(HotMenuText, OnlyItemsOfTheMenusTreeAreTakenAndNothingIsWrittenOtherwise) {
  SetEnglishVersion(false);  // the messages are checked in Russian
  SetEnglishVersion(false);  // the message names the menu in the program's language
  Loaded l("v104-8k");
  const SettingDef& params = *FindSetting("sghmParams");
  const HotMenu before = ReadHotMenu(l.mk, 0);
  const auto message = [&](const std::string& text) {
    try {
      SetFromText(l.Ctx(), params, text);
    } catch (const TripError& e) {
      return std::string(e.what());
    }
    return std::string("accepted");
  };
  // An item of another menu, an unknown name, a code no item has, an empty entry.
  EXPECT_EQ(message("FullTankMenu,TripJournMenu,Nonsense")
                .find("'TripJournMenu' — не пункт горячего меню \"Параметры\" в этом варианте"),
            0u);
  SetEnglishVersion(true);
  EXPECT_EQ(message("FullTankMenu,TripJournMenu,Nonsense")
                .find("'TripJournMenu' is no item of the hot menu \"Parameters\" on this device"),
            0u);
  EXPECT_NE(message("Nonsense").find("'Nonsense' is no item"), std::string::npos);
  EXPECT_NE(message("0").find("'0' is no item"), std::string::npos);
  EXPECT_NE(message("70000").find("'70000' is no item"), std::string::npos);
  EXPECT_NE(message("2,,5").find("empty entry"), std::string::npos);
  SetEnglishVersion(false);
  EXPECT_EQ(ReadHotMenu(l.mk, 0), before);
  // Names are exact: the catalogue's identifiers are case-sensitive.
  EXPECT_NE(message("fulltankmenu").find("не пункт"), std::string::npos);
}

TEST(HotMenuText, MoreThanTenEntriesAreRefusedAndNothingIsWritten) {
  Loaded l("v104-8k");
  std::vector<std::string> notes;
  l.Ctx().notes = &notes;
  const SettingDef& aver = *FindSetting("sghmAver");
  const HotMenu before = ReadHotMenu(l.mk, 1);
  SetEnglishVersion(true);
  try {
    SetFromText(l.Ctx(), aver, "46,47,48,49,50,51,52,53,54,75,76,97");
    ADD_FAILURE() << "twelve entries taken";
  } catch (const TripError& e) {
    EXPECT_STREQ(e.what(), "a hot menu holds at most ten items, not 12; leave some out");
  }
  SetEnglishVersion(false);
  EXPECT_THROW(SetFromText(l.Ctx(), aver, "46,47,48,49,50,51,52,53,54,75,76"), TripError);
  EXPECT_EQ(ReadHotMenu(l.mk, 1), before);
  // Ten exactly is taken, and is no news.
  EXPECT_TRUE(SetFromText(l.Ctx(), aver, "46,47,48,49,50,51,52,53,54,76"));
  EXPECT_EQ(ReadHotMenu(l.mk, 1), Menu({46, 47, 48, 49, 50, 51, 52, 53, 54, 76}));
  EXPECT_TRUE(notes.empty());
}

TEST(HotMenuText, EachEntryIsOneItem) {
  SetEnglishVersion(true);
  Loaded l("v104-8k");
  const SettingDef& params = *FindSetting("sghmParams");
  const auto outcome = [&](const std::string& text) {
    try {
      SetFromText(l.Ctx(), params, text);
    } catch (const TripError& e) {
      return std::string(e.what());
    }
    return std::string("accepted");
  };
  // Entries that are more than one item were read as their first word.
  const HotMenu before = ReadHotMenu(l.mk, 0);
  for (const char* text : {"5 9 12", "5 FullTankMenu", "2, 5 9", "VentOnMenu FullTankMenu",
                           "5 VentOnMenu (Refuel.until full)", "5 (Fan On/Off) 9"})
    EXPECT_NE(outcome(text).find("is not one menu item"), std::string::npos)
        << text << ": " << outcome(text);
  EXPECT_EQ(ReadHotMenu(l.mk, 0), before);
  // A caption names its item in either language, spaces and all; the code,
  // the identifier and the caption may stand together when they agree.
  for (const char* text : {"Fan On/Off", "Вентилятор Вкл/Откл", "5 VentOnMenu", "VentOnMenu",
                           "5 (Fan On/Off)", "VentOnMenu (Вентилятор Вкл/Откл)"}) {
    WriteHotMenu(l.mk, 0, HotMenu{});
    EXPECT_EQ(outcome(text), "accepted") << text;
    EXPECT_EQ(ReadHotMenu(l.mk, 0), Menu({5})) << text;
  }
  EXPECT_EQ(outcome("Fan On/Off, Refuel.until full"), "accepted");
  EXPECT_EQ(ReadHotMenu(l.mk, 0), Menu({5, 2}));
  EXPECT_NE(outcome("Fan").find("'Fan' is no item"), std::string::npos);
  SetEnglishVersion(false);
  EXPECT_NE(outcome("5 9 12").find("не один пункт меню"), std::string::npos);
}
