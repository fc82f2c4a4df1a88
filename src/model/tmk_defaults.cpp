// SPDX-License-Identifier: GPL-3.0-or-later
// Construction of TMK: the factory colour schemes and every default value
// a new model carries before the first read or load.
#include <algorithm>

#include "model/record_io.h"
#include "model/settings_layout.h"
#include "model/tmk.h"
#include "util/errors.h"

namespace tc {

namespace {

struct Rgb {
  uint8_t r, g, b;
};

// Palette columns: [scheme][hybrid flag set? 0 : 1][index].
constexpr Rgb kFactoryPalette[2][2][16] = {
    {{{0, 0, 0},
      {0, 9, 9},
      {31, 13, 0},
      {9, 9, 0},
      {0, 0, 6},
      {9, 0, 9},
      {9, 17, 17},
      {16, 16, 16},
      {12, 5, 3},
      {31, 0, 0},
      {0, 31, 0},
      {31, 31, 0},
      {0, 0, 31},
      {31, 0, 31},
      {0, 31, 31},
      {31, 31, 31}},
     {{0, 0, 0},
      {0, 9, 9},
      {31, 13, 0},
      {9, 9, 0},
      {0, 0, 6},
      {9, 0, 9},
      {9, 17, 17},
      {16, 16, 16},
      {12, 5, 3},
      {31, 0, 0},
      {0, 31, 0},
      {31, 31, 0},
      {0, 0, 31},
      {31, 0, 31},
      {0, 31, 31},
      {31, 31, 31}}},
    {{{0, 0, 0},
      {0, 9, 9},
      {31, 13, 0},
      {9, 9, 0},
      {0, 0, 6},
      {9, 0, 9},
      {9, 17, 17},
      {16, 16, 16},
      {5, 1, 0},
      {13, 0, 0},
      {0, 31, 0},
      {21, 21, 21},
      {0, 0, 31},
      {31, 0, 31},
      {0, 31, 31},
      {13, 13, 22}},
     {{0, 0, 0},
      {3, 12, 12},
      {31, 13, 0},
      {9, 9, 0},
      {0, 0, 6},
      {9, 0, 9},
      {9, 17, 17},
      {29, 29, 29},
      {17, 17, 17},
      {13, 0, 0},
      {0, 31, 0},
      {23, 23, 23},
      {0, 0, 31},
      {31, 0, 31},
      {0, 31, 31},
      {13, 13, 22}}},
};

constexpr uint8_t kFactoryRoles[2][2][23] = {
    {{10, 4, 11, 12, 14, 14, 7, 11, 15, 4, 9, 11, 0, 4, 15, 14, 13, 0, 15, 0, 0, 0, 9},
     {15, 4, 11, 12, 15, 15, 9, 10, 15, 4, 9, 11, 0, 4, 15, 14, 13, 0, 15, 0, 0, 0, 9}},
    {{7, 0, 11, 0, 0, 15, 1, 12, 15, 0, 5, 11, 0, 0, 15, 11, 4, 0, 15, 0, 0, 0, 9},
     {7, 0, 11, 4, 3, 6, 1, 15, 6, 0, 11, 7, 0, 0, 6, 7, 11, 0, 0, 0, 0, 0, 9}},
};

// The parameter codes of the x4, x7, graph, arrow and x9 cell tables.
constexpr uint8_t kDisplayCodes[layout::kCellTables.count] = {
    4,  14, 8,  9,  13, 10, 11, 4,  1,  2,  5,  9,  7,  12, 3,  6,  7,  10, 8,  12, 18, 25, 27,
    21, 1,  2,  8,  9,  14, 5,  12, 13, 10, 11, 6,  15, 5,  12, 16, 8,  9,  10, 14, 5,  12, 7,
    3,  13, 2,  14, 5,  9,  13, 10, 12, 14, 24, 17, 20, 18, 20, 22, 13, 16, 13, 0,  20, 21, 13,
    10, 14, 12, 11, 17, 20, 25, 20, 16, 13, 16, 13, 12, 20, 21, 14, 5,  12, 1,  2,  6,  10, 8,
    9,  11, 24, 13, 23, 18, 17, 7,  19, 22, 1,  2,  3,  5,  14, 6,  20, 24, 25};

// The parameter codes of the x6 cell table.
constexpr uint8_t kX6Codes[12] = {12, 17, 13, 10, 8, 9, 13, 17, 12, 10, 8, 9};

}  // namespace

uint16_t TMK::PackColour(int r, int g, int b) {
  return uint16_t(((r & 31) << 11) | ((g & 31) << 6) | ((g & 1) << 5) | (b & 31));
}

TMK::Rgb5 TMK::UnpackColour(uint16_t c) {
  return {(c >> 11) & 31, (c >> 6) & 31, c & 31};
}

void TMK::BuildFactorySchemes(bool hybrid) {
  const int col = hybrid ? 0 : 1;
  ColourScheme* schemes[2] = {&FactoryScheme1, &FactoryScheme2};
  for (int s = 0; s < 2; ++s) {
    ColourScheme& sc = *schemes[s];
    sc.fill(0);
    for (int i = 0; i < 16; ++i) {
      const Rgb c = kFactoryPalette[s][col][i];
      const uint16_t v = PackColour(c.r, c.g, c.b);
      sc[2 * i] = uint8_t(v);
      sc[2 * i + 1] = uint8_t(v >> 8);
    }
    std::copy_n(kFactoryRoles[s][col], 23, sc.begin() + 32);
  }
}

void TMK::SetDefaultTexts(bool english) {
  SetText(layout::kUserParamName, english ? "Trim" : "Трим");
  SetText(layout::kServiceNames[0], english ? "Inject. TS" : "ТО форсунок");
  SetText(layout::kServiceNames[1], english ? "GDM belt repl." : "Замена рем.ГРМ");
  SetText(layout::kServiceNames[2], english ? "Spark pl.repl." : "Замена свечей");
}

void TMK::FillDefaults() {
  // Steps 5-7 of construction: the layout version, the display, menu and
  // colour defaults of block 10, the version word and the protocol number.
  directory_.fill(0);  // layout version 0

  for (int i = 0; i < layout::kCellTables.count; ++i)
    SetInt(layout::kCellTables[i], kDisplayCodes[i]);
  const ColourScheme* schemes[2] = {&FactoryScheme1, &FactoryScheme2};
  for (int s = 0; s < 2; ++s)
    for (int i = 0; i < kSchemeSize; ++i) SetInt(layout::kColourSchemes(s, i), (*schemes[s])[i]);
  for (int i = 0; i < layout::kX6Cells.rows * layout::kX6Cells.cols; ++i)
    SetInt(layout::kX6Cells(i / layout::kX6Cells.cols, i % layout::kX6Cells.cols), kX6Codes[i]);
  for (const auto& d : layout::kEarlyDefaults) SetValue(d.field, d.value);
  DeviceVersion = 1;
}

void TMK::FillRemainingDefaults(bool english) {
  // Step 10: blocks 1 and 3..7, after the catalogue steps.
  for (const auto& d : layout::kLateDefaults) SetValue(d.field, d.value);
  for (int i = 0; i < layout::kOilCalibrRes.count; ++i) {
    SetInt(layout::kOilCalibrRes[i], layout::kOilCalibrResStep * i);
    SetInt(layout::kOilCalibrLit[i], layout::kOilCalibrLitStep * i);
  }
  for (int i = 0; i < layout::kTareDefaultPoints; ++i) {
    SetInt(layout::kTareLitres[i], 16 + 3 * i);
    SetInt(layout::kTareSensor[i], 50 * i);
  }
  SetDefaultTexts(english);

  // Block 7: one sample trip and refuelling record; every other record stays
  // empty (day 0).
  WriteRecord(*this, layout::kTripRecords, 1, {497, 15, 11, 123456, 10123, 1234, 12});
  WriteRecord(*this, layout::kRefuelRecords, 0, {622, 5, 1, 123456, 100456, 5678, 56});
  // Journal and fault records are empty: their day / trouble-code bytes are 0.
}

}  // namespace tc
