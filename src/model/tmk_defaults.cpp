// Construction of TMK: the factory colour schemes and every default value
// a new model carries before the first read or load.
#include <algorithm>

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

// Block 10 bytes 12..122: display-cell parameter codes.
constexpr uint8_t kDisplayCodes[111] = {
    4,  14, 8,  9,  13, 10, 11, 4,  1,  2,  5,  9,  7,  12, 3,  6,  7,  10, 8,  12, 18, 25, 27,
    21, 1,  2,  8,  9,  14, 5,  12, 13, 10, 11, 6,  15, 5,  12, 16, 8,  9,  10, 14, 5,  12, 7,
    3,  13, 2,  14, 5,  9,  13, 10, 12, 14, 24, 17, 20, 18, 20, 22, 13, 16, 13, 0,  20, 21, 13,
    10, 14, 12, 11, 17, 20, 25, 20, 16, 13, 16, 13, 12, 20, 21, 14, 5,  12, 1,  2,  6,  10, 8,
    9,  11, 24, 13, 23, 18, 17, 7,  19, 22, 1,  2,  3,  5,  14, 6,  20, 24, 25};

struct JournalSample {
  uint16_t minutes;
  uint8_t day, month;
  uint32_t seconds, metres, petrolMl, gasMl;
};

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
  SetText(Text(5, 60, 7), english ? "Trim" : "Трим");
  SetText(Text(5, 68, 16), english ? "Inject. TS" : "ТО форсунок");
  SetText(Text(5, 84, 16), english ? "GDM belt repl." : "Замена рем.ГРМ");
  SetText(Text(5, 100, 16), english ? "Spark pl.repl." : "Замена свечей");
}

void TMK::FillDefaults() {
  // Steps 5-7 of construction: the layout version, the display, menu and
  // colour defaults of block 10, the version word and the protocol number.
  directory_.fill(0);  // layout version 0

  std::copy_n(kDisplayCodes, 111, blocks_[10].begin() + 12);
  std::copy(FactoryScheme1.begin(), FactoryScheme1.end(), blocks_[10].begin() + 248);
  std::copy(FactoryScheme2.begin(), FactoryScheme2.end(), blocks_[10].begin() + 304);
  PutU8(10, 360, 1);
  const uint16_t b10[6] = {63, 7, 15, 255, 255, 511};
  for (int i = 0; i < 6; ++i) PutU16(10, 380 + 2 * i, b10[i]);
  PutU32(10, 392, 0xFFFFFFFFu);
  const uint8_t b10b[12] = {12, 17, 13, 10, 8, 9, 13, 17, 12, 10, 8, 9};
  for (int i = 0; i < 12; ++i) PutU8(10, 400 + i, b10b[i]);
  PutU16(10, 412, 1);

  DeviceVersion = 1;
  PutU16(11, 4, 0);

  PutU16(13, 0, 100);
  PutU16(13, 2, 200);
}

void TMK::FillRemainingDefaults(bool english) {
  // Step 10: blocks 1 and 3..7, after the catalogue steps.
  PutU8(1, 105, 255);
  PutU8(1, 134, 255);

  PutU16(3, 0, 1000);
  PutU16(3, 2, 6);
  PutU16(3, 4, 10);
  PutU16(3, 6, 43);
  for (int i = 0; i <= 6; ++i) {
    PutU16(3, 8 + 2 * i, uint16_t(100 * i));
    PutU16(3, 22 + 2 * i, uint16_t(6 * i));
  }
  PutU8(3, 36, 7);
  PutU16(3, 44, 50);
  PutU16(3, 56, 50);

  PutU8(4, 1, 1);
  PutU8(4, 2, 15);
  for (int i = 0; i <= 14; ++i) {
    PutU8(4, 8 + i, uint8_t(16 + 3 * i));
    PutU16(4, 144 + 2 * i, uint16_t(50 * i));
  }

  const uint8_t b5[8] = {15, 45, 30, 45, 30, 15, 30, 1};
  for (int i = 0; i < 8; ++i) PutU8(5, i, b5[i]);
  PutU32(5, 8, 4392);
  PutU32(5, 12, 4392);
  PutU16(5, 54, 1023);
  PutU16(5, 58, 90);
  PutU8(5, 67, 0);
  PutU16(5, 116, 511);
  SetDefaultTexts(english);

  PutU8(6, 0, 40);
  PutU8(6, 1, 80);
  PutU8(6, 2, 10);
  const uint16_t b6[5] = {115, 115, 20, 155, 115};
  for (int i = 0; i < 5; ++i) PutU16(6, 4 + 2 * i, b6[i]);
  PutU8(6, 20, 1);
  PutU8(6, 21, 1);
  PutU8(6, 22, 9);
  PutU16(6, 28, 100);
  PutU16(6, 30, 100);
  SetFloat(F32(6, 32), 1.0);
  SetFloat(F32(6, 36), 1.0);
  SetFloat(F32(6, 48), 1.0);
  PutU8(6, 41, 70);
  PutU8(6, 47, 25);
  PutU16(6, 52, 110);
  PutU16(6, 54, 110);
  PutU16(6, 56, 30);
  PutU8(6, 59, 120);
  PutU16(6, 60, 165);
  PutU8(6, 62, 120);

  // Block 7: prices and one sample trip and refuelling record; every other
  // record stays empty (day 0).
  PutU16(7, 0, 250);
  PutU16(7, 4, 30);
  const auto putRecord = [this](int at, const JournalSample& s) {
    PutU16(7, at, s.minutes);
    PutU8(7, at + 2, s.day);
    PutU8(7, at + 3, s.month);
    PutU32(7, at + 4, s.seconds);
    PutU32(7, at + 8, s.metres);
    PutU32(7, at + 12, s.petrolMl);
    PutU32(7, at + 16, s.gasMl);
  };
  putRecord(36, {497, 15, 11, 123456, 10123, 1234, 12});
  putRecord(436, {622, 5, 1, 123456, 100456, 5678, 56});
  // Journal and fault records are empty: their day / trouble-code bytes are 0.
}

}  // namespace tc
