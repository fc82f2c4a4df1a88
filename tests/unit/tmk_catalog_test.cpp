// SPDX-License-Identifier: GPL-3.0-or-later
// The device model's links to the catalogues: measured-parameter list,
// variant refresh, default device menu codes, factory schemes.
#include <gtest/gtest.h>

#include "catalog/catalog_tables.h"
#include "catalog/variants.h"
#include "model/sample_image.h"
#include "model/settings_document.h"
#include "model/tmk.h"

namespace tc {
namespace {

std::vector<std::string> ClassNames(const TMK& mk) {
  std::vector<std::string> names;
  for (const auto& p : mk.MeasParList) names.push_back(p->ClassName());
  return names;
}

// A model holding settings of the given identity, blocks decoded.
void Load(TMK& mk, uint16_t device, uint32_t layout, uint16_t protocol) {
  SampleSetup setup;
  setup.deviceVersion = device;
  setup.layoutVersion = layout;
  setup.protocol = protocol;
  mk.ReplaceImage(BuildSampleImage(setup), device);
  mk.DecodeSettingsBlocks();
}

uint16_t MenuCode(const SettingsDocument& doc, const char* ident) {
  const TMKMenuItem* item = doc.Variant().MenuItems().FindMenuItemByIdent(ident);
  return item ? item->Code : 0;
}

TEST(TmkCatalog, FreshModelListsTheParametersInTheirFixedOrder) {
  TVariantCatalog other;
  other.SelectVariant(0x801, 0, 6);  // low-beam control: must not leak into a new model
  SettingsDocument doc;
  TMK& mk = doc.Model();
  const std::vector<std::string> expected = {"TVelocity",
                                             "TRevolutions",
                                             "TInjectionTime",
                                             "TMomentaryExpenseK",
                                             "TMomentaryExpenseH",
                                             "TAccVoltage",
                                             "TOil",
                                             "TPrognoz",
                                             "TTime",
                                             "TTemperAir",
                                             "TTemperLiq",
                                             "TMAF",
                                             "TMAP",
                                             "TThrottle",
                                             "TThrottle2",
                                             "TStepMotor",
                                             "TUOZ",
                                             "TCorrUOZ",
                                             "TEngCalcLoad",
                                             "TVAF",
                                             "TEMV",
                                             "TTemperIntakeAir",
                                             "TCorrLeft",
                                             "TCorrRight",
                                             "TO2Probe1",
                                             "TO2Probe2",
                                             "TTripTime",
                                             "TTripMomentaryExpenseK",
                                             "TTripVelocity",
                                             "TTripPath",
                                             "TTripExpense",
                                             "TTripPrice",
                                             "TDDK",
                                             "TFuelPressFact",
                                             "TTemperOilAKPP",
                                             "TAKPPMode",
                                             "TTemperOilEng",
                                             "TTurboPress",
                                             "TPressOilEngine",
                                             "TWorkTimeEngine",
                                             "TRetarderOilTemper",
                                             "THVBChargeLevel",
                                             "THVBChargeLimit",
                                             "THVBDischargeLimit",
                                             "THVBTemper",
                                             "THVBFanSpeed",
                                             "THVBAirIntakeTemper",
                                             "THVBFrontBrakeTorq",
                                             "THVBRearBrakeTorq",
                                             "THVBBrakeTorq",
                                             "THVBCurrent",
                                             "TInvTemper",
                                             "TCourseAngle",
                                             "TSideAngle",
                                             "TTemperEngBoat",
                                             "TTemperWat",
                                             "TTemperCyl",
                                             "TTemperCylLeft",
                                             "TTemperCylRight",
                                             "TTrim",
                                             "TElEngTemper",
                                             "THVBVoltage",
                                             "TMomentaryExpenseL"};
  EXPECT_EQ(ClassNames(mk), expected);
  EXPECT_EQ(mk.FindMeasPar(11)->ClassName(), "TTemperAir");
  EXPECT_EQ(mk.FindMeasPar(34), nullptr);
  EXPECT_EQ(mk.FindMeasPar(40), nullptr);  // added by a flag, has no parameter
  // Construction selected the identity of an empty model.
  EXPECT_EQ(doc.Variant().DeviceType(), 1);
  EXPECT_EQ(doc.Variant().CurrentProtocol()->Code, 11);
  EXPECT_FALSE(doc.Flags().VariantLowBeamControl);
}

TEST(TmkCatalog, LowBeamFlagsChooseTheOptionalParameters) {
  SettingsDocument doc;
  TMK& mk = doc.Model();
  Load(mk, 0x601, 0, 0);  // low beam in the air slot
  doc.SelectVariant();
  auto names = ClassNames(mk);
  EXPECT_EQ(names[9], "TLightsFlag");
  EXPECT_EQ(std::count(names.begin(), names.end(), "TLightsFlag1"), 0);
  EXPECT_EQ(mk.FindMeasPar(11)->ClassName(), "TLightsFlag");

  Load(mk, 0x801, 6, 0);  // low-beam control without the air slot
  doc.SelectVariant();
  names = ClassNames(mk);
  EXPECT_EQ(names[9], "TTemperAir");
  ASSERT_EQ(names.size(), 64u);
  EXPECT_EQ(names[33], "TLightsFlag1");  // right after TDDK
  EXPECT_EQ(mk.FindMeasPar(34)->ClassName(), "TLightsFlag1");
}

TEST(TmkCatalog, DefaultMenuCodesFollowTheVariant) {
  SettingsDocument doc;
  TMK& mk = doc.Model();
  // The empty model's variant has parking sensors but no taximeter.
  EXPECT_EQ(uint16_t(mk.GetInt(U16(10, 124))), MenuCode(doc, "FullTankMenu"));
  EXPECT_EQ(uint16_t(mk.GetInt(U16(10, 134))), MenuCode(doc, "ExpenseHHMenu"));
  EXPECT_EQ(uint16_t(mk.GetInt(U16(10, 138))), MenuCode(doc, "MeasParamsHistoryFlagMenu"));
  EXPECT_EQ(uint16_t(mk.GetInt(U16(10, 152))), MenuCode(doc, "TankJournMenu"));
  EXPECT_EQ(uint16_t(mk.GetInt(U16(10, 184))), MenuCode(doc, "ParkOffMenu"));
  EXPECT_EQ(uint16_t(mk.GetInt(U16(10, 192))), MenuCode(doc, "ParkAlwaysOnMenu"));
  for (int at = 164; at < 184; at += 2) EXPECT_EQ(uint16_t(mk.GetInt(U16(10, at))), 0) << at;
  EXPECT_NE(uint16_t(mk.GetInt(U16(10, 124))), 0);
  EXPECT_NE(uint16_t(mk.GetInt(U16(10, 184))), 0);

  // Slots outside the table are left alone; the padding slots are cleared.
  Load(mk, 0x104, 0, 0);  // taximeter
  for (int at = 124; at < 204; at += 2) mk.SetInt(U16(10, at), 0xBEEF);
  doc.SelectVariant();
  mk.PlaceDefaultMenuCodes(doc.Variant());
  EXPECT_EQ(uint16_t(mk.GetInt(U16(10, 136))), 0xBEEF);
  EXPECT_EQ(uint16_t(mk.GetInt(U16(10, 140))), 0);
  EXPECT_EQ(uint16_t(mk.GetInt(U16(10, 154))), 0);
  EXPECT_EQ(uint16_t(mk.GetInt(U16(10, 164))), MenuCode(doc, "TaxStartFinishMenu"));
  EXPECT_EQ(uint16_t(mk.GetInt(U16(10, 170))), MenuCode(doc, "TaxClearAllSumMenu"));
  EXPECT_NE(uint16_t(mk.GetInt(U16(10, 170))), 0);
  EXPECT_EQ(uint16_t(mk.GetInt(U16(10, 172))), 0);
  EXPECT_EQ(uint16_t(mk.GetInt(U16(10, 182))), 0);

  Load(mk, 0xD01, 0, 0);  // no parking sensors
  for (int at = 184; at < 204; at += 2) mk.SetInt(U16(10, at), 0xBEEF);
  doc.SelectVariant();
  mk.PlaceDefaultMenuCodes(doc.Variant());
  for (int at = 184; at < 204; at += 2) EXPECT_EQ(uint16_t(mk.GetInt(U16(10, at))), 0xBEEF) << at;
}

// Every variant finds every default menu entry it places.
TEST(TmkCatalog, EveryVariantHasItsDefaultMenuEntries) {
  SettingsDocument doc;
  TMK& mk = doc.Model();
  for (const VariantRow& row : VariantRows()) {
    SCOPED_TRACE(row.project);
    try {
      doc.Variant().SelectVariant(row.deviceType, 0, uint8_t(row.subtype < 0 ? 0 : row.subtype));
    } catch (const ListIndexError&) {  // rows without protocols
    }
    for (int at = 124; at < 204; at += 2) mk.SetInt(U16(10, at), 0);
    mk.PlaceDefaultMenuCodes(doc.Variant());
    for (int at : {124, 126, 128, 130, 132, 134, 138, 144, 146, 148, 150, 152})
      EXPECT_NE(uint16_t(mk.GetInt(U16(10, at))), 0) << at;
    if (doc.Flags().VariantTaximeter) {
      for (int at : {164, 166, 168, 170}) EXPECT_NE(uint16_t(mk.GetInt(U16(10, at))), 0) << at;
    }
    if (!doc.Flags().VariantNoParktronic) {
      for (int at : {184, 186, 188, 190, 192}) EXPECT_NE(uint16_t(mk.GetInt(U16(10, at))), 0) << at;
    }
  }
}

TEST(TmkCatalog, RefreshVariantRefusesIdentitiesAboveOneByte) {
  SettingsDocument doc;
  TMK& mk = doc.Model();
  Load(mk, 0x104, 0, 3);
  doc.SelectVariant();
  ASSERT_EQ(doc.Variant().CurrentProtocol()->Code, 15);

  mk.SetInt(U16(11, 4), 256);
  try {
    doc.SelectVariant();
    FAIL() << "no error";
  } catch (const RangeError& e) {
    EXPECT_EQ(std::string(e.what()).rfind("Range check error", 0), 0u) << e.what();
  }
  // The refused identity left the previous selection in place.
  EXPECT_EQ(doc.Variant().Protocols().size(), 75u);
  EXPECT_EQ(doc.Variant().CurrentProtocol()->Code, 15);

  mk.SetInt(U16(11, 4), 255);  // fits a byte but is not offered
  EXPECT_THROW(doc.SelectVariant(), ListIndexError);

  Load(mk, 0x1, 256, 0);
  EXPECT_EQ(mk.LayoutVersion(), 256u);
  EXPECT_THROW(doc.SelectVariant(), RangeError);
  Load(mk, 0x1, 255, 0);  // no row for subtype 255
  EXPECT_THROW(doc.SelectVariant(), ListIndexError);
  EXPECT_TRUE(doc.Variant().Protocols().empty());
}

TEST(TmkCatalog, EditorOpeningRebuildsHybridSchemesAndCaptions) {
  SettingsDocument doc;
  TMK& mk = doc.Model();
  const ColourScheme plain1 = mk.FactoryScheme1, plain2 = mk.FactoryScheme2;
  Load(mk, 0x8003, 0, 2);
  doc.SelectVariant();
  EXPECT_TRUE(doc.Flags().VariantHybrid);
  EXPECT_EQ(mk.FactoryScheme1[32], 10);  // first colour role, hybrid column
  const uint16_t colour1 = uint16_t(mk.FactoryScheme2[2] | mk.FactoryScheme2[3] << 8);
  EXPECT_EQ(colour1, TMK::PackColour(0, 9, 9));
  EXPECT_NE(mk.FactoryScheme2, plain2);

  Load(mk, 0x104, 0, 0);
  doc.SelectVariant();
  EXPECT_EQ(mk.FactoryScheme1, plain1);
  EXPECT_EQ(mk.FactoryScheme2, plain2);

  Load(mk, 0xC01, 0, 0);  // variator temperature in the code-11 slot
  doc.SelectVariant();
  EXPECT_STREQ(mk.FindMeasPar(11)->Name.en, "Tvariat");
}

}  // namespace
}  // namespace tc
