// SPDX-License-Identifier: GPL-3.0-or-later
// The digital screens: one value (two forms), three, four (two types), six,
// seven and nine values.
#include <algorithm>

#include "model/preview.h"
#include "model/preview_draw.h"
#include "model/settings_layout.h"
#include "model/tmk.h"

namespace tc {

using namespace preview;

namespace {

// Parameter code of cell c of display d.
int X4Code(const PreviewInput& in, int d, int c) {
  return CellCode(in, layout::kX4Cells(d, c));
}
int X9Code(const PreviewInput& in, int d, int c) {
  return CellCode(in, layout::kX9Cells(d, c));
}
int X7Code(const PreviewInput& in, int d, int c) {
  return CellCode(in, layout::kX7Cells(d, c));
}
int X6Code(const PreviewInput& in, int d, int c) {
  return CellCode(in, layout::kX6Cells(d, c));
}

struct Palette {
  uint16_t text, back, text2, back2, frame, panel;
  explicit Palette(const PreviewInput& in)
      : text(Role(in, crDigitColor1)),
        back(Role(in, crDigitBack1)),
        text2(Role(in, crDigitColor2)),
        back2(Role(in, crDigitBack2)),
        frame(Role(in, crDigitFrame)),
        panel(Role(in, crDigitBottomPanel)) {}
};

struct Rect {
  int x, y, w, h;
};

std::string Value(const TMeasParBase* p) {
  return p ? Trimmed(p->SampleText) : std::string();
}

// Frame lines between cells, two pixels wide.
void FrameH(PreviewSurface& s, const Palette& pal, int x1, int x2, int y) {
  s.SetOrigin(0, 0);
  s.SetForeground(pal.frame);
  s.SetThickness(2);
  s.ThickHLine(x1, x2, y);
}
void FrameV(PreviewSurface& s, const Palette& pal, int x, int y1, int y2) {
  s.SetOrigin(0, 0);
  s.SetForeground(pal.frame);
  s.SetThickness(2);
  s.ThickVLine(x, y1, y2);
}

// A cell with a name above the value and a unit below. The second style
// puts the name on a band of the second background.
void NameValueUnitCell(PreviewSurface& s, const Palette& pal, const Rect& r,
                       const std::string& name, const std::string& value, const std::string& unit,
                       int valueFont, bool banded) {
  Fill(s, r.x, r.y, r.w, r.h, pal.back);
  // A value is never cut: one too wide for its figures takes smaller ones.
  while (valueFont > 1 && TextLength(value) * PreviewFont(valueFont).width > r.w) --valueFont;
  const int vh = PreviewFont(valueFont).height;
  if (banded) {
    Fill(s, r.x, r.y, r.w, 20, pal.back2);
    TextCentred(s, r.x, r.w, r.y + 2, 1, name, pal.text2, pal.back2);
    const int unitFont = r.h >= 110 ? FitFont(unit, r.w - 4, 2, 1) : 1;
    const int uh = PreviewFont(unitFont).height;
    const int free = r.h - 20 - vh - uh;
    const int vy = r.y + 20 + free / 2;
    TextCentred(s, r.x, r.w, vy, valueFont, value, pal.text, pal.back);
    TextCentred(s, r.x, r.w, r.y + r.h - uh - 2, unitFont, unit, pal.text2, pal.back);
    return;
  }
  const int nameFont = FitFont(name, r.w - 4, r.h >= 110 ? 2 : 1, 1);
  const int nh = PreviewFont(nameFont).height;
  // The unit takes the name's size where the cell has room for both.
  const int unitFont = nh + vh + 32 + 8 <= r.h ? FitFont(unit, r.w - 4, 2, 1) : 1;
  const int uh = PreviewFont(unitFont).height;
  const int gap = std::max(0, (r.h - nh - vh - uh) / 4);
  TextCentred(s, r.x, r.w, r.y + gap, nameFont, name, pal.text2, pal.back);
  TextCentred(s, r.x, r.w, r.y + 2 * gap + nh, valueFont, value, pal.text, pal.back);
  TextCentred(s, r.x, r.w, r.y + 3 * gap + nh + vh, unitFont, unit, pal.text2, pal.back);
}

// One row of the seven-value screen: caption on the left, value on the right.
// Room left for a row's caption beside its value.
int CaptionRoom(const Rect& r, const TMeasParBase& p) {
  return std::max(0, r.w - TextLength(Value(&p)) * 16 - 20);
}

// The caption font of a set of rows: the large one when every caption fits,
// so the rows of one screen never mix sizes.
int RowCaptionFont(const PreviewInput& in, const Rect& r, const TMeasParBase* const* rows, int n) {
  for (int i = 0; i < n; ++i)
    if (rows[i] && FitFont(Tr(in, rows[i]->ColumnCaption), CaptionRoom(r, *rows[i]), 2, 1) == 1)
      return 1;
  return 2;
}

// One row of the seven-value screen: caption on the left, value on the right.
void CaptionValueRow(PreviewSurface& s, const Palette& pal, const Rect& r, const TMeasParBase* p,
                     const PreviewInput& in, int capFont) {
  Fill(s, r.x, r.y, r.w, r.h, pal.back);
  if (!p) return;
  const std::string caption = Tr(in, p->ColumnCaption);
  const BitmapFont& f = PreviewFont(capFont);
  const int width = std::min(TextLength(caption) * f.width, CaptionRoom(r, *p));
  TextCentred(s, r.x + 6, width, r.y + (r.h - f.height) / 2, capFont, caption, pal.text2, pal.back);
  TextRight(s, r.x + r.w - 6, r.y + (r.h - 32) / 2, 2, Value(p), pal.text, pal.back);
}

// The min-max bar of the one-value screen.
void Bar(PreviewSurface& s, const Palette& pal, const Rect& r, const TMeasParBase& p) {
  const int textW = 8 * std::max<int>({TextLength(p.MinText), TextLength(p.MaxText), 1});
  Text(s, r.x, r.y + (r.h - 16) / 2, 1, p.MinText, pal.text2, pal.back);
  TextRight(s, r.x + r.w, r.y + (r.h - 16) / 2, 1, p.MaxText, pal.text2, pal.back);
  const int bx = r.x + textW + 8, bw = r.w - 2 * (textW + 8);
  s.SetOrigin(0, 0);
  s.SetForeground(pal.frame);
  s.HLine(bx, bx + bw - 1, r.y);
  s.HLine(bx, bx + bw - 1, r.y + r.h - 1);
  s.VLine(bx, r.y, r.y + r.h - 1);
  s.VLine(bx + bw - 1, r.y, r.y + r.h - 1);
  const int fill = int((bw - 6) * p.BarFill() + 0.5);
  Fill(s, bx + 3, r.y + 3, fill, r.h - 6, pal.text);
  // Scale marks at the quarters, under the bar.
  s.SetOrigin(0, 0);
  s.SetForeground(pal.frame);
  for (int i = 0; i <= 4; ++i) s.VLine(bx + (bw - 1) * i / 4, r.y + r.h, r.y + r.h + 3);
}

// Names of the four parameters an x1 display cycles through, on the bottom
// panel; the one shown is highlighted.
void X1Tabs(PreviewSurface& s, const Palette& pal, const PreviewInput& in, int display, int y) {
  Fill(s, 0, y, kScreenWidth, kScreenHeight - y, pal.panel);
  for (int c = 0; c < 4; ++c) {
    const TMeasParBase* p = CellParam(in, X7Code(in, display, c));
    const Rect r{c * 80, y + 4, 80, kScreenHeight - y - 4};
    const uint16_t bg = c == 0 ? pal.back2 : pal.panel;
    if (c == 0) Fill(s, r.x + 2, r.y, r.w - 4, r.h - 4, bg);
    if (p)
      TextCentred(s, r.x + 2, r.w - 4, r.y + (r.h - 4 - 16) / 2, 1, Tr(in, p->QuadName),
                  c == 0 ? pal.text2 : pal.text, bg);
    if (c > 0) {
      s.SetOrigin(0, 0);
      s.SetForeground(pal.frame);
      s.VLine(r.x, r.y + 4, r.y + r.h - 8);
    }
  }
}

// The boat form's temperature caption for the parameter shown on its scale.
const char* BoatTemperCaption(int code, bool english) {
  switch (code) {
    case 17:
      return english ? "Tct" : "Tож";
    case 86:
      return english ? "Ten" : "Tдв";
    case 38:
      return english ? "Tol" : "Tм";
    case 87:
      return english ? "Twt" : "Tв";
    case 88:
      return english ? "Tcl" : "Tц";
  }
  return nullptr;
}

// Vertical position of a pointer along a 105-pixel scale strip for a fill
// of 0..1 (bottom to top); the strip's ticks run from row 3 to row 102.
int ScalePointerY(int scaleY, double fill) {
  return scaleY + 3 + int((1.0 - std::clamp(fill, 0.0, 1.0)) * 99 + 0.5) - 8;
}

void PaintX1Boat(PreviewSurface& s, const PreviewInput& in, int display, const Palette& pal) {
  const TMeasParBase* main = CellParam(in, X7Code(in, display, 0));
  // Big value between the two scale columns.
  TextCentred(s, 60, 200, 6, 4, Value(main), pal.text, pal.back);
  if (main) TextCentred(s, 60, 200, 90, 1, Tr(in, main->Caption1), pal.text2, pal.back);

  // Left column: the temperature scale of the first temperature among the
  // display's parameters.
  int temperCode = 86;
  for (int c = 0; c < 4; ++c)
    if (BoatTemperCaption(X7Code(in, display, c), true)) {
      temperCode = X7Code(in, display, c);
      break;
    }
  const TMeasParBase* temper = CellParam(in, temperCode);
  TextCentred(s, 0, 60, 4, 2, BoatTemperCaption(temperCode, in.english), pal.text2, pal.back);
  s.SetOrigin(0, 0);
  s.SetForeground(pal.text);
  s.StampPicture(PictureId::BoatScaleT, 2, 44);
  s.SetForeground(pal.text2);
  s.StampPicture(PictureId::BoatT, 16, ScalePointerY(44, temper ? temper->BarFill() : 0.5));

  // Right column: the trim scale under the motor.
  const TMeasParBase* trim = CellParam(in, 91);
  s.SetOrigin(0, 0);
  s.SetForeground(pal.text2);
  s.StampPicture(PictureId::BoatMotor, 283, 0);
  s.SetForeground(pal.text);
  s.StampPicture(PictureId::BoatScaleC, 285, 54);
  s.SetForeground(pal.text2);
  s.StampPicture(PictureId::BoatC, 263, ScalePointerY(54, trim ? trim->BarFill() : 0.5));

  // Fuel and battery between the columns, the clock under them.
  s.SetOrigin(0, 0);
  s.SetForeground(pal.text2);
  s.StampPicture(PictureId::GasStation, 68, 112);
  Text(s, 100, 112, 2, in.english ? "3l" : "3л", pal.text, pal.back);
  Text(s, 100, 140, 1, in.english ? "20km" : "20км", pal.text, pal.back);
  s.SetOrigin(0, 0);
  s.SetForeground(pal.text2);
  s.StampPicture(PictureId::Acc, 172, 112);
  TextCentred(s, 172, 79, 112 + 7 + (34 - 16) / 2, 1, "12.3V", pal.text, pal.back);
  TextCentred(s, 60, 200, 168, 2, "15:12", pal.text, pal.back);
}

}  // namespace

void PaintX1(PreviewSurface& s, const PreviewInput& in, int display) {
  const Palette pal(in);
  s.SetOrigin(0, 0);
  s.ClearSurface(pal.back);
  if (in.secondForm) {
    PaintX1Boat(s, in, display, pal);
  } else {
    const TMeasParBase* p = CellParam(in, X7Code(in, display, 0));
    // Upper half: the value in the largest figures.
    TextCentred(s, 0, kScreenWidth, CentreOffset(120, 1, 80), 4, Value(p), pal.text, pal.back);
    if (p) {
      const std::string caption = Tr(in, p->Caption1);
      TextCentred(s, 0, kScreenWidth, 122, FitFont(caption, kScreenWidth, 2, 1), caption, pal.text2,
                  pal.back);
      if (p->HasBar) Bar(s, pal, {8, 162, kScreenWidth - 16, 20}, *p);
    }
  }
  X1Tabs(s, pal, in, display, 204);
}

void PaintX3(PreviewSurface& s, const PreviewInput& in, int display) {
  const Palette pal(in);
  s.SetOrigin(0, 0);
  s.ClearSurface(pal.back);
  // Rows of the shared x7 table; the large cell takes the first five rows.
  const int rowH = kScreenHeight / 7;
  const TMeasParBase* p = CellParam(in, X7Code(in, display, 0));
  const Rect big{0, 0, kScreenWidth, 5 * rowH};
  if (p) {
    const std::string caption = Tr(in, p->Caption1);
    TextCentred(s, 0, big.w, 12, FitFont(caption, big.w, 2, 1), caption, pal.text2, pal.back);
  }
  TextCentred(s, 0, big.w, 56, 4, Value(p), pal.text, pal.back);
  const TMeasParBase* rows[2] = {CellParam(in, X7Code(in, display, 1)),
                                 CellParam(in, X7Code(in, display, 2))};
  const int capFont = RowCaptionFont(in, {0, 0, kScreenWidth, rowH}, rows, 2);
  for (int c = 1; c <= 2; ++c) {
    const Rect r{0, (4 + c) * rowH + 1, kScreenWidth, rowH - 1};
    CaptionValueRow(s, pal, r, rows[c - 1], in, capFont);
    FrameH(s, pal, 0, kScreenWidth - 1, (4 + c) * rowH);
  }
}

void PaintX4(PreviewSurface& s, const PreviewInput& in, int display) {
  const Palette pal(in);
  s.SetOrigin(0, 0);
  s.ClearSurface(pal.back);
  for (int c = 0; c < 4; ++c) {
    const Rect r{(c % 2) * 160, (c / 2) * 120, 160, 120};
    const TMeasParBase* p = CellParam(in, X4Code(in, display, c));
    NameValueUnitCell(s, pal, r, p ? Tr(in, p->QuadName) : "", Value(p),
                      p ? Tr(in, p->QuadUnit) : "", 3, in.secondForm);
  }
  FrameV(s, pal, 160, 0, kScreenHeight - 1);
  FrameH(s, pal, 0, kScreenWidth - 1, 120);
}

namespace {
// Columns of the three-column screens: 0, 106, 213, 320.
int Col(int i) {
  return i * kScreenWidth / 3;
}
}  // namespace

void PaintX9(PreviewSurface& s, const PreviewInput& in, int display) {
  const Palette pal(in);
  s.SetOrigin(0, 0);
  s.ClearSurface(pal.back);
  for (int c = 0; c < 9; ++c) {
    const Rect r{Col(c % 3), (c / 3) * 80, Col(c % 3 + 1) - Col(c % 3), 80};
    const TMeasParBase* p = CellParam(in, X9Code(in, display, c));
    NameValueUnitCell(s, pal, r, p ? Tr(in, p->GridName) : "", Value(p),
                      p ? Tr(in, p->GridUnit) : "", 2, in.secondForm);
  }
  for (int i = 1; i < 3; ++i) {
    FrameV(s, pal, Col(i), 0, kScreenHeight - 1);
    FrameH(s, pal, 0, kScreenWidth - 1, i * 80);
  }
}

void PaintX6(PreviewSurface& s, const PreviewInput& in, int display) {
  const Palette pal(in);
  s.SetOrigin(0, 0);
  s.ClearSurface(pal.back);
  // Cell 0 is the large upper-left area; 1 and 2 the right column, 3..5 the
  // bottom row.
  const Rect cells[6] = {{0, 0, Col(2), 160},
                         {Col(2), 0, Col(3) - Col(2), 80},
                         {Col(2), 80, Col(3) - Col(2), 80},
                         {Col(0), 160, Col(1), 80},
                         {Col(1), 160, Col(2) - Col(1), 80},
                         {Col(2), 160, Col(3) - Col(2), 80}};
  for (int c = 0; c < 6; ++c) {
    const Rect& r = cells[c];
    const TMeasParBase* p = CellParam(in, X6Code(in, display, c));
    NameValueUnitCell(s, pal, r, p ? Tr(in, p->GridName) : "", Value(p),
                      p ? Tr(in, p->GridUnit) : "", c == 0 ? 4 : 2, false);
  }
  FrameV(s, pal, Col(2), 0, kScreenHeight - 1);
  FrameH(s, pal, Col(2), kScreenWidth - 1, 80);
  FrameH(s, pal, 0, kScreenWidth - 1, 160);
  FrameV(s, pal, Col(1), 160, kScreenHeight - 1);
}

void PaintX7(PreviewSurface& s, const PreviewInput& in, int display) {
  const Palette pal(in);
  s.SetOrigin(0, 0);
  s.ClearSurface(pal.back);
  const int rowH = kScreenHeight / 7;
  const TMeasParBase* rows[7];
  for (int c = 0; c < 7; ++c) rows[c] = CellParam(in, X7Code(in, display, c));
  const int capFont = RowCaptionFont(in, {0, 0, kScreenWidth, rowH}, rows, 7);
  for (int c = 0; c < 7; ++c) {
    const Rect r{0, c * rowH + 1, kScreenWidth, rowH - 1};
    CaptionValueRow(s, pal, r, rows[c], in, capFont);
    if (c > 0) FrameH(s, pal, 0, kScreenWidth - 1, c * rowH);
  }
}

}  // namespace tc
