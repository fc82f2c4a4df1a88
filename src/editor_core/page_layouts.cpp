// SPDX-License-Identifier: GPL-3.0-or-later
// The display layout pages ("Дисплеи х1" .. "Доп.панель"): cell tables, hit
// areas of the previews, the cells' pop-up contents and the named cell
// settings of the command line.
#include "editor_core/page_layouts.h"

#include <algorithm>
#include <cctype>
#include <charconv>

#include "catalog/protocol.h"
#include "catalog/variant_flags.h"
#include "editor_core/editor_pages.h"
#include "editor_core/page_kit.h"
#include "editor_core/pages.h"
#include "editor_core/visibility.h"
#include "model/settings_layout.h"
#include "model/tmk.h"
#include "util/errors.h"

namespace tc {

namespace {

const TextPair kAbsent{"Отсутствует", "Absent"};

// The parameters the x1 layout offers, whatever the protocol; 91 only with
// the trim input.
constexpr int kX1Codes[] = {7, 10, 8, 17, 91, 55, 56, 86, 87, 88, 38};
constexpr int kTrimCode = 91;

FieldArray Table(PreviewScreen screen, int* stride) {
  using S = PreviewScreen;
  switch (screen) {
    case S::X4:
      *stride = 4;
      return layout::kX4Cells.Flat();
    case S::X9:
      *stride = 9;
      return layout::kX9Cells.Flat();
    case S::X1:
    case S::X3:
    case S::X7:
      *stride = 7;
      return layout::kX7Cells.Flat();
    case S::X6:
      *stride = 6;
      return layout::kX6Cells.Flat();
    case S::Graph:
      *stride = 2;
      return layout::kGraphCells.Flat();
    case S::Arrow:
      *stride = 2;
      return layout::kArrowCells.Flat();
    case S::Info:
      *stride = 0;
      return layout::kInfoCells;
    case S::Menu:
      break;
  }
  throw RangeError();
}

const TMeasParBase* Param(const EditorContext& ctx, int code) {
  if (code < 0 || code > 255) return nullptr;
  return FindMeasPar(ctx.mk.MeasParList, uint8_t(code));
}

std::string Lower(std::string s) {
  for (char& c : s) c = char(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

std::string Trim(const std::string& s) {
  const size_t a = s.find_first_not_of(" \t");
  if (a == std::string::npos) return {};
  return s.substr(a, s.find_last_not_of(" \t") - a + 1);
}

// Settings of the cells carry their layout, display and cell in `index`.
constexpr int Pack(PreviewScreen s, int display, int cell) {
  return int(s) * 1024 + display * 16 + cell;
}
PreviewScreen ScreenOf(const SettingDef& d) {
  return PreviewScreen(d.index / 1024);
}
int DisplayOf(const SettingDef& d) {
  return d.index % 1024 / 16;
}
int CellOf(const SettingDef& d) {
  return d.index % 16;
}

std::string CellName(const CellLayout& l, int display, int cell) {
  return std::string(l.key) + "." + std::to_string(display + 1) + "." + std::to_string(cell + 1);
}

std::string FormatCell(const EditorContext& ctx, const SettingDef& d, bool english) {
  const PreviewScreen screen = ScreenOf(d);
  const int code = StoredCell(ctx, screen, DisplayOf(d), CellOf(d));
  std::string text = std::to_string(code);
  for (const CellChoice& c : CellMenu(ctx, screen, CellOf(d)))
    if (c.code == code) return text + " (" + c.caption.Get(english) + ")";
  // A code the menu does not offer (another protocol's parameter) still
  // shows the parameter's name when the model knows it.
  if (screen != PreviewScreen::Info)
    if (const TMeasParBase* p = code ? Param(ctx, code) : nullptr)
      return text + " (" + p->Name.Get(english) + ")";
  return text;
}

bool ParseCell(EditorContext& ctx, const SettingDef& d, const std::string& raw) {
  const PreviewScreen screen = ScreenOf(d);
  const CellLayout& l = LayoutOf(screen);
  if (!LayoutShown(ctx, screen))
    throw TripError(
        std::string(d.name) + ": " +
        TextPair{"у этого варианта МК нет дисплеев ", "this device variant has no "}() + l.key +
        TextPair{" (редактор не показывает «", " displays (the editor does not show \""}() +
        l.page->caption.Get(EnglishVersion()) + TextPair{"»)", "\")"}());
  std::string text = Trim(raw);
  // "CODE (caption)" as get prints it is taken as the code.
  if (const size_t paren = text.find(" ("); paren != std::string::npos && text.back() == ')') {
    const std::string head = Trim(text.substr(0, paren));
    if (!head.empty() && head.find_first_not_of("-0123456789") == std::string::npos) text = head;
  }
  const auto menu = CellMenu(ctx, screen, CellOf(d));
  const CellChoice* found = nullptr;
  int code = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), code);
  const bool isNumber = !text.empty() && ec == std::errc() && end == text.data() + text.size();
  // "#N": the N-th choice of the cell's pop-up, counted from 0, as items take it.
  if (text.size() > 1 && text[0] == '#') {
    size_t n = 0;
    const auto [nEnd, nEc] = std::from_chars(text.data() + 1, text.data() + text.size(), n);
    if (nEc == std::errc() && nEnd == text.data() + text.size() && n < menu.size())
      found = &menu[n];
  }
  for (const CellChoice& c : menu) {
    if (found) break;
    if (isNumber ? c.code == code
                 : (Lower(text) == Lower(c.caption.ru) || Lower(text) == Lower(c.caption.en))) {
      found = &c;
      break;
    }
  }
  if (!found) {
    std::string list;
    for (const CellChoice& c : menu)
      list += (list.empty() ? "" : ", ") + std::to_string(c.code) + " " +
              c.caption.Get(EnglishVersion());
    throw TripError("'" + raw + "' " + TextPair{"не предлагается для", "is not offered for"}() +
                    " " + d.name +
                    (menu.empty() ? TextPair{" (при этом протоколе ячейке нечего предложить)",
                                             " (the cell offers nothing with this protocol)"}()
                                  : TextPair{" (варианты: ", " (choices: "}() + list + ")"));
  }
  return StoreCellChoice(ctx, screen, DisplayOf(d), CellOf(d), found->code);
}

}  // namespace

const std::vector<CellLayout>& CellLayouts() {
  using S = PreviewScreen;
  static const std::vector<CellLayout> layouts = {
      {S::X1, "x1", &kDisplays1Page, 1, 4},
      {S::X3, "x3", &kDisplays3Page, 3, 3},
      {S::X4, "x4", &kDisplays4Page, 6, 4},
      {S::X6, "x6", &kDisplays6Page, 2, 6},
      {S::X7, "x7", &kDisplays7Page, 4, 7},
      {S::X9, "x9", &kDisplays9Page, 3, 9},
      {S::Graph, "graph", &kGraphDisplaysPage, 8, 2},
      {S::Arrow, "arrow", &kArrowDisplaysPage, 8, 2},
      {S::Info, "info", &kInfoPanelPage, 1, 4},
  };
  return layouts;
}

const CellLayout& LayoutOf(PreviewScreen screen) {
  for (const CellLayout& l : CellLayouts())
    if (l.screen == screen) return l;
  throw RangeError();
}

FieldRef CellField(PreviewScreen screen, int display, int cell) {
  const CellLayout& l = LayoutOf(screen);
  if (display < 0 || display >= l.displays || cell < 0 || cell >= l.cells) throw RangeError();
  int stride = 0;
  const FieldArray table = Table(screen, &stride);
  return table[stride * display + cell];
}

bool LayoutShown(const EditorContext& ctx, PreviewScreen screen) {
  return PageOnShow(LayoutOf(screen).page->name, ctx.Flags());
}

int CellAt(PreviewScreen screen, int x, int y, int w, int h) {
  using S = PreviewScreen;
  if (x < 0 || y < 0 || x >= w || y >= h || w < 4 || h < 7) return -1;
  switch (screen) {
    case S::X4:
      return x / (w / 2) + 2 * (y / (h / 2));
    case S::X9:
      return std::min(x / (w / 3), 2) + 3 * std::min(y / (h / 3), 2);
    case S::X6: {
      static constexpr int kCellOfArea[9] = {0, 0, 1, 0, 0, 2, 3, 4, 5};
      return kCellOfArea[std::min(x / (w / 3), 2) + 3 * std::min(y / (h / 3), 2)];
    }
    case S::X7:
      // The last pixel rows below seven whole rows belong to the last row.
      return std::min(y / (h / 7), 6);
    case S::X3: {
      const int r = y / (h / 7);
      return r >= 5 ? std::min(r - 4, 2) : 0;
    }
    case S::X1:
      if (y < 4 * h / 7) return -1;
      return std::min(x / (w / 4), 3);
    case S::Graph:
      if (y > 180) return -1;
      return y < 90 ? 0 : 1;
    case S::Arrow:
      return x >= w - 200 ? 1 : 0;
    case S::Info:
      return std::min(y / (h / 4), 3);
    case S::Menu:
      break;
  }
  return -1;
}

std::vector<InfoPanelEntry> InfoPanelItems(const EditorContext& ctx) {
  return BuildInfoPanelItems(ctx.Flags(), ctx.EnginePumpProtocol());
}

std::vector<CellChoice> CellMenu(const EditorContext& ctx, PreviewScreen screen, int cell) {
  using S = PreviewScreen;
  std::vector<CellChoice> menu;
  const auto add = [&](int code) {
    if (const TMeasParBase* p = Param(ctx, code)) menu.push_back({code, p->Name});
  };
  const TProtBase* protocol = ctx.Protocol();
  switch (screen) {
    case S::X1:
      for (int code : kX1Codes)
        if (code != kTrimCode || ctx.Flags().VariantTrim) add(code);
      break;
    case S::Info: {
      int i = 0;
      for (const InfoPanelEntry& e : InfoPanelItems(ctx)) menu.push_back({i++, e.caption});
      break;
    }
    case S::Graph:
      if (cell == 1) menu.push_back({0, kAbsent});
      if (protocol)
        for (uint8_t code : protocol->Params())
          if (const TMeasParBase* p = Param(ctx, code); p && p->HasGraph) add(code);
      break;
    case S::Arrow:
      if (protocol)
        for (uint8_t code : protocol->Params())
          if (const TMeasParBase* p = Param(ctx, code); p && p->GaugeSlot == cell + 1) add(code);
      break;
    case S::Menu:
      break;
    default:
      if (protocol)
        for (uint8_t code : protocol->Params()) add(code);
      break;
  }
  return menu;
}

int StoredCell(const EditorContext& ctx, PreviewScreen screen, int display, int cell) {
  return int(ctx.mk.GetInt(CellField(screen, display, cell)));
}

bool StoreCellChoice(EditorContext& ctx, PreviewScreen screen, int display, int cell, int code) {
  const FieldRef f = CellField(screen, display, cell);
  if (ctx.mk.GetInt(f) == code) return false;
  ctx.mk.SetInt(f, code);  // refuses a code the byte cannot hold
  return true;
}

void PreparePreviewInput(const EditorContext& ctx, PreviewScreen screen, PreviewInput& in) {
  using S = PreviewScreen;
  in.secondForm = false;
  if (screen == S::X4) in.secondForm = ctx.mk.GetInt(layout::kDispVar4) == 1;
  if (screen == S::X9) in.secondForm = ctx.mk.GetInt(layout::kDispVar9) == 1;
  // Boats (the power-reserve variants) have their own x1 screen.
  if (screen == S::X1) in.secondForm = ctx.Flags().VariantPowerReserve;
  if (screen == S::Info) in.infoItems = InfoPanelItems(ctx);
}

void ApplyTemperatureSignature(EditorContext& ctx) {
  ApplyCaptionVariants(ctx.mk.MeasParList, ctx.Flags(),
                       uint8_t(ctx.mk.GetInt(layout::kAirWaterShow)));
}

void AddCellSettings(PreviewScreen screen, std::vector<SettingDef>& schema) {
  const CellLayout& l = LayoutOf(screen);
  for (int d = 0; d < l.displays; ++d) {
    for (int c = 0; c < l.cells; ++c) {
      const std::string where = " " + std::to_string(d + 1) + ", ";
      const TextPair& caption = l.page->caption;
      schema.push_back({
          .name = InternName(CellName(l, d, c)),
          .kind = ControlKind::Cell,
          .label = {InternName(std::string(caption.ru) + where + "ячейка " + std::to_string(c + 1)),
                    InternName(std::string(caption.en) + where + "cell " + std::to_string(c + 1))},
          .field = CellField(screen, d, c),
          .index = Pack(screen, d, c),
          .format = FormatCell,
          .parse = ParseCell,
      });
    }
  }
}

std::vector<CellChoice> CellSettingMenu(const EditorContext& ctx, const SettingDef& def) {
  return CellMenu(ctx, ScreenOf(def), CellOf(def));
}

int CellSettingCode(const EditorContext& ctx, const SettingDef& def) {
  return StoredCell(ctx, ScreenOf(def), DisplayOf(def), CellOf(def));
}

}  // namespace tc

namespace tc {
void AddDisplays1Settings(std::vector<SettingDef>& s) {
  AddCellSettings(PreviewScreen::X1, s);
}
void AddDisplays3Settings(std::vector<SettingDef>& s) {
  AddCellSettings(PreviewScreen::X3, s);
}
void AddDisplays4Settings(std::vector<SettingDef>& s) {
  AddCellSettings(PreviewScreen::X4, s);
}
void AddDisplays6Settings(std::vector<SettingDef>& s) {
  AddCellSettings(PreviewScreen::X6, s);
}
void AddDisplays7Settings(std::vector<SettingDef>& s) {
  AddCellSettings(PreviewScreen::X7, s);
}
void AddDisplays9Settings(std::vector<SettingDef>& s) {
  AddCellSettings(PreviewScreen::X9, s);
}
void AddGraphDisplaysSettings(std::vector<SettingDef>& s) {
  AddCellSettings(PreviewScreen::Graph, s);
}
void AddArrowDisplaysSettings(std::vector<SettingDef>& s) {
  AddCellSettings(PreviewScreen::Arrow, s);
}
void AddInfoPanelSettings(std::vector<SettingDef>& s) {
  AddCellSettings(PreviewScreen::Info, s);
}

namespace {

// The pages that split the previews of one layout.
constexpr TextPair kDisplays1To3{"Дисплеи 1 .. 3", "Displays 1 .. 3"};
constexpr TextPair kDisplays4To6{"Дисплеи 4 .. 6", "Displays 4 .. 6"};
constexpr TextPair kDisplays7To8{"Дисплеи 7, 8", "Displays 7, 8"};

constinit const EditorPage kDisplays4Parts[]{
    {.name = "tsDisplays4a", .caption = kDisplays1To3},
    {.name = "tsDisplays4b", .caption = kDisplays4To6},
};
constinit const EditorPage* const kDisplays4List[] = {&kDisplays4Parts[0], &kDisplays4Parts[1]};
constinit const EditorPage kDisplays7Parts[]{
    {.name = "tsDisplays7a", .caption = {"Дисплеи 1, 2", "Displays 1, 2"}},
    {.name = "tsDisplays7b", .caption = {"Дисплеи 3, 4", "Displays 3, 4"}},
};
constinit const EditorPage* const kDisplays7List[] = {&kDisplays7Parts[0], &kDisplays7Parts[1]};
constinit const EditorPage kGraphParts[]{
    {.name = "tsGraphDisplays1", .caption = kDisplays1To3},
    {.name = "tsGraphDisplays2", .caption = kDisplays4To6},
    {.name = "tsGraphDisplays3", .caption = kDisplays7To8},
};
constinit const EditorPage* const kGraphList[] = {&kGraphParts[0], &kGraphParts[1],
                                                  &kGraphParts[2]};
constinit const EditorPage kArrowParts[]{
    {.name = "tsArrowDisplays1", .caption = kDisplays1To3},
    {.name = "tsArrowDisplays2", .caption = kDisplays4To6},
    {.name = "tsArrowDisplays3", .caption = kDisplays7To8},
};
constinit const EditorPage* const kArrowList[] = {&kArrowParts[0], &kArrowParts[1],
                                                  &kArrowParts[2]};

}  // namespace

// The layout pages hold only their cells; a variant without the layout does
// not show its page, and so none of its cells.
constinit const EditorPage kDisplays1Page{
    .name = "tsDisplays1",
    .caption = {"Дисплеи х1", "Displays x 1"},
    .shown = [](const VariantFlags& f) { return f.VariantDisplays1; },
    .addSettings = AddDisplays1Settings,
};
constinit const EditorPage kDisplays4Page{
    .name = "tsDisplays4",
    .caption = {"Дисплеи х4", "Displays x 4"},
    .addSettings = AddDisplays4Settings,
    .pages = kDisplays4List,
};
constinit const EditorPage kDisplays9Page{
    .name = "tsDisplays9",
    .caption = {"Дисплеи х9", "Displays x 9"},
    .addSettings = AddDisplays9Settings,
};
// x1, x3 and x7 share one table, and a device edits only one of them: the x7
// page gives way to the x1 or the x3 page where the variant shows one.
constinit const EditorPage kDisplays7Page{
    .name = "tsDisplays7",
    .caption = {"Дисплеи х7", "Displays x 7"},
    .shown = [](const VariantFlags& f) { return !f.VariantDisplays1 && !f.VariantDisplays3; },
    .addSettings = AddDisplays7Settings,
    .pages = kDisplays7List,
};
constinit const EditorPage kDisplays3Page{
    .name = "tsDisplays3",
    .caption = {"Дисплеи х3", "Displays x 3"},
    .shown = [](const VariantFlags& f) { return f.VariantDisplays3; },
    .addSettings = AddDisplays3Settings,
};
constinit const EditorPage kGraphDisplaysPage{
    .name = "tsGraphDisplays",
    .caption = {"Граф. дисплеи", "Graph.Displays"},
    .addSettings = AddGraphDisplaysSettings,
    .pages = kGraphList,
};
constinit const EditorPage kArrowDisplaysPage{
    .name = "tsArrowDisplays",
    .caption = {"Стрел. дисплеи", "Arrow Dispalys"},
    .addSettings = AddArrowDisplaysSettings,
    .pages = kArrowList,
};
// "Displays x " is the English caption the editor has always shown.
constinit const EditorPage kDisplays6Page{
    .name = "tsDisplays6",
    .caption = {"Дисплей х6", "Displays x "},
    .addSettings = AddDisplays6Settings,
};
constinit const EditorPage kInfoPanelPage{
    .name = "tsInfoPanel",
    .caption = {"Доп.панель", "Info.panel"},
    .shown = [](const VariantFlags& f) { return f.VariantInfoPanel; },
    .addSettings = AddInfoPanelSettings,
};

}  // namespace tc
