// SPDX-License-Identifier: GPL-3.0-or-later
// The display layout pages without widgets: hit areas of every layout at
// their borders, the cells' pop-up contents for the variant and protocol,
// stores with their range check, the info-panel numbering and the cells as
// named settings.
#include "editor_core/page_layouts.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "catalog/protocol.h"
#include "catalog/variants.h"
#include "editor_core/edit_session.h"
#include "editor_core/editor_pages.h"
#include "editor_core/setting_value.h"
#include "editor_core/settings_schema.h"
#include "editor_core/visibility.h"
#include "model/sample_image.h"
#include "model/settings_document.h"
#include "model/settings_layout.h"
#include "model/tmk.h"
#include "util/errors.h"

using namespace tc;
using S = PreviewScreen;

namespace {

// A sample opened as the editor opens it (variant, parameter list).
struct Editing {
  explicit Editing(const char* sample) {
    const SampleSetup setup = SampleSetupByName(sample);
    mk.ReplaceImage(BuildSampleImage(setup), setup.deviceVersion);
    mk.DecodeSettingsBlocks();
    session = std::make_unique<TSettingsEditSession>(doc);
  }
  EditorContext& ctx() { return session->Context(); }
  static const SettingDef& Def(const std::string& name) {
    const SettingDef* d = FindSetting(name);
    if (!d) throw std::runtime_error("no setting " + name);
    return *d;
  }
  std::vector<int> Codes(S screen, int cell) {
    std::vector<int> codes;
    for (const CellChoice& c : CellMenu(ctx(), screen, cell)) codes.push_back(c.code);
    return codes;
  }
  SettingsDocument doc;
  TMK& mk = doc.Model();
  std::unique_ptr<TSettingsEditSession> session;
};

}  // namespace

TEST(LayoutHitTest, WorkedExamples) {
  // x4 display 3, right-click at (200, 50): cell 1, stored at block 10 byte 25.
  EXPECT_EQ(CellAt(S::X4, 200, 50, 320, 240), 1);
  EXPECT_EQ(CellField(S::X4, 3, 1).block, 10);
  EXPECT_EQ(CellField(S::X4, 3, 1).offset, 25);
  // x1: only the lower three sevenths count.
  EXPECT_EQ(CellAt(S::X1, 10, 200, 320, 240), 0);
  EXPECT_EQ(CellAt(S::X1, 10, 100, 320, 240), -1);
  // Graphs: nothing below the curves, curve 2 in the lower half.
  EXPECT_EQ(CellAt(S::Graph, 10, 200, 320, 240), -1);
  EXPECT_EQ(CellAt(S::Graph, 10, 120, 320, 240), 1);
}

TEST(LayoutHitTest, EveryLayoutAtItsCellBorders) {
  struct Case {
    S screen;
    int x, y, cell;
  };
  const Case cases[] = {
      {S::X4, 159, 119, 0},  {S::X4, 160, 119, 1},  {S::X4, 159, 120, 2},  {S::X4, 319, 239, 3},
      {S::X9, 105, 79, 0},   {S::X9, 106, 79, 1},   {S::X9, 212, 80, 5},   {S::X9, 105, 160, 6},
      {S::X9, 319, 239, 8},  {S::X6, 0, 0, 0},      {S::X6, 211, 79, 0},   {S::X6, 212, 0, 1},
      {S::X6, 212, 80, 2},   {S::X6, 106, 80, 0},   {S::X6, 0, 160, 3},    {S::X6, 106, 160, 4},
      {S::X6, 319, 239, 5},  {S::X7, 0, 33, 0},     {S::X7, 0, 34, 1},     {S::X7, 0, 237, 6},
      {S::X3, 0, 169, 0},    {S::X3, 0, 170, 1},    {S::X3, 0, 204, 2},    {S::X3, 0, 0, 0},
      {S::X1, 0, 136, -1},   {S::X1, 79, 137, 0},   {S::X1, 80, 137, 1},   {S::X1, 319, 239, 3},
      {S::Graph, 0, 89, 0},  {S::Graph, 0, 90, 1},  {S::Graph, 0, 180, 1}, {S::Graph, 0, 181, -1},
      {S::Arrow, 119, 0, 0}, {S::Arrow, 120, 0, 1}, {S::Info, 0, 59, 0},   {S::Info, 79, 60, 1},
      {S::Info, 0, 180, 3},  {S::X4, -1, 0, -1},    {S::X4, 320, 0, -1},   {S::Info, 80, 0, -1},
      {S::X7, 0, 240, -1},
  };
  for (const Case& c : cases)
    EXPECT_EQ(CellAt(c.screen, c.x, c.y, PreviewWidth(c.screen), 240), c.cell)
        << PreviewScreenName(c.screen) << " (" << c.x << ", " << c.y << ")";
}

TEST(LayoutHitTest, RowsBelowTheLastWholeRowStayInTheLayout) {
  // 240 is no multiple of 7: the two pixel rows under the seventh row still
  // belong to it (x7) or to the last small cell (x3), never to a cell that
  // would store into the next display's bytes.
  EXPECT_EQ(CellAt(S::X7, 0, 238, 320, 240), 6);
  EXPECT_EQ(CellAt(S::X7, 0, 239, 320, 240), 6);
  EXPECT_EQ(CellAt(S::X3, 0, 239, 320, 240), 2);
  for (const CellLayout& l : CellLayouts())
    for (int y = 0; y < 240; ++y)
      for (int x = 0; x < PreviewWidth(l.screen); x += 7)
        EXPECT_LT(CellAt(l.screen, x, y, PreviewWidth(l.screen), 240), l.cells) << l.key;
}

TEST(LayoutCells, TablesCoverTheirBytes) {
  EXPECT_EQ(CellField(S::X9, 2, 8).offset, 122);
  EXPECT_EQ(CellField(S::X7, 3, 6).offset, 63);
  EXPECT_EQ(CellField(S::X3, 2, 2).offset, 36 + 14 + 2);
  EXPECT_EQ(CellField(S::X1, 0, 3).offset, 39);
  EXPECT_EQ(CellField(S::X6, 1, 5).offset, 411);
  EXPECT_EQ(CellField(S::Graph, 7, 1).offset, 79);
  EXPECT_EQ(CellField(S::Arrow, 7, 1).offset, 95);
  EXPECT_EQ(CellField(S::Info, 0, 3).block, 13);
  EXPECT_EQ(CellField(S::Info, 0, 3).offset, 7);
  EXPECT_EQ(CellField(S::Info, 0, 3).type, FieldType::s8);
  EXPECT_THROW(CellField(S::X4, 6, 0), RangeError);
  EXPECT_THROW(CellField(S::X3, 0, 3), RangeError);
  EXPECT_THROW(CellField(S::Menu, 0, 0), RangeError);
}

TEST(LayoutMenus, ProtocolListInOrderWithoutUnknownCodes) {
  Editing e("v104-8k");
  const TProtBase* p = e.ctx().Protocol();
  ASSERT_NE(p, nullptr);
  std::vector<int> expected;
  for (uint8_t code : p->Params())
    if (FindMeasPar(e.mk.MeasParList, code)) expected.push_back(code);
  ASSERT_FALSE(expected.empty());
  for (S s : {S::X4, S::X9, S::X7, S::X3, S::X6}) EXPECT_EQ(e.Codes(s, 0), expected);
  // Captions are the parameters' names.
  const auto menu = CellMenu(e.ctx(), S::X4, 0);
  EXPECT_STREQ(menu[0].caption.en, FindMeasPar(e.mk.MeasParList, uint8_t(menu[0].code))->Name.en);
}

TEST(LayoutMenus, GraphAndArrowMenusFollowTheCatalogue) {
  Editing e("v104-8k");
  const auto curve1 = CellMenu(e.ctx(), S::Graph, 0);
  const auto curve2 = CellMenu(e.ctx(), S::Graph, 1);
  ASSERT_FALSE(curve1.empty());
  ASSERT_EQ(curve2.size(), curve1.size() + 1);
  EXPECT_EQ(curve2[0].code, 0);
  EXPECT_STREQ(curve2[0].caption.ru, "Отсутствует");
  for (const CellChoice& c : curve1) {
    EXPECT_NE(c.code, 0);
    EXPECT_TRUE(FindMeasPar(e.mk.MeasParList, uint8_t(c.code))->HasGraph) << c.code;
  }
  for (int cell : {0, 1}) {
    const auto menu = CellMenu(e.ctx(), S::Arrow, cell);
    EXPECT_FALSE(menu.empty());
    for (const CellChoice& c : menu)
      EXPECT_EQ(FindMeasPar(e.mk.MeasParList, uint8_t(c.code))->GaugeSlot, cell + 1) << c.code;
  }
}

TEST(LayoutMenus, X1ListIsFixedAndOffersTrimOnlyWithTheTrimInput) {
  // The variant flags are program-wide: one sample at a time.
  {
    Editing plain("v8002-8k");
    ASSERT_FALSE(plain.ctx().Flags().VariantTrim);
    std::vector<int> expected;
    for (int code : {7, 10, 8, 17, 55, 56, 86, 87, 88, 38})
      if (FindMeasPar(plain.mk.MeasParList, uint8_t(code))) expected.push_back(code);
    EXPECT_EQ(plain.Codes(S::X1, 2), expected);
  }
  Editing boat("ve01-32k");
  ASSERT_TRUE(boat.ctx().Flags().VariantTrim);
  const auto codes = boat.Codes(S::X1, 0);
  ASSERT_GE(codes.size(), 5u);
  EXPECT_EQ(std::vector<int>(codes.begin(), codes.begin() + 5),
            (std::vector<int>{7, 10, 8, 17, 91}));
}

TEST(LayoutMenus, ProtocolChangeRebuildsTheMenus) {
  Editing e("v104-8k");
  const auto before = e.Codes(S::X4, 0);
  const auto& list = e.ctx().catalog.Protocols();
  bool changed = false;
  for (size_t i = 0; i < list.size() && !changed; ++i) {
    SetIndex(e.ctx(), Editing::Def("cbProtocol"), int(i));
    changed = e.Codes(S::X4, 0) != before;
  }
  EXPECT_TRUE(changed) << "every protocol offers the same parameters";
}

TEST(LayoutStore, ChoiceIsStoredWithItsRangeCheck) {
  Editing e("v104-8k");
  const auto menu = CellMenu(e.ctx(), S::X4, 1);
  ASSERT_GE(menu.size(), 2u);
  const int code = menu[1].code;
  if (e.mk.Block(10)[25] == code) StoreCellChoice(e.ctx(), S::X4, 3, 1, menu[0].code);
  EXPECT_TRUE(StoreCellChoice(e.ctx(), S::X4, 3, 1, code));
  EXPECT_EQ(e.mk.Block(10)[25], code);
  EXPECT_FALSE(StoreCellChoice(e.ctx(), S::X4, 3, 1, code));
  // Choosing "Отсутствует" for curve 2 stores 0.
  StoreCellChoice(e.ctx(), S::Graph, 4, 1, 0);
  EXPECT_EQ(e.mk.Block(10)[64 + 9], 0);

  const std::vector<uint8_t> b10(e.mk.Block(10).begin(), e.mk.Block(10).end());
  const std::vector<uint8_t> b13(e.mk.Block(13).begin(), e.mk.Block(13).end());
  EXPECT_THROW(StoreCellChoice(e.ctx(), S::X4, 0, 0, 256), RangeError);
  EXPECT_THROW(StoreCellChoice(e.ctx(), S::X9, 0, 0, -1), RangeError);
  EXPECT_THROW(StoreCellChoice(e.ctx(), S::Info, 0, 2, 128), RangeError);
  EXPECT_EQ(std::vector<uint8_t>(e.mk.Block(10).begin(), e.mk.Block(10).end()), b10);
  EXPECT_EQ(std::vector<uint8_t>(e.mk.Block(13).begin(), e.mk.Block(13).end()), b13);
  EXPECT_TRUE(StoreCellChoice(e.ctx(), S::Info, 0, 2, -5));
  EXPECT_EQ(StoredCell(e.ctx(), S::Info, 0, 2), -5);
  EXPECT_EQ(int8_t(e.mk.Block(13)[6]), -5);
}

TEST(LayoutInfoPanel, NumberingForFourVariants) {
  struct Case {
    const char* sample;
    size_t count;
    int position;
    const char* caption;  // English caption at that position
  };
  const Case cases[] = {
      {"v104-8k", 12, 11, "GasPetr"},
      {"v8002-8k", 12, 10, "Tank"},
      {"v8003-32k", 17, 13, "Т HVB"},
      // No gas: the boat's temperatures, trim, roll and pitch move up by one.
      {"ve01-32k", 17, 11, "Т eng."},
  };
  for (const Case& c : cases) {
    Editing e(c.sample);
    const auto menu = CellMenu(e.ctx(), S::Info, 0);
    ASSERT_EQ(menu.size(), c.count) << c.sample;
    for (size_t i = 0; i < menu.size(); ++i) EXPECT_EQ(menu[i].code, int(i)) << c.sample;
    EXPECT_STREQ(menu[size_t(c.position)].caption.en, c.caption) << c.sample;
    // The renderer is handed the same numbering.
    PreviewInput in(e.mk, e.mk.MeasParList);
    PreparePreviewInput(e.ctx(), S::Info, in);
    ASSERT_EQ(in.infoItems.size(), c.count);
    EXPECT_STREQ(in.infoItems[size_t(c.position)].caption.en, c.caption);
  }
  Editing boat("ve01-32k");
  EXPECT_STREQ(CellMenu(boat.ctx(), S::Info, 0)[16].caption.en, "Pitch");
}

TEST(LayoutInfoPanel, HybridEngineSpeedFollowsTheEnginePumpMark) {
  Editing e("v8003-32k");
  const auto& list = e.ctx().catalog.Protocols();
  int seen = 0;
  for (size_t i = 0; i < list.size() && seen != 3; ++i) {
    SetIndex(e.ctx(), Editing::Def("cbProtocol"), int(i));
    const char* caption = CellMenu(e.ctx(), S::Info, 0)[12].caption.en;
    EXPECT_STREQ(caption, e.ctx().EnginePumpProtocol() ? "EngSpEl" : "Eng.sp.") << i;
    seen |= e.ctx().EnginePumpProtocol() ? 1 : 2;
  }
}

TEST(LayoutRenaming, ParameterElevenFollowsTheTemperatureSignature) {
  Editing e("ve01-32k");
  const auto caption = [&] { return std::string(FindMeasPar(e.mk.MeasParList, 11)->Caption1.en); };
  e.mk.SetInt(layout::kAirWaterShow, 1);
  ApplyTemperatureSignature(e.ctx());
  EXPECT_EQ(caption(), "Twater");
  e.mk.SetInt(layout::kAirWaterShow, 2);
  ApplyTemperatureSignature(e.ctx());
  EXPECT_EQ(caption(), "T eng.");
  e.mk.SetInt(layout::kAirWaterShow, 0);
  ApplyTemperatureSignature(e.ctx());
  EXPECT_EQ(caption(), "T air");
}

TEST(LayoutSettings, CellsAsNamedSettings) {
  Editing e("v104-8k");
  const SettingDef& d = Editing::Def("x4.4.2");
  EXPECT_EQ(d.field.offset, 25);
  const auto menu = CellMenu(e.ctx(), S::X4, 1);
  ASSERT_GE(menu.size(), 2u);
  // A code, or a caption in either language.
  SetFromText(e.ctx(), d, std::to_string(menu[1].code));
  EXPECT_EQ(FormatValue(e.ctx(), d, true),
            std::to_string(menu[1].code) + " (" + menu[1].caption.en + ")");
  SetFromText(e.ctx(), d, menu[0].caption.ru);
  EXPECT_EQ(e.mk.Block(10)[25], menu[0].code);
  // What get prints is taken back.
  SetFromText(e.ctx(), d, FormatValue(e.ctx(), d, false));
  EXPECT_EQ(e.mk.Block(10)[25], menu[0].code);

  // "#N" is the N-th choice of the pop-up, as for items.
  SetFromText(e.ctx(), d, "#1");
  EXPECT_EQ(e.mk.Block(10)[25], menu[1].code);
  SetFromText(e.ctx(), d, "#0");
  EXPECT_EQ(e.mk.Block(10)[25], menu[0].code);

  // Only what the pop-up offers: code 91 is no parameter of this protocol.
  const std::vector<uint8_t> b10(e.mk.Block(10).begin(), e.mk.Block(10).end());
  const std::string pastTheEnd = "#" + std::to_string(menu.size());
  for (const char* bad : {"91", "300", "-1", "no such", "", "#", "#-1", "#1x", pastTheEnd.c_str()})
    EXPECT_THROW(SetFromText(e.ctx(), d, bad), TripError) << bad;
  EXPECT_EQ(std::vector<uint8_t>(e.mk.Block(10).begin(), e.mk.Block(10).end()), b10);

  // A layout the variant does not show is refused with its name.
  try {
    SetFromText(e.ctx(), Editing::Def("x3.1.1"), "7");
    FAIL() << "x3 stored on a variant without x3 displays";
  } catch (const TripError& err) {
    EXPECT_NE(std::string(err.what()).find("x3"), std::string::npos) << err.what();
  }
  const Visibility v = ControlVisibility(e.ctx());
  EXPECT_FALSE(v.Visible("x3.1.1"));
  EXPECT_FALSE(v.Visible("x1.1.4"));
  EXPECT_FALSE(v.Visible("info.1.1"));
  EXPECT_TRUE(v.Visible("x7.4.7"));
  EXPECT_TRUE(v.Visible("arrow.8.2"));
}

TEST(LayoutSettings, EveryCellOfEveryLayoutIsNamedOnce) {
  int cells = 0;
  for (const CellLayout& l : CellLayouts())
    for (int d = 1; d <= l.displays; ++d)
      for (int c = 1; c <= l.cells; ++c) {
        const std::string name =
            std::string(l.key) + "." + std::to_string(d) + "." + std::to_string(c);
        const SettingDef* def = FindSetting(name);
        ASSERT_NE(def, nullptr) << name;
        EXPECT_EQ(def->kind, ControlKind::Cell);
        ++cells;
      }
  EXPECT_EQ(cells, 4 + 9 + 24 + 12 + 28 + 27 + 16 + 16 + 4);
  EXPECT_EQ(FindSetting("x4.7.1"), nullptr);
}

TEST(LayoutPages, OnlyOneOfTheSharedX1X3AndX7PagesShows) {
  // The three layouts share one table; two pages editing it would overwrite
  // each other's cells.
  for (const uint16_t type : {0xE01, 0xF01, 0x8005, 0xD01, 0x104, 0x8002, 0x8003}) {
    const VariantFlags f = LookupVariant(type, 0).flags;
    const int shown = int(PageOnShow("tsDisplays1", f)) + int(PageOnShow("tsDisplays3", f)) +
                      int(PageOnShow("tsDisplays7", f));
    EXPECT_EQ(shown, 1) << std::hex << type;
  }
  EXPECT_TRUE(PageOnShow("tsDisplays3", LookupVariant(0xD01, 0).flags));
  EXPECT_TRUE(PageOnShow("tsDisplays1", LookupVariant(0xF01, 0).flags));

  // On ve01-32k (x1) the x7 cells are hidden and refused, nothing stored.
  Editing e("ve01-32k");
  const Visibility v = ControlVisibility(e.ctx());
  EXPECT_TRUE(v.Visible("x1.1.1"));
  EXPECT_FALSE(v.Visible("x7.1.1"));
  EXPECT_FALSE(v.Visible("x7.4.7"));
  const std::vector<uint8_t> b10(e.mk.Block(10).begin(), e.mk.Block(10).end());
  EXPECT_THROW(SetFromText(e.ctx(), Editing::Def("x7.1.1"), "17"), TripError);
  EXPECT_EQ(std::vector<uint8_t>(e.mk.Block(10).begin(), e.mk.Block(10).end()), b10);
}
