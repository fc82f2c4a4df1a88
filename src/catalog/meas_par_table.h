// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The fixed data of the measured-parameter catalogue: one numeric row and one
// caption row per language for each parameter class, all three tables in the
// same order (by code; code 11 has two classes).
#include <array>
#include <cstdint>
#include <string_view>

namespace tc::meas_par_table {

struct Numbers {
  const char* className;
  uint8_t code;
  bool hasBar;
  int32_t gaugeSlot;
  bool hasGraph;
  // Stored values: the displayed value times 10^decimals.
  int32_t sampleValue;
  int32_t minValue;
  int32_t maxValue;
  int32_t gaugeMin;
  int32_t gaugeMax;
  int32_t width;
  int32_t decimals;
  const char* fixedSample;  // nullptr: the sample text is made from sampleValue
  bool gaugeMarker;
};

// Caption slots, in the order of the rows below.
enum CaptionSlot {
  kName,
  kCaption1,
  kQuadName,
  kQuadUnit,
  kGridName,
  kGridUnit,
  kColumnCaption,
  kGaugeName,
  kGaugeUnit,
  kGraphCaption,
  kCaptionSlots
};

struct Captions {
  const char* className;
  std::array<const char*, kCaptionSlots> texts;
};

constexpr std::size_t kRowCount = 65;

extern const std::array<Numbers, kRowCount> kNumbers;
extern const std::array<Captions, kRowCount> kEnglish;
extern const std::array<Captions, kRowCount> kRussian;

// Row index of a class name, or -1.
int RowOfClass(std::string_view className);

}  // namespace tc::meas_par_table
