// SPDX-License-Identifier: GPL-3.0-or-later
// The colour schemes page without widgets: colour packing, palette and role
// stores with their checks, the scheme being edited, the factory reset and
// the schemes as named settings.
#include "editor_core/page_colors.h"

#include <gtest/gtest.h>

#include <memory>

#include "catalog/variants.h"
#include "editor_core/edit_session.h"
#include "editor_core/setting_value.h"
#include "editor_core/settings_schema.h"
#include "model/preview.h"
#include "model/sample_image.h"
#include "model/settings_document.h"
#include "model/settings_layout.h"
#include "model/tmk.h"
#include "util/errors.h"

using namespace tc;

namespace {

struct Editing {
  explicit Editing(const char* sample) {
    const SampleSetup setup = SampleSetupByName(sample);
    mk.ReplaceImage(BuildSampleImage(setup), setup.deviceVersion);
    mk.DecodeSettingsBlocks();
    session = std::make_unique<TSettingsEditSession>(doc);
  }
  EditorContext& ctx() { return session->Context(); }
  uint16_t U16(int offset) const {
    return uint16_t(mk.Block(10)[offset] | mk.Block(10)[offset + 1] << 8);
  }
  std::vector<uint8_t> Block10() const { return {mk.Block(10).begin(), mk.Block(10).end()}; }
  SettingsDocument doc;
  TMK& mk = doc.Model();
  std::unique_ptr<TSettingsEditSession> session;
};

}  // namespace

TEST(ColourPacking, KnownAnswersAndRoundTrip) {
  EXPECT_EQ(PackPaletteColour({31, 0, 0}), 0xF800);
  EXPECT_EQ(PackPaletteColour({0, 31, 0}), 0x07E0);
  EXPECT_EQ(PackPaletteColour({0, 30, 0}), 0x0780);
  EXPECT_EQ(PackPaletteColour({0, 0, 31}), 0x001F);
  for (int r = 0; r < 32; r += 5)
    for (int g = 0; g < 32; ++g)
      for (int b = 0; b < 32; b += 7)
        EXPECT_EQ(UnpackPaletteColour(PackPaletteColour({r, g, b})), (PaletteColour{r, g, b}));
  // Green is shown from bits 10..6; bit 5 is only the repeated low bit.
  EXPECT_EQ(UnpackPaletteColour(0x07E0).g, 31);
  EXPECT_EQ(UnpackPaletteColour(0x0020).g, 0);
  for (const PaletteColour bad :
       {PaletteColour{32, 0, 0}, PaletteColour{0, -1, 0}, PaletteColour{0, 0, 99}})
    EXPECT_THROW(PackPaletteColour(bad), RangeError);
}

TEST(ColourStores, PaletteAndRolesOfTheSchemeGiven) {
  Editing e("v104-8k");
  EXPECT_TRUE(SetPaletteColour(e.ctx(), 1, 3, {31, 0, 0}));
  EXPECT_EQ(e.U16(248 + 56 + 6), 0xF800);
  EXPECT_FALSE(SetPaletteColour(e.ctx(), 1, 3, {31, 0, 0}));
  SetPaletteColour(e.ctx(), 0, 15, {0, 30, 0});
  EXPECT_EQ(e.U16(248 + 30), 0x0780);
  EXPECT_EQ(GetPaletteColour(e.ctx(), 0, 15), (PaletteColour{0, 30, 0}));

  // The bottom panel's role is the scheme's last byte.
  SetRoleIndex(e.ctx(), 1, crDigitBottomPanel, 9);
  EXPECT_EQ(e.mk.Block(10)[248 + 56 + 55], 9);
  SetRoleIndex(e.ctx(), 0, crArrowScaleBack, 4);
  EXPECT_EQ(e.mk.Block(10)[248 + 45], 4);
  // The preview takes its colour from there.
  SetPaletteColour(e.ctx(), 0, 4, {0, 0, 31});
  EXPECT_EQ(SchemeColour(e.mk, 0, crArrowScaleBack), 0x001F);

  const auto before = e.Block10();
  EXPECT_THROW(SetRoleIndex(e.ctx(), 0, crDigitFrame, 16), RangeError);
  EXPECT_THROW(SetPaletteColour(e.ctx(), 0, 16, {1, 1, 1}), RangeError);
  EXPECT_THROW(SetPaletteColour(e.ctx(), 2, 0, {1, 1, 1}), RangeError);
  EXPECT_THROW(SetPaletteColour(e.ctx(), 0, 0, {1, 32, 1}), RangeError);
  EXPECT_EQ(e.Block10(), before);
}

TEST(ColourRoles, TablesCoverEveryRoleOnce) {
  std::vector<int> seen(kColourRoleCount, 0);
  size_t rows = 0;
  for (const RoleTable& t : RoleTables())
    for (const RoleRow& r : t.rows) ++seen[size_t(r.role)], ++rows;
  EXPECT_EQ(rows, 24u);
  for (int n : seen) EXPECT_EQ(n, 1);
  EXPECT_EQ(RoleTables()[0].rows.size(), 6u);
  EXPECT_EQ(RoleTables()[3].rows.back().role, crArrowHighExpScale);
}

TEST(ColourSchemes, EditingStartsAtTheActiveSchemeAndResetTakesTheFactorySchemes) {
  for (const char* sample : {"v104-8k", "v8003-32k"}) {
    Editing e(sample);
    e.mk.SetInt(layout::kActiveColorScheme, 1);
    StartEditingSchemes(e.ctx());
    EXPECT_EQ(EditedScheme(e.ctx()), 1);
    SetPaletteColour(e.ctx(), 0, 0, {1, 2, 3});
    SetPaletteColour(e.ctx(), 1, 7, {4, 5, 6});
    ResetColourSchemes(e.ctx());
    EXPECT_EQ(EditedScheme(e.ctx()), 0) << sample;
    // The factory schemes of the variant's hybrid flag.
    const bool hybrid = e.ctx().Flags().VariantHybrid;
    EXPECT_EQ(hybrid, std::string(sample) == "v8003-32k");
    TMK fresh;
    fresh.BuildFactorySchemes(hybrid);
    const auto b10 = e.mk.Block(10);
    EXPECT_TRUE(
        std::equal(fresh.FactoryScheme1.begin(), fresh.FactoryScheme1.end(), b10.begin() + 248))
        << sample;
    EXPECT_TRUE(
        std::equal(fresh.FactoryScheme2.begin(), fresh.FactoryScheme2.end(), b10.begin() + 304))
        << sample;
    // Bytes around the schemes are left alone.
    EXPECT_EQ(e.mk.GetInt(layout::kActiveColorScheme), 1);
  }
  Editing plain("v104-8k"), hybrid("v8003-32k");
  ResetColourSchemes(plain.ctx());
  ResetColourSchemes(hybrid.ctx());
  EXPECT_NE(plain.Block10(), hybrid.Block10()) << "hybrid and plain factory schemes are alike";
}

TEST(ColourSettings, PalettesAndRolesAsNamedSettings) {
  Editing e("v104-8k");
  const SettingDef* colour = FindSetting("night.palette.3");
  ASSERT_NE(colour, nullptr);
  EXPECT_EQ(colour->kind, ControlKind::Colour);
  SetFromText(e.ctx(), *colour, "31,0,0");
  EXPECT_EQ(e.U16(248 + 56 + 6), 0xF800);
  SetFromText(e.ctx(), *colour, " 0, 30 ,0 ");
  EXPECT_EQ(FormatValue(e.ctx(), *colour, true), "0,30,0");
  const auto before = e.Block10();
  for (const char* bad : {"32,0,0", "1,2", "1,2,3,4", "a,b,c", "", "-1,0,0"})
    EXPECT_THROW(SetFromText(e.ctx(), *colour, bad), TripError) << bad;
  EXPECT_EQ(e.Block10(), before);

  const SettingDef* role = FindSetting("day.sgDigit.6");
  ASSERT_NE(role, nullptr);
  SetFromText(e.ctx(), *role, "12");
  EXPECT_EQ(e.mk.Block(10)[248 + 55], 12);
  EXPECT_THROW(SetFromText(e.ctx(), *role, "16"), RangeError);
  EXPECT_NE(FindSetting("night.sgArrow.10"), nullptr);
  EXPECT_EQ(FindSetting("night.sgArrow.11"), nullptr);
  EXPECT_NE(FindSetting("day.palette.15"), nullptr);
  EXPECT_EQ(FindSetting("day.palette.16"), nullptr);
}
