// SPDX-License-Identifier: GPL-3.0-or-later
// The colour schemes page: palette packing, role tables, the scheme being
// edited and the factory reset, and the schemes as named settings.
#include "editor_core/page_colors.h"

#include <algorithm>
#include <charconv>
#include <string>
#include <string_view>

#include "editor_core/page_kit.h"
#include "editor_core/pages.h"
#include "model/settings_layout.h"
#include "model/tmk.h"
#include "util/errors.h"
#include "util/text_pair.h"

namespace tc {

namespace {

void CheckScheme(int scheme) {
  if (scheme < 0 || scheme > 1) throw RangeError();
}

// Scheme, palette index and role byte of a named colour setting.
int SchemeOf(const SettingDef& d) {
  return d.index / 256;
}
int EntryOf(const SettingDef& d) {
  return d.index % 256;
}

std::string FormatColour(const EditorContext& ctx, const SettingDef& d, bool) {
  const PaletteColour c = GetPaletteColour(ctx, SchemeOf(d), EntryOf(d));
  return std::to_string(c.r) + "," + std::to_string(c.g) + "," + std::to_string(c.b);
}

bool ParseColour(EditorContext& ctx, const SettingDef& d, const std::string& text) {
  int v[3] = {};
  const char* p = text.data();
  const char* const end = p + text.size();
  const auto notColour = [&] {
    return TripError("'" + text + "' " + TextPair{"— не цвет", "is not a colour of"}() + " " +
                     d.name + TextPair{" (ожидается R,G,B)", " (R,G,B is expected)"}());
  };
  for (int i = 0; i < 3; ++i) {
    while (p < end && *p == ' ') ++p;
    const auto [next, ec] = std::from_chars(p, end, v[i]);
    if (ec != std::errc()) throw notColour();
    p = next;
    while (p < end && *p == ' ') ++p;
    if (i < 2) {
      if (p == end || *p != ',') throw notColour();
      ++p;
    }
  }
  if (p != end) throw notColour();
  for (int x : v)
    if (x < 0 || x > 31)
      throw TripError("'" + text + "': " +
                      TextPair{"красный, зелёный и синий — каждый от 0 до 31",
                               "each of red, green and blue takes 0 to 31"}());
  return SetPaletteColour(ctx, SchemeOf(d), EntryOf(d), {v[0], v[1], v[2]});
}

}  // namespace

const std::vector<RoleTable>& RoleTables() {
  static const std::vector<RoleTable> tables = {
      {"sgDigit",
       "seDigit",
       {{{"Цвет 1", "Color 1"}, crDigitColor1},
        {{"Фон 1", "Background 1"}, crDigitBack1},
        {{"Цвет 2", "Color 2"}, crDigitColor2},
        {{"Фон 2", "Background 2"}, crDigitBack2},
        {{"Рамка", "Frame"}, crDigitFrame},
        {{"Нижн.панель", "Bott.panel"}, crDigitBottomPanel}}},
      {"sgMenu",
       "seMenu",
       {{{"Цвет активного пункта", "Active item color"}, crMenuActiveText},
        {{"Фон активного пункта", "Active item background"}, crMenuActiveBack},
        {{"Цвет номера горячего пункта", "Hot item num.color"}, crMenuHotNumber}}},
      {"sgGraph",
       "seGraph",
       {{{"Оси / Временные метки", "Axes / timestamps"}, crGraphAxes},
        {{"Фон графиков", "Graphic backround"}, crGraphBack},
        {{"Цвет графика 1", "Graphic 1 color"}, crGraph1},
        {{"Цвет графика 2", "Graphic 2 color"}, crGraph2},
        {{"Фон подписей", "Titles backround"}, crGraphTitleBack}}},
      {"sgArrow",
       "seArrow",
       {{{"Фон под шкалами", "Scales backround"}, crArrowScaleBack},
        {{"Подписи цвет", "Titles color"}, crArrowTitle},
        {{"Левый циферблат", "Left dial"}, crArrowLeftDial},
        {{"Правый циферблат", "Right dial"}, crArrowRightDial},
        {{"Левая шкала", "Left scale"}, crArrowLeftScale},
        {{"Правая шкала", "Right scale"}, crArrowRightScale},
        {{"Левая стрелка", "Left arrow"}, crArrowLeftNeedle},
        {{"Правая стрелка", "Right arrow"}, crArrowRightNeedle},
        {{"Подписи фон", "Titles backround"}, crArrowTitleBack},
        {{"Шкала при большом расходе", "Scale on high exp."}, crArrowHighExpScale}}},
  };
  return tables;
}

uint16_t PackPaletteColour(const PaletteColour& c) {
  for (int x : {c.r, c.g, c.b})
    if (x < 0 || x > 31) throw RangeError();
  return TMK::PackColour(c.r, c.g, c.b);
}

PaletteColour UnpackPaletteColour(uint16_t stored) {
  const TMK::Rgb5 c = TMK::UnpackColour(stored);
  return {c.r, c.g, c.b};
}

PaletteColour GetPaletteColour(const EditorContext& ctx, int scheme, int index) {
  CheckScheme(scheme);
  if (index < 0 || index >= kPaletteSize) throw RangeError();
  return UnpackPaletteColour(uint16_t(ctx.mk.GetInt(layout::SchemePaletteField(scheme, index))));
}

bool SetPaletteColour(EditorContext& ctx, int scheme, int index, const PaletteColour& c) {
  CheckScheme(scheme);
  if (index < 0 || index >= kPaletteSize) throw RangeError();
  const FieldRef f = layout::SchemePaletteField(scheme, index);
  const uint16_t v = PackPaletteColour(c);
  if (ctx.mk.GetInt(f) == v) return false;
  ctx.mk.SetInt(f, v);
  return true;
}

int GetRoleIndex(const EditorContext& ctx, int scheme, int role) {
  CheckScheme(scheme);
  if (role < 0 || role >= kColourRoleCount) throw RangeError();
  return int(ctx.mk.GetInt(layout::SchemeRoleField(scheme, role)));
}

bool SetRoleIndex(EditorContext& ctx, int scheme, int role, int paletteIndex) {
  CheckScheme(scheme);
  if (role < 0 || role >= kColourRoleCount || paletteIndex < 0 || paletteIndex >= kPaletteSize)
    throw RangeError();
  const FieldRef f = layout::SchemeRoleField(scheme, role);
  if (ctx.mk.GetInt(f) == paletteIndex) return false;
  ctx.mk.SetInt(f, paletteIndex);
  return true;
}

int EditedScheme(const EditorContext& ctx) {
  return ctx.colourScheme == 1 ? 1 : 0;
}

void StartEditingSchemes(EditorContext& ctx) {
  ctx.colourScheme = ctx.mk.GetInt(layout::kActiveColorScheme) == 1 ? 1 : 0;
}

void SetEditedScheme(EditorContext& ctx, int scheme) {
  CheckScheme(scheme);
  ctx.colourScheme = scheme;
}

void ResetColourSchemes(EditorContext& ctx) {
  const ColourScheme* factory[2] = {&ctx.mk.FactoryScheme1, &ctx.mk.FactoryScheme2};
  auto b10 = ctx.mk.Block(10);
  for (int s = 0; s < 2; ++s)
    std::copy(factory[s]->begin(), factory[s]->end(),
              b10.begin() + layout::kColourSchemes(s, 0).offset);
  ctx.colourScheme = 0;
}

std::string TPaletteRows::Cell(int row, int, bool english) const {
  return TextPair{"Цвет #", "Color #"}.Get(english) + " " + std::to_string(row);
}

std::optional<Rgb24> TPaletteRows::RowColour(int row) const {
  return Rgb565ToRgb(PackPaletteColour(GetPaletteColour(ctx_, EditedScheme(ctx_), row)));
}

int TRoleRows::RowCount() const {
  return int(RoleTables()[size_t(table_)].rows.size());
}

std::string TRoleRows::Cell(int row, int, bool english) const {
  return RoleTables()[size_t(table_)].rows[size_t(row)].caption.Get(english);
}

std::optional<Rgb24> TRoleRows::RowColour(int row) const {
  const int s = EditedScheme(ctx_);
  // A role byte beyond the palette is shown by its low four bits.
  const int index =
      GetRoleIndex(ctx_, s, RoleTables()[size_t(table_)].rows[size_t(row)].role) & 0x0F;
  return Rgb565ToRgb(PackPaletteColour(GetPaletteColour(ctx_, s, index)));
}

std::vector<ColourPreview> ColourPagePreviews(const char* page) {
  using S = PreviewScreen;
  const std::string_view p = page;
  if (p == "tsColorX1X7") return {{S::X1, 0}, {S::X7, 0}};
  if (p == "tsColorX4X9") return {{S::X4, 0}, {S::X9, 0}};
  if (p == "tsColorX6X3") return {{S::X6, 0}, {S::X3, 0}};
  if (p == "tsColorMenu") return {{S::Menu, 0}};
  if (p == "tsColorGraph") return {{S::Graph, 0}};
  if (p == "tsColorArrow") return {{S::Arrow, 0}};
  return {};
}

void AddColorsSettings(std::vector<SettingDef>& s) {
  static const TextPair kSchemeNames[2] = {{"День", "Day"}, {"Ночь", "Night"}};
  for (int scheme = 0; scheme < 2; ++scheme) {
    const std::string key = scheme ? "night" : "day";
    const TextPair& sn = kSchemeNames[scheme];
    for (int i = 0; i < kPaletteSize; ++i)
      s.push_back({
          .name = InternName(key + ".palette." + std::to_string(i)),
          .kind = ControlKind::Colour,
          .label = {InternName(std::string(sn.ru) + ": Цвет # " + std::to_string(i)),
                    InternName(std::string(sn.en) + ": Color # " + std::to_string(i))},
          .field = layout::SchemePaletteField(scheme, i),
          .index = scheme * 256 + i,
          .format = FormatColour,
          .parse = ParseColour,
      });
    for (const RoleTable& t : RoleTables()) {
      int row = 0;
      for (const RoleRow& r : t.rows) {
        ++row;
        s.push_back({
            .name = InternName(key + "." + t.name + "." + std::to_string(row)),
            .kind = ControlKind::Spin,
            .label = {InternName(std::string(sn.ru) + ": " + r.caption.ru),
                      InternName(std::string(sn.en) + ": " + r.caption.en)},
            .field = layout::SchemeRoleField(scheme, r.role),
            .index = scheme * 256 + r.role,
            .min = 0,
            .max = kPaletteSize - 1,
        });
      }
    }
  }
}

// The colour sub-pages have no settings of their own: the colour page lays
// out its palette and role tables across them.
constinit const EditorPage kColorDigitalPages[]{
    {.name = "tsColorX1X7", .caption = {"x1,  x7", "x1,  x7"}},
    {.name = "tsColorX4X9", .caption = {"x4, x9", "x4, x9"}},
    {.name = "tsColorX6X3", .caption = {"x6, x3", "x6, x3"}},
};
constinit const EditorPage* const kColorDigitalList[] = {
    &kColorDigitalPages[0], &kColorDigitalPages[1], &kColorDigitalPages[2]};
constinit const EditorPage kColorSubpages[]{
    {.name = "tsColorDigital",
     .caption = {"Цифровые дисплеи", "Digital displays"},
     .pages = kColorDigitalList},
    {.name = "tsColorMenu", .caption = {"Меню", "Menu"}},
    {.name = "tsColorGraph", .caption = {"Графики", "Graphics"}},
    {.name = "tsColorArrow", .caption = {"Стрелочный дисплей", "Arrow display"}},
};
constinit const EditorPage* const kColorSubpageList[] = {&kColorSubpages[0], &kColorSubpages[1],
                                                         &kColorSubpages[2], &kColorSubpages[3]};

constinit const EditorPage kColorsPage{
    .name = "tsColors",
    .caption = {"Цветовые схемы", "Color schemes"},
    .addSettings = AddColorsSettings,
    .pages = kColorSubpageList,
};

}  // namespace tc
