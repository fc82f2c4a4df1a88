// SPDX-License-Identifier: GPL-3.0-or-later
// Colour roles, screen kinds, the dispatcher and the painters' text helpers.
#include <algorithm>

#include "model/preview.h"
#include "model/preview_draw.h"
#include "model/settings_layout.h"
#include "model/tmk.h"
#include "util/cp1251.h"
#include "util/errors.h"

namespace tc {

uint16_t SchemeColour(const TMK& mk, int scheme, int role) {
  if (scheme < 0 || scheme > 1 || role < 0 || role >= kColourRoleCount) throw RangeError();
  const int index = int(mk.GetInt(layout::kSchemeRoles(scheme, role)) & 0x0F);
  return uint16_t(mk.GetInt(layout::kSchemePalette(scheme, index)));
}

namespace {
struct ScreenInfo {
  PreviewScreen screen;
  const char* name;
  int displays;
};
constexpr ScreenInfo kScreens[] = {
    {PreviewScreen::X1, "x1", 4},       {PreviewScreen::X3, "x3", 3},
    {PreviewScreen::X4, "x4", 6},       {PreviewScreen::X6, "x6", 2},
    {PreviewScreen::X7, "x7", 4},       {PreviewScreen::X9, "x9", 3},
    {PreviewScreen::Graph, "graph", 8}, {PreviewScreen::Arrow, "arrow", 8},
    {PreviewScreen::Menu, "menu", 1},   {PreviewScreen::Info, "info", 1},
};
const ScreenInfo& Info(PreviewScreen screen) {
  for (const auto& i : kScreens)
    if (i.screen == screen) return i;
  throw RangeError();
}
}  // namespace

std::optional<PreviewScreen> PreviewScreenByName(const std::string& name) {
  for (const auto& i : kScreens)
    if (name == i.name) return i.screen;
  return std::nullopt;
}

const char* PreviewScreenName(PreviewScreen screen) {
  return Info(screen).name;
}
int PreviewDisplayCount(PreviewScreen screen) {
  return Info(screen).displays;
}
int PreviewWidth(PreviewScreen screen) {
  return screen == PreviewScreen::Info ? 80 : kScreenWidth;
}

void PaintPreview(PreviewSurface& s, PreviewScreen screen, const PreviewInput& in, int display) {
  if (display < 0 || display >= PreviewDisplayCount(screen) || in.scheme < 0 || in.scheme > 1)
    throw RangeError();
  switch (screen) {
    case PreviewScreen::X1:
      return PaintX1(s, in, display);
    case PreviewScreen::X3:
      return PaintX3(s, in, display);
    case PreviewScreen::X4:
      return PaintX4(s, in, display);
    case PreviewScreen::X6:
      return PaintX6(s, in, display);
    case PreviewScreen::X7:
      return PaintX7(s, in, display);
    case PreviewScreen::X9:
      return PaintX9(s, in, display);
    case PreviewScreen::Graph:
      return PaintGraph(s, in, display);
    case PreviewScreen::Arrow:
      return PaintArrow(s, in, display);
    case PreviewScreen::Menu:
      return PaintMenu(s, in);
    case PreviewScreen::Info:
      return PaintInfoPanel(s, in);
  }
}

namespace preview {

uint16_t Role(const PreviewInput& in, int role) {
  return SchemeColour(in.mk, in.scheme, role);
}

void Fill(PreviewSurface& s, int x, int y, int w, int h, uint16_t colour) {
  s.SetOrigin(x, y);
  s.SetBackground(colour);
  s.FillRect(w, h);
}

int TextLength(const std::string& utf8) {
  return int(Utf8ToCp1251(utf8).size());
}

int Text(PreviewSurface& s, int x, int y, int font, const std::string& utf8, uint16_t fg,
         uint16_t bg) {
  const std::string cp = Utf8ToCp1251(utf8);
  s.SelectFont(font);
  s.SetColours(fg, bg);
  s.SetOrigin(x, y);
  s.TextOut(0, 0, cp);
  return s.TextColumn() * s.Font().width;
}

void TextCentred(PreviewSurface& s, int x, int w, int y, int font, const std::string& utf8,
                 uint16_t fg, uint16_t bg) {
  std::string cp = Utf8ToCp1251(utf8);
  const int cell = PreviewFont(font).width;
  if (int(cp.size()) * cell > w) cp.resize(std::max(0, w / cell));
  s.SelectFont(font);
  s.SetColours(fg, bg);
  s.SetOrigin(x + CentreOffset(w, int(cp.size()), cell), y);
  s.TextOut(0, 0, cp);
}

void TextRight(PreviewSurface& s, int xRight, int y, int font, const std::string& utf8, uint16_t fg,
               uint16_t bg) {
  const int n = TextLength(utf8);
  Text(s, xRight - n * PreviewFont(font).width, y, font, utf8, fg, bg);
}

int FitFont(const std::string& utf8, int width, int bigFont, int smallFont) {
  return TextLength(utf8) * PreviewFont(bigFont).width <= width ? bigFont : smallFont;
}

std::string Trimmed(const std::string& text) {
  const size_t a = text.find_first_not_of(' ');
  if (a == std::string::npos) return {};
  return text.substr(a, text.find_last_not_of(' ') - a + 1);
}

const TMeasParBase* CellParam(const PreviewInput& in, int code) {
  if (code <= 0 || code > 255) return nullptr;
  TMeasParBase* p = FindMeasPar(in.params, uint8_t(code));
  if (p) p->PrepareData();
  return p;
}

int CellCode(const PreviewInput& in, const FieldRef& cell) {
  return int(in.mk.GetInt(cell));
}

}  // namespace preview
}  // namespace tc
