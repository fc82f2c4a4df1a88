// SPDX-License-Identifier: GPL-3.0-or-later
// Protocol catalogue and device-variant selection.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "catalog/catalog_tables.h"
#include "catalog/variant_flag_names.h"
#include "catalog/variants.h"

namespace tc {
namespace {

// The selection these tests look at.
TVariantCatalog& Selection() {
  static TVariantCatalog selection;
  return selection;
}

std::vector<int> Codes(const ProtocolList& list) {
  std::vector<int> codes;
  for (const auto& p : list) codes.push_back(p->Code);
  return codes;
}

std::vector<int> Params(const TProtBase& p) {
  return {p.Params().begin(), p.Params().end()};
}

std::vector<int> WithBase(std::vector<int> extra) {
  std::vector<int> all;
  for (int c = 1; c <= 16; ++c) all.push_back(c);
  all.insert(all.end(), extra.begin(), extra.end());
  return all;
}

const TProtBase& Entry(uint8_t code) {
  const TProtBase* p = Selection().FindProtocol(code);
  if (!p) throw std::runtime_error("protocol " + std::to_string(code) + " not offered");
  return *p;
}

std::string En(const TextPair& t) {
  return t.en;
}
std::string Ru(const TextPair& t) {
  return t.ru;
}

TEST(VariantSelection, UniversalCanDeviceOffersItsSeventyFiveProtocols) {
  Selection().SelectVariant(0x104, 0, 0);
  const auto codes = Codes(Selection().Protocols());
  ASSERT_EQ(codes.size(), 75u);
  EXPECT_EQ(std::vector<int>(codes.begin(), codes.begin() + 6),
            (std::vector<int>{11, 16, 12, 15, 13, 1}));
  EXPECT_EQ(codes.back(), 255);
  EXPECT_EQ(SetFlagNames(Selection().Flags()),
            (std::vector<std::string>{"VariantCan", "VariantIgnitionCorr", "VariantOscilloscope",
                                      "VariantVag", "VariantTaximeter"}));
  EXPECT_EQ(Selection().CurrentProtocol()->Code, 11);
  EXPECT_FALSE(Selection().ProjectName().empty());
}

TEST(VariantSelection, StoredNumberIsAPositionNotACode) {
  Selection().SelectVariant(0x104, 5, 0);
  EXPECT_EQ(Selection().CurrentProtocol()->Code, 1);
  Selection().SelectVariant(0x1, 5, 2);  // the same number on another variant
  EXPECT_EQ(Selection().CurrentProtocol()->Code, 82);
  Selection().SelectVariant(0x104, 74, 0);
  EXPECT_EQ(Selection().CurrentProtocol()->Code, 255);
  EXPECT_EQ(Selection().CurrentProtocolNumber(), 74);
}

TEST(VariantSelection, SubtypeMattersOnlyForTypesWithSubtypes) {
  Selection().SelectVariant(0x104, 0, 7);  // ignored
  EXPECT_EQ(Selection().Protocols().size(), 75u);
  Selection().SelectVariant(0x1, 0, 3);
  EXPECT_EQ(Codes(Selection().Protocols()).front(), 12);
  EXPECT_FALSE(Selection().Flags().VariantVag);
  Selection().SelectVariant(0x101, 0, 5);  // 0x101/5 lacks the ignition correction and 29
  EXPECT_FALSE(Selection().Flags().VariantIgnitionCorr);
  EXPECT_EQ(Selection().FindProtocol(29), nullptr);
  Selection().SelectVariant(0x1, 0, 5);
  EXPECT_TRUE(Selection().Flags().VariantIgnitionCorr);
  EXPECT_NE(Selection().FindProtocol(29), nullptr);
}

TEST(VariantSelection, ProtocolNumberBeyondTheListIsAnIndexErrorThatKeepsTheList) {
  try {
    Selection().SelectVariant(0x104, 75, 0);
    FAIL() << "no error";
  } catch (const ListIndexError& e) {
    EXPECT_NE(std::string(e.what()).find("List index out of bounds (75)"), std::string::npos);
    EXPECT_NE(std::string(e.what()).find("75 protocols"), std::string::npos);
  }
  EXPECT_EQ(Selection().Protocols().size(), 75u);
  EXPECT_TRUE(Selection().Flags().VariantCan);
  EXPECT_EQ(Selection().CurrentProtocol(), nullptr);
  EXPECT_THROW(Selection().SelectProtocol(-1), ListIndexError);
  Selection().SelectProtocol(3);
  EXPECT_EQ(Selection().CurrentProtocol()->Code, 15);
}

TEST(VariantSelection, UnknownIdentitiesSetNothingAndOfferNothing) {
  for (auto [type, sub] :
       {std::pair{0x1, 6}, {0x1, 8}, {0x1, 255}, {0x105, 0}, {0x2, 0}, {0x511, 3}, {0xFFFF, 0}}) {
    SCOPED_TRACE(type);
    EXPECT_THROW(Selection().SelectVariant(uint16_t(type), 0, uint8_t(sub)), ListIndexError);
    EXPECT_THROW(Selection().SelectVariant(uint16_t(type), 255, uint8_t(sub)), ListIndexError);
    EXPECT_TRUE(SetFlagNames(Selection().Flags()).empty());
    EXPECT_TRUE(Selection().Protocols().empty());
    EXPECT_TRUE(Selection().ProjectName().empty());
  }
}

TEST(VariantSelection, TypesWithCommonFlagsKeepThemForUnlistedSubtypes) {
  const auto flagsOf = [](uint16_t type, uint8_t sub) {
    return SetFlagNames(LookupVariant(type, sub).flags);
  };
  using V = std::vector<std::string>;
  EXPECT_EQ(flagsOf(0x801, 7), (V{"VariantLowBeamControl", "VariantOscilloscope",
                                  "VariantSecondTank", "VariantNoVoice"}));
  EXPECT_EQ(flagsOf(0x901, 200),
            (V{"VariantLowBeamControl", "VariantOscilloscope", "VariantSecondTank"}));
  EXPECT_EQ(flagsOf(0xA01, 11), (V{"VariantOscilloscope", "VariantNoVoice", "VariantTaximeter"}));
  // Subtype 10 is a different product: its row, not the type, decides.
  EXPECT_EQ(flagsOf(0xA01, 10),
            (V{"VariantAirWaterTemp", "VariantCan", "VariantIgnitionCorr", "VariantVag",
               "VariantNoVoice", "VariantNoParktronic", "VariantNoGas"}));
  EXPECT_EQ(flagsOf(0xB01, 7), (V{"VariantOscilloscope", "VariantTaximeter"}));
  EXPECT_EQ(flagsOf(0xC01, 12), (V{"VariantNoVoice"}));
  EXPECT_TRUE(LookupVariant(0xC01, 12).offers.empty());
  EXPECT_TRUE(flagsOf(0x3, 6).empty());
}

TEST(ProtocolEntries, FlagsAppendTheirParametersAfterTheProtocolsOwn) {
  Selection().SelectVariant(0xE01, 0, 0);  // power reserve, trim, inclinometer
  for (const auto& p : Selection().Protocols()) {
    SCOPED_TRACE(p->Code);
    const auto params = Params(*p);
    ASSERT_GE(params.size(), 20u);
    EXPECT_EQ(std::vector<int>(params.end() - 4, params.end()), (std::vector<int>{94, 91, 55, 56}));
    EXPECT_EQ(std::vector<int>(params.begin(), params.begin() + 16), WithBase({}));
  }
  EXPECT_EQ(Params(Entry(19)), WithBase({17, 27, 37, 35, 38, 41, 42, 94, 91, 55, 56}));
  EXPECT_EQ(Entry(220).Name(), "Marlin");

  Selection().SelectVariant(0xD01, 0,
                            0);  // inclinometer, no power reserve, low beam in the air slot only
  EXPECT_EQ(Entry(220).Name(), "Delphi");
  EXPECT_EQ(Params(Entry(51)), WithBase({17, 25, 20, 21, 38, 37, 35, 55, 56}));

  // Low-beam control without the air slot adds 34 after the own codes.
  Selection().SelectVariant(0x801, 0, 6);
  EXPECT_EQ(Params(Entry(1)), WithBase({17, 18, 19, 24, 25, 27, 20, 22, 23, 36, 37, 34}));
  Selection().SelectVariant(0x681, 0, 0);  // both low-beam flags: no 34
  EXPECT_EQ(Params(Entry(7)), WithBase({17, 18, 25, 20, 33, 22, 23, 24, 36, 37, 19}));

  // The air/water temperature variant adds 40, which has no parameter of its own.
  Selection().SelectVariant(0xA01, 0, 10);
  EXPECT_EQ(Params(Entry(255)), WithBase({40}));
}

TEST(ProtocolEntries, BoschOrTiggoFollowsTheOfferOfProtocol220) {
  Selection().SelectVariant(0xD01, 0, 0);
  EXPECT_EQ(Entry(63).Name(), "Bosch");
  Selection().SelectVariant(0xC01, 0, 0);
  EXPECT_EQ(Entry(63).Name(), "Bosch");
  Selection().SelectVariant(0x104, 0, 0);
  EXPECT_EQ(Entry(63).Name(), "Tiggo");
}

TEST(ProtocolEntries, NamesInBothLanguages) {
  Selection().SelectVariant(0x8002, 0, 0);
  struct {
    uint8_t code;
    const char *ru, *en;
  } const names[] = {{18, "УАЗ 17971E5", "UAZ 17971E5"},
                     {21, "Крайслер", "Crysler"},
                     {31, "ДЭУ-1", "DAEWOO-1"},
                     {51, "10/11Корвет", "10/11Corvet"},
                     {41, "Январь", "Jan"},
                     {43, "Микас 11", "Микас 11"},
                     {45, "Бош M7.9.7", "Bosch M7.9.7"},
                     {50, "EDC16 ЗМЗ", "EDC16 ЗМЗ"},
                     {65, "Рено", "Renault"},
                     {132, "SsYong диз", "SsYong диз"},
                     {14, "J1939", "J1939"},
                     {255, "Универс.", "Uni."}};
  for (const auto& n : names) {
    SCOPED_TRACE(n.en);
    EXPECT_EQ(Ru(Entry(n.code).NameText), n.ru);
    EXPECT_EQ(En(Entry(n.code).NameText), n.en);
  }
  Selection().SelectVariant(0xE01, 0, 0);
  EXPECT_EQ(Ru(Entry(254).NameText), "Карб.");
  EXPECT_EQ(En(Entry(254).NameText), "Carb.");
}

TEST(ProtocolEntries, BlocksFaultFormatsAndCapabilities) {
  Selection().SelectVariant(0x8002, 0, 0);
  const TProtBase& can = Entry(1);
  EXPECT_EQ(can.BlockCount, 73);
  EXPECT_EQ(can.Blocks().front(), 45);
  EXPECT_EQ(can.Blocks().back(), 164);
  EXPECT_EQ(can.CapabilityLetters(), "ABC");
  EXPECT_EQ(can.EcuLevelSensors, 3);
  EXPECT_EQ(Entry(141).BlockCount, 1);  // CAN variants reach block 45 through Consult
  EXPECT_EQ(Entry(141).Blocks()[0], 45);
  EXPECT_EQ(Entry(27).FaultFormat, 1000);
  EXPECT_EQ(Entry(14).FaultFormat, 5);
  EXPECT_EQ(Entry(96).CapabilityLetters(), "B");  // no warm-up warning
  EXPECT_FALSE(Entry(96).ShowWarmUp);
  EXPECT_EQ(Entry(255).CapabilityLetters(), "");
  EXPECT_EQ(Entry(255).ParamCount, 16);

  const uint8_t consult[] = {141, 142};
  const auto noCan = BuildProtocolList(VariantFlags{}, consult);
  ASSERT_EQ(noCan.size(), 2u);
  EXPECT_EQ(noCan[0]->BlockCount, 0);
  EXPECT_EQ(noCan[1]->BlockCount, 0);

  Selection().SelectVariant(0x105, 0, 6);
  const TProtBase& prius = Entry(232);
  EXPECT_EQ(prius.CapabilityLetters(), "ABCFGHK");
  EXPECT_TRUE(prius.IsHybrid && prius.ShowAirTempSource && !prius.ShowAddCooling);
  EXPECT_EQ(prius.ParamCount, 16 + 22);
  EXPECT_EQ(std::vector<int>(prius.Blocks().begin(), prius.Blocks().end()),
            (std::vector<int>{80, 82, 81, 85, 119, 136, 139, 161}));
  EXPECT_EQ(Entry(242).CapabilityLetters(), "ABHI");
}

TEST(ProtocolEntries, SlotsTakeTheirSetsAndKeepDefaultsElsewhere) {
  Selection().SelectVariant(0x105, 0, 6);
  const TProtBase& prius = Entry(232);  // S4 in slot 1, S6 in slot 4
  EXPECT_EQ(prius.SlotCount[4], 51);
  const auto wide = prius.SlotChoices(4);
  ASSERT_EQ(wide.size(), 51u);
  EXPECT_EQ(Ru(wide[0]), "Нет");
  EXPECT_EQ(En(wide[0]), "No");
  EXPECT_EQ(En(wide[7]), "HovH5,St");
  EXPECT_EQ(En(wide[50]), "Suz4");
  EXPECT_EQ(En(prius.SlotCaption[4]), "AT oil temper.");
  EXPECT_EQ(Ru(prius.SlotCaption[1]), "Опрос CAN раз/сек");
  EXPECT_EQ(prius.SlotItems[4].size(), 61u);
  EXPECT_EQ(En(prius.SlotItems[4][51]), "");  // past the 13 defaults, overwritten up to 51
  EXPECT_FALSE(prius.SlotUsed(0));
  EXPECT_FALSE(prius.SlotUsed(2));
  // An unused slot still carries its default choices.
  EXPECT_EQ(prius.SlotItems[0].size(), 21u);
  EXPECT_EQ(Ru(prius.SlotItems[0][0]), "Авто");
  EXPECT_EQ(En(prius.SlotItems[0][9]), "9");
  EXPECT_EQ(En(prius.SlotItems[0][10]), "");
  EXPECT_EQ(En(prius.SlotItems[2][9]), "10");

  Selection().SelectVariant(0x104, 0, 0);
  const TProtBase& can = Entry(1);  // S4, S8, S7, S6
  EXPECT_EQ(can.SlotCount[1], 2);
  EXPECT_EQ(Ru(can.SlotChoices(2)[2]), "Круиз");
  EXPECT_EQ(En(can.SlotChoices(2)[2]), "Cruis");
  EXPECT_EQ(can.SlotCount[3], 6);
  EXPECT_EQ(can.SlotCount[4], 51);

  const TProtBase& ssyong = Entry(132);  // S28 in slot 0
  ASSERT_EQ(ssyong.SlotCount[0], 5);
  EXPECT_EQ(En(ssyong.SlotChoices(0)[4]), "R27  ");
  EXPECT_EQ(En(ssyong.SlotItems[0][5]), "5");  // default behind the set

  const TProtBase& jan = Entry(41);  // S18
  EXPECT_EQ(jan.SlotCount[1], 4);
  EXPECT_EQ(Ru(jan.SlotCaption[1]), "Канал включения вентилятора");
  EXPECT_THROW(jan.SlotChoices(8), RangeError);
}

// Every variant row: its flags, its project name and exactly its offer list
// come out of the selection, in the offered order.
TEST(VariantTable, EveryRowSelectsItsFlagsAndProtocols) {
  const auto& rows = VariantRows();
  EXPECT_EQ(rows.size(), 101u);
  EXPECT_EQ(ProtocolRows().size(), 112u);
  EXPECT_EQ(SlotSets().size(), 31u);
  std::set<std::string> projects;
  std::set<int> offered;
  for (const VariantRow& row : rows) {
    SCOPED_TRACE(row.project);
    const uint8_t sub = uint8_t(row.subtype == kAnySubtype ? 0 : row.subtype);
    EXPECT_EQ(row.subtype == kAnySubtype, !TypeHasSubtypes(row.deviceType));
    const VariantInfo info = LookupVariant(row.deviceType, sub);
    EXPECT_EQ(info.project, row.project);
    EXPECT_TRUE(projects.insert(row.project).second) << "project name used twice";

    VariantFlags expected;
    for (auto f : row.flags) expected.*f = true;
    EXPECT_EQ(SetFlagNames(info.flags), SetFlagNames(expected));
    if (row.deviceType != 0xA01 || row.subtype != 10) {
      for (auto f : CommonFlagsOfType(row.deviceType)) EXPECT_TRUE(expected.*f);
    }

    const auto list = BuildProtocolList(info.flags, info.offers);
    EXPECT_EQ(Codes(list), std::vector<int>(row.offers.begin(), row.offers.end()));
    offered.insert(row.offers.begin(), row.offers.end());
  }
  // Every protocol is offered by some variant.
  for (const ProtocolRow& p : ProtocolRows()) EXPECT_TRUE(offered.count(p.code)) << int(p.code);
}

TEST(ProtocolTable, EveryRowBuildsAConsistentEntry) {
  std::set<int> codes;
  VariantFlags all;
  for (const auto& f : VariantFlagList()) all.*f.member = true;
  for (const ProtocolRow& row : ProtocolRows()) {
    SCOPED_TRACE(int(row.code));
    EXPECT_TRUE(codes.insert(row.code).second) << "code used twice";
    const uint8_t code = row.code;
    const auto list = BuildProtocolList(VariantFlags{}, std::span(&code, 1));
    ASSERT_EQ(list.size(), 1u);
    const TProtBase& p = *list[0];
    EXPECT_EQ(p.ParamCount, 16 + int(row.params.size()));
    EXPECT_EQ(p.BlockCount, int(row.blocks.size()));
    EXPECT_STRNE(p.NameText.ru, "");
    EXPECT_STRNE(p.NameText.en, "");
    std::set<int> slots;
    for (int s : row.slotSets) {
      ASSERT_GE(s, 1);
      ASSERT_LE(s, int(SlotSets().size()));
      EXPECT_TRUE(slots.insert(SlotSets()[s - 1].slot).second) << "two sets in one slot";
    }
    for (int k = 0; k < kSlotCount; ++k) EXPECT_EQ(p.SlotUsed(k), slots.count(k) > 0);
    // With every flag set the appended codes still fit.
    const auto full = BuildProtocolList(all, std::span(&code, 1));
    EXPECT_EQ(full[0]->ParamCount, p.ParamCount + 5);
  }
}

TEST(VariantFlagNames, CoverEveryFlag) {
  EXPECT_EQ(VariantFlagList().size(), sizeof(VariantFlags));
  std::set<std::string> names;
  for (const auto& f : VariantFlagList()) names.insert(f.name);
  EXPECT_EQ(names.size(), sizeof(VariantFlags));
  EXPECT_EQ(FindVariantFlag("VariantHybrid"), &VariantFlags::VariantHybrid);
  EXPECT_EQ(FindVariantFlag("Hybrid"), nullptr);
}

}  // namespace
}  // namespace tc
