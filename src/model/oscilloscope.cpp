// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/oscilloscope.h"

#include <algorithm>

#include "model/plot_font.h"
#include "model/tmk.h"
#include "util/errors.h"

namespace tc {

namespace {

const char* const kTimeBaseLabels[kTimeBaseCount] = {"0.5", "  1", "  2", "  5", " 10",
                                                     " 20", " 50", "100", "200", "500"};
constexpr int kTimeBaseDivisors[kTimeBaseCount] = {2000, 1000, 500, 200, 100, 50, 20, 10, 5, 2};
// Volts per division at 1:1, in tenths, so the plot maths stays exact.
constexpr int kVoltsTenths[kVoltsPerDivCount] = {2, 5, 10};
constexpr int kGains[kVoltsPerDivCount] = {1, 2, 4};
const char* const kDividerNames[kDividerCount] = {"  1:1", " 1:10", "1:100"};
constexpr int kDividerMultipliers[kDividerCount] = {1, 10, 100};
const char* const kVoltsLabels[kDividerCount][kVoltsPerDivCount] = {
    {"0.2", "0.5", "  1"}, {"  2", "  5", " 10"}, {" 20", " 50", "100"}};

const TextPair kVoltsUnit{"В/д", "V/div"};
const TextPair kTimeBaseUnit{"мс/д", "ms/div"};
const TextPair kMsUnit{"мс", "ms"};
const TextPair kVoltUnit{"В", "V"};

void CheckIndex(int index, int count, const char* what) {
  if (index < 0 || index >= count)
    throw RangeError("Range check error: " + std::string(what) + " index " + std::to_string(index) +
                     " is outside 0-" + std::to_string(count - 1));
}

// num / den rounded to the nearest integer, halves to the even neighbour.
int64_t RoundDiv(int64_t num, int64_t den) {
  if (den < 0) num = -num, den = -den;
  int64_t q = num / den, r = num % den;
  if (r < 0) --q, r += den;  // floor division
  if (2 * r > den || (2 * r == den && (q & 1))) ++q;
  return q;
}

}  // namespace

// --- Records -------------------------------------------------------------------------

OscHeader ParseOscHeader(std::span<const uint8_t> b) {
  if (b.size() < kOscHeaderSize) throw RangeError("Range check error: short oscilloscope header");
  OscHeader h;
  h.timeBase = b[0];
  h.triggerLevel = int16_t(uint16_t(b[4] | b[5] << 8));
  h.voltsPerDiv = b[6];
  h.divider = b[7];
  return h;
}

OscTrace ReadOscTrace(const TMK& mk) {
  OscTrace t;
  t.view = ParseOscHeader(mk.OscRecords[0]);
  t.recording = ParseOscHeader(mk.OscRecords[1]);
  for (int r = 0; r < 2; ++r)
    std::copy_n(mk.OscRecords[size_t(r)].begin() + kOscHeaderSize, kOscSamples / 2,
                t.samples.begin() + r * (kOscSamples / 2));
  return t;
}

void SetOscViewTimeBase(TMK& mk, int index) {
  CheckIndex(index, kTimeBaseCount, "time-base");
  mk.OscRecords[0][0] = uint8_t(index);
}

// --- Tables ----------------------------------------------------------------------------

std::string TimeBaseLabel(int index) {
  CheckIndex(index, kTimeBaseCount, "time-base");
  return kTimeBaseLabels[index];
}

int TimeBaseDivisor(int index) {
  CheckIndex(index, kTimeBaseCount, "time-base");
  return kTimeBaseDivisors[index];
}

double VoltsPerDivision(int index) {
  CheckIndex(index, kVoltsPerDivCount, "volts-per-division");
  return kVoltsTenths[index] / 10.0;
}

int InputGain(int index) {
  CheckIndex(index, kVoltsPerDivCount, "volts-per-division");
  return kGains[index];
}

std::string DividerName(int index) {
  CheckIndex(index, kDividerCount, "input divider");
  return kDividerNames[index];
}

double DividerFactor(int index) {
  CheckIndex(index, kDividerCount, "input divider");
  return 1.0 / kDividerMultipliers[index];
}

std::string VoltsPerDivisionLabel(int divider, int voltsPerDiv) {
  CheckIndex(divider, kDividerCount, "input divider");
  CheckIndex(voltsPerDiv, kVoltsPerDivCount, "volts-per-division");
  return kVoltsLabels[divider][voltsPerDiv];
}

void CheckOscTrace(const OscTrace& t) {
  CheckIndex(t.view.timeBase, kTimeBaseCount, "view time-base");
  CheckIndex(t.recording.timeBase, kTimeBaseCount, "recording time-base");
  CheckIndex(t.view.voltsPerDiv, kVoltsPerDivCount, "view volts-per-division");
  CheckIndex(t.recording.divider, kDividerCount, "recording input divider");
}

// --- Maths -----------------------------------------------------------------------------

double OscZoom(const OscTrace& t) {
  return double(TimeBaseDivisor(t.view.timeBase)) / TimeBaseDivisor(t.recording.timeBase);
}

int OscSampleY(uint8_t sample, int voltsPerDiv) {
  // y = 256 - s * 256 / Q with Q = V / G / k and k = 3 / 2480. With V in
  // tenths that is 256 - s * 96 * G / (31 * V10), done in integers so a half
  // always rounds the same way.
  CheckIndex(voltsPerDiv, kVoltsPerDivCount, "volts-per-division");
  return kOscBaseline -
         int(RoundDiv(int64_t(sample) * 96 * kGains[voltsPerDiv], 31 * kVoltsTenths[voltsPerDiv]));
}

int OscTriggerLevelY(const OscTrace& t) {
  // 256 - L * 256 / V / 80 = 256 - L * 32 / V10.
  CheckIndex(t.view.voltsPerDiv, kVoltsPerDivCount, "view volts-per-division");
  return kOscBaseline -
         int(RoundDiv(int64_t(t.view.triggerLevel) * 32, kVoltsTenths[t.view.voltsPerDiv]));
}

int OscSampleX(int i, int n, const OscTrace& t) {
  // round((i - 32 - n) * Tv / Tr + 64)
  const int64_t tv = TimeBaseDivisor(t.view.timeBase), tr = TimeBaseDivisor(t.recording.timeBase);
  return int(RoundDiv((int64_t(i) - 32 - n) * tv + 64 * tr, tr));
}

int OscTriggerTimeX(int n, const OscTrace& t) {
  const int64_t tv = TimeBaseDivisor(t.view.timeBase), tr = TimeBaseDivisor(t.recording.timeBase);
  return int(RoundDiv(64 * tr - int64_t(n) * tv, tr));
}

std::string OscTriggerLevelText(const OscTrace& t, char decimalSeparator) {
  CheckIndex(t.recording.divider, kDividerCount, "recording input divider");
  const double volts = t.recording.triggerLevel / 10.0 * kDividerMultipliers[t.recording.divider];
  return FixedText(volts, 1, decimalSeparator);
}

std::string OscTimeOffsetText(int n, const OscTrace& t, char decimalSeparator) {
  // One division is 32 samples at the recording's time base, and the divisor
  // T stands for 1000 / T ms per division: a sample lasts 31.25 / T ms.
  // (The formula handed down, 312.5 / T, shows ten times the real time.)
  const double ms = n * 31.25 / TimeBaseDivisor(t.recording.timeBase);
  return FixedText(ms, 1, decimalSeparator);
}

OscPlotTexts MakeOscPlotTexts(const OscTrace& t, int n, const CellFormat& fmt) {
  CheckOscTrace(t);
  const bool en = fmt.english;
  return {VoltsPerDivisionLabel(t.recording.divider, t.view.voltsPerDiv) + kVoltsUnit.Get(en),
          TimeBaseLabel(t.view.timeBase) + kTimeBaseUnit.Get(en),
          OscTimeOffsetText(n, t, fmt.decimalSeparator) + kMsUnit.Get(en),
          OscTriggerLevelText(t, fmt.decimalSeparator) + kVoltUnit.Get(en)};
}

// --- Drawing -----------------------------------------------------------------------------

RgbImage DrawOscPlot(const OscTrace& t, int n, int width, int height, const CellFormat& fmt) {
  using namespace osc_colours;
  const OscPlotTexts texts = MakeOscPlotTexts(t, n, fmt);  // checks every index first
  RgbImage img(width, height);
  const int w = width;

  for (int j = 0; j <= 8; ++j)
    img.Line(0, kOscBaseline - kOscDivision * j, w, kOscBaseline - kOscDivision * j, kGrid);
  img.Line(0, 257, w, 257, kGrid);
  img.Line(0, -1, w, -1, kGrid);
  for (int j = 0; j <= w / kOscDivision; ++j)
    img.Line(kOscDivision * j, 0, kOscDivision * j, kOscBaseline, kGrid);

  // The font's cell carries two rows of leading above the glyphs.
  const int textY = kOscTextLine + 2;
  DrawPlotText(img, 10, textY, texts.voltsPerDiv, kText);
  DrawPlotText(img, 100, textY, texts.timeBase, kText);
  DrawPlotText(img, 200, textY, texts.timeOffset, kTime);
  DrawPlotText(img, 300, textY, texts.triggerLevel, kLevel);

  int x0 = OscSampleX(0, n, t), y0 = OscSampleY(t.samples[0], t.view.voltsPerDiv);
  for (int i = 0; i + 1 < kOscSamples; ++i) {
    const int x1 = OscSampleX(i + 1, n, t);
    const int y1 = OscSampleY(t.samples[size_t(i) + 1], t.view.voltsPerDiv);
    if (x1 >= 0 && x0 < w) img.Line(x0, y0, x1, y1, kTrace);
    if (x0 >= w) break;  // the rest lies right of the picture
    x0 = x1;
    y0 = y1;
  }

  const int ly = OscTriggerLevelY(t);
  for (int d = 0; d <= 3; ++d) {
    for (int y : {ly - d, ly + d}) {
      img.Line(0, y, 4 - d, y, kLevel);
      img.Line(w - 1, y, w - 5 + d, y, kLevel);
    }
  }

  const int tx = OscTriggerTimeX(n, t);
  for (int d = 0; d <= 3; ++d)
    for (int x : {tx - d, tx + d}) img.Line(x, kOscBaseline, x, kOscBaseline - 4 + d, kTime);
  return img;
}

}  // namespace tc
