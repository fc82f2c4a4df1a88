// SPDX-License-Identifier: GPL-3.0-or-later
// The needle-gauge (arrow) and graph screens.
#include <algorithm>
#include <cmath>
#include <string>

#include "model/preview.h"
#include "model/preview_draw.h"
#include "model/settings_layout.h"
#include "model/tmk.h"

namespace tc {

using namespace preview;

namespace {

constexpr double kPi = 3.14159265358979323846;

// Gauge geometry; the scale strips are drawn for these centres and sweeps
// (tools/gen_preview_pictures.py).
struct Dial {
  int cx, cy;          // centre on the screen
  int dialX, dialY;    // where Circle99 goes
  int scaleX, scaleY;  // where the scale strip goes
  PictureId scale;
  double angleMin, angleMax;  // degrees clockwise from 12 o'clock
  int labelRadius;
};
// Left: a dial cut by the screen's left edge, its scale rising from the
// bottom to the top. Right: a full dial with a 270 degree scale.
constexpr Dial kLeft{19, 120, 19 - 99, 120 - 99, 19 + 4, 120 - 68, PictureId::ScaleL, 148, 32, 54};
constexpr Dial kRight{220,  120, 220 - 99, 120 - 99, 220 - 74, 120 - 74, PictureId::ScaleR,
                      -135, 135, 48};

double GaugeFill(const TMeasParBase& p) {
  // The sample against the gauge's own scale (whole display units).
  const double value = p.SampleValue / std::pow(10.0, p.Decimals);
  const double span = double(p.GaugeMax) - p.GaugeMin;
  if (span <= 0) return 0;
  return std::clamp((value - p.GaugeMin) / span, 0.0, 1.0);
}

void PaintDial(PreviewSurface& s, const PreviewInput& in, const Dial& d, const TMeasParBase* p,
               bool left) {
  const uint16_t face = Role(in, left ? crArrowLeftDial : crArrowRightDial);
  const uint16_t scale = Role(in, left ? crArrowLeftScale : crArrowRightScale);
  const uint16_t needle = Role(in, left ? crArrowLeftNeedle : crArrowRightNeedle);
  s.SetOrigin(0, 0);
  s.SetForeground(face);
  s.StampPicture(PictureId::Circle99, d.dialX, d.dialY);
  s.SetForeground(scale);
  s.StampPicture(d.scale, d.scaleX, d.scaleY);
  if (!p) return;

  // The five scale labels, inside the arc at the major ticks.
  const auto labels = p->GaugeLabels();
  const uint16_t labelColour = p->AltScale ? Role(in, crArrowHighExpScale) : scale;
  for (int i = 0; i < 5; ++i) {
    const double a = (d.angleMin + (d.angleMax - d.angleMin) * i / 4) * kPi / 180;
    const int lx = d.cx + int(std::lround(d.labelRadius * std::sin(a)));
    const int ly = d.cy - int(std::lround(d.labelRadius * std::cos(a)));
    const std::string text = std::to_string(labels[i]);
    const int w = TextLength(text) * 8;
    Text(s, lx - w / 2, ly - 8, 1, text, labelColour, face);
  }
  if (p->GaugeMarker) {
    // A marker on the scale at three quarters, where high readings begin.
    const double a = (d.angleMin + (d.angleMax - d.angleMin) * 0.75) * kPi / 180;
    const int r = d.labelRadius + 20;
    s.SetOrigin(0, 0);
    s.SetForeground(Role(in, crArrowHighExpScale));
    s.StampPicture(PictureId::Circle9, d.cx + int(std::lround(r * std::sin(a))) - 4,
                   d.cy - int(std::lround(r * std::cos(a))) - 4);
  }
  s.SetOrigin(0, 0);
  s.SetForeground(needle);
  const double angle = d.angleMin + (d.angleMax - d.angleMin) * GaugeFill(*p);
  s.StampPictureRotated(GetPicture(PictureId::Arrow), 64, 64, d.cx, d.cy, angle);
}

}  // namespace

void PaintArrow(PreviewSurface& s, const PreviewInput& in, int display) {
  const uint16_t back = Role(in, crArrowScaleBack);
  const uint16_t title = Role(in, crArrowTitle), titleBack = Role(in, crArrowTitleBack);
  s.SetOrigin(0, 0);
  s.ClearSurface(back);
  const TMeasParBase* p[2] = {CellParam(in, CellCode(in, layout::kArrowCells(display, 0))),
                              CellParam(in, CellCode(in, layout::kArrowCells(display, 1)))};
  PaintDial(s, in, kLeft, p[0], true);
  PaintDial(s, in, kRight, p[1], false);

  // Names above and units below the dials, on the title strips.
  Fill(s, 0, 0, kScreenWidth, 19, titleBack);
  Fill(s, 0, 221, kScreenWidth, 19, titleBack);
  const int split = kScreenWidth - 200;
  for (int i = 0; i < 2; ++i) {
    if (!p[i]) continue;
    const int x = i == 0 ? 0 : split, w = i == 0 ? split : 200;
    TextCentred(s, x, w, 2, 1, Tr(in, p[i]->GaugeName), title, titleBack);
    TextCentred(s, x, w, 223, 1, Tr(in, p[i]->GaugeUnit), title, titleBack);
  }
}

namespace {

// A plausible recorded curve around the sample: two slow waves, kept inside
// the parameter's range. t runs 0..1 across the plot.
double CurveValue(const TMeasParBase& p, double t, int seed) {
  const double lo = p.MinValue, hi = p.MaxValue;
  if (hi <= lo) return lo;
  const double amp = (hi - lo) * 0.18;
  const double v = std::clamp<double>(p.SampleValue, lo, hi) +
                   amp * (std::sin(t * 2 * kPi * (1.3 + 0.4 * seed) + seed) * 0.7 +
                          std::sin(t * 2 * kPi * 4.1 + 2 * seed) * 0.3);
  return std::clamp(v, lo, hi);
}

void PaintGraphPanel(PreviewSurface& s, const PreviewInput& in, int y, int h, const TMeasParBase* p,
                     int curveRole, int seed) {
  const uint16_t axes = Role(in, crGraphAxes), back = Role(in, crGraphBack);
  const uint16_t titleBack = Role(in, crGraphTitleBack), curve = Role(in, curveRole);
  constexpr int kTitleH = 18, kPlotX = 44, kPlotR = 316;
  Fill(s, 0, y, kScreenWidth, kTitleH, titleBack);
  if (!p) return;
  Text(s, 4, y + 1, 1, Tr(in, p->GraphCaption), curve, titleBack);
  TextRight(s, kScreenWidth - 4, y + 1, 1, Trimmed(p->SampleText), curve, titleBack);

  const int top = y + kTitleH + 3, bottom = y + h - 4;
  TextRight(s, kPlotX - 4, top - 2, 1, p->MaxText, axes, back);
  TextRight(s, kPlotX - 4, bottom - 13, 1, p->MinText, axes, back);
  s.SetOrigin(0, 0);
  s.SetForeground(axes);
  s.VLine(kPlotX, top, bottom);
  s.HLine(kPlotX, kPlotR, bottom);
  // Dotted guide lines at the quarters.
  for (int q = 1; q <= 3; ++q) {
    const int gy = bottom - (bottom - top) * q / 4;
    for (int x = kPlotX + 4; x < kPlotR; x += 6) s.HLine(x, x + 1, gy);
  }
  s.SetThickness(2);
  const double lo = p->MinValue, hi = std::max<double>(p->MaxValue, lo + 1);
  int px = -1, py = 0;
  for (int x = kPlotX + 2; x <= kPlotR; x += 2) {
    const double v = CurveValue(*p, double(x - kPlotX) / (kPlotR - kPlotX), seed);
    const int cy = bottom - 2 - int(std::lround((v - lo) / (hi - lo) * (bottom - top - 4)));
    s.SetForeground(curve);
    if (px >= 0) s.Line(px, py, x, cy);
    px = x, py = cy;
  }
  s.SetThickness(1);
}

}  // namespace

void PaintGraph(PreviewSurface& s, const PreviewInput& in, int display) {
  const uint16_t axes = Role(in, crGraphAxes), back = Role(in, crGraphBack);
  s.SetOrigin(0, 0);
  s.ClearSurface(back);
  PaintGraphPanel(s, in, 0, 90, CellParam(in, CellCode(in, layout::kGraphCells(display, 0))),
                  crGraph1, 0);
  PaintGraphPanel(s, in, 90, 90, CellParam(in, CellCode(in, layout::kGraphCells(display, 1))),
                  crGraph2, 1);
  // The time axis under both curves.
  s.SetOrigin(0, 0);
  s.SetForeground(axes);
  s.SetThickness(2);
  s.ThickHLine(44, 316, 186);
  s.SetThickness(1);
  const char* times[3] = {"15:25:00", "15:25:30", "15:26:00"};
  const int ticks[3] = {44, 180, 316};
  for (int i = 0; i < 3; ++i) {
    s.SetOrigin(0, 0);
    s.SetForeground(axes);
    s.VLine(ticks[i], 182, 192);
    const int x = std::clamp(ticks[i] - 32, 0, kScreenWidth - 64);
    Text(s, x, 196, 1, times[i], axes, back);
  }
}

}  // namespace tc
