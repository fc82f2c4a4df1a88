// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The trace recorded by the trip computer's oscilloscope: its two headers,
// the 1024 samples, the scale tables, the maths that places samples and
// markers in the plot, and the plot itself drawn into an RGB picture, so the
// viewer window only shows the picture and the CLI can save it.
#include <array>
#include <cstdint>
#include <span>
#include <string>

#include "util/fixed_text.h"
#include "util/rgb_image.h"
#include "util/text_pair.h"

namespace tc {

class TMK;

constexpr int kOscSamples = 1024;
constexpr int kOscHeaderSize = 8;
constexpr int kTimeBaseCount = 10;
constexpr int kVoltsPerDivCount = 3;
constexpr int kDividerCount = 3;

// Plot geometry: one division is 32 pixels, the bottom grid line is y = 256.
constexpr int kOscDivision = 32;
constexpr int kOscBaseline = 256;
constexpr int kOscTextLine = 258;
constexpr int kOscPlotWidth = 1002;
constexpr int kOscPlotHeight = 278;
// The viewer's scroll bar: offset n in samples.
constexpr int kOscScrollMin = -32;
constexpr int kOscScrollMax = 992;
constexpr int kOscScrollPage = 32;

struct OscHeader {
  uint8_t timeBase = 0;      // index 0..9
  int16_t triggerLevel = 0;  // tenths of a volt at the input, before the divider
  uint8_t voltsPerDiv = 0;   // index 0..2
  uint8_t divider = 0;       // index 0..2
};

// Header 1 holds the view settings, header 2 those of the recording.
struct OscTrace {
  OscHeader view;
  OscHeader recording;
  std::array<uint8_t, kOscSamples> samples{};
};

OscHeader ParseOscHeader(std::span<const uint8_t> bytes);  // at least 8 bytes
// From TMK's copies of the two records (see TMK::LoadOscRecords).
OscTrace ReadOscTrace(const TMK& mk);
// The viewer's time-base choice: header 1 byte 0 in TMK's copy (never the
// image). Throws RangeError outside 0..9.
void SetOscViewTimeBase(TMK& mk, int index);

// --- Scale tables (RangeError with a message for an index outside) --------------

std::string TimeBaseLabel(int index);  // "0.5", "  1" ... "500"
int TimeBaseDivisor(int index);        // 2000 ... 2
double VoltsPerDivision(int index);    // at divider 1:1
int InputGain(int index);              // 1, 2, 4
std::string DividerName(int index);    // "  1:1", " 1:10", "1:100"
double DividerFactor(int index);       // 1, 0.1, 0.01
// The volts-per-division label of a volts index under a divider index.
std::string VoltsPerDivisionLabel(int divider, int voltsPerDiv);

// Throws RangeError naming the first header field outside its table.
void CheckOscTrace(const OscTrace& t);

// --- Plot maths ------------------------------------------------------------------

// Pixels per sample: view divisor over recording divisor.
double OscZoom(const OscTrace& t);
// Height of a sample under the view's volts index; 0 lies on y = 256.
int OscSampleY(uint8_t sample, int voltsPerDiv);
// Height of the trigger level marker (header 1's level, no gain or divider).
int OscTriggerLevelY(const OscTrace& t);
// x of sample i at scroll offset n.
int OscSampleX(int i, int n, const OscTrace& t);
// x of the trigger time marker at scroll offset n.
int OscTriggerTimeX(int n, const OscTrace& t);
// Header 2's trigger level in volts at the probe, 1 decimal ("25.0").
std::string OscTriggerLevelText(const OscTrace& t, char decimalSeparator = '.');
// The time of n samples of the recording, ms, 1 decimal.
std::string OscTimeOffsetText(int n, const OscTrace& t, char decimalSeparator = '.');

// The four texts under the grid, units included ("  5V/div", " 10ms/div",
// "0.0ms", "2.5V").
struct OscPlotTexts {
  std::string voltsPerDiv;
  std::string timeBase;
  std::string timeOffset;
  std::string triggerLevel;
};
OscPlotTexts MakeOscPlotTexts(const OscTrace& t, int n, const CellFormat& fmt);

// The whole plot at scroll offset n: black ground, grey grid, the texts, the
// yellow trace, the cyan trigger level marker at both edges and the magenta
// trigger time marker. Throws RangeError (and draws nothing) for a header
// index outside its table.
RgbImage DrawOscPlot(const OscTrace& t, int n, int width, int height, const CellFormat& fmt);

namespace osc_colours {
constexpr Rgb kGrid{128, 128, 128};
constexpr Rgb kText{255, 255, 255};
constexpr Rgb kTrace{255, 255, 0};
constexpr Rgb kTime{255, 0, 255};
constexpr Rgb kLevel{0, 255, 255};
}  // namespace osc_colours

// --- Viewer texts -------------------------------------------------------------------

inline constexpr TextPair kOscViewerTitle{"Просмотр данных осциллографа",
                                          "Viewing the oscilloscope data"};
inline constexpr TextPair kOscNotSupported{
    "В данной версии МК осцилллограф не поддерживается.",
    "The oscilloscope is not supported in this version of the device."};
inline constexpr TextPair kOscTimeBaseGroup{"мс/деление", "ms/div"};
inline constexpr TextPair kOscVoltsGroup{"Вольт/деление", "V/div"};
inline constexpr TextPair kOscDividerGroup{"Входной делитель", "Input divider"};
// Items of the time-base and divider groups.
inline constexpr const char* kOscTimeBaseItems[kTimeBaseCount] = {"0.5", "1",  "2",   "5",   "10",
                                                                  "20",  "50", "100", "200", "500"};
inline constexpr const char* kOscDividerItems[kDividerCount] = {"1 : 1", "1 : 10", "1 : 100"};

}  // namespace tc
