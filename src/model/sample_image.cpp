#include "model/sample_image.h"

#include <algorithm>
#include <cmath>

#include "model/tmk.h"
#include "util/conversions.h"
#include "util/errors.h"

namespace tc {

namespace {
constexpr uint16_t kEntry12Size = 36;

void PutRecord(TMK& mk, int at, uint16_t minutes, int day, int month, uint32_t s, uint32_t m,
               uint32_t petrol, uint32_t gas) {
  mk.PutU16(7, at, minutes);
  mk.PutU8(7, at + 2, uint8_t(day));
  mk.PutU8(7, at + 3, uint8_t(month));
  mk.PutU32(7, at + 4, s);
  mk.PutU32(7, at + 8, m);
  mk.PutU32(7, at + 12, petrol);
  mk.PutU32(7, at + 16, gas);
}

void FillJournals(TMK& mk) {
  // Trips: a working week of commutes and one longer run.
  for (int r = 0; r < 12; ++r) {
    const uint32_t km10 = 80 + 37 * ((r * 7) % 11);  // hundreds of metres
    PutRecord(mk, 16 + 20 * r, uint16_t(7 * 60 + 45 + 29 * r), 1 + (27 - 2 * r + 28) % 28,
              1 + (11 - r / 4 + 12) % 12, 600 + 97 * r + km10 * 9, km10 * 100, km10 * 9 + 13 * r,
              r % 3 == 0 ? km10 * 2 : 0);
  }
  for (int r = 0; r < 6; ++r)
    PutRecord(mk, 436 + 20 * r, uint16_t(18 * 60 + 10 + 7 * r), 3 + 4 * r, 10 - r / 3,
              36000 + 5000 * r, 420000 + 51000 * r, 38500 - 1200 * r, 0);

  // Accumulated sums (block 1): general, trip, reset 1, jams, traffic,
  // reset 2, petrol only, gas only.
  // The general sum is the petrol-only and gas-only sums together; its
  // whole kilometres (the odometer reading the car came with) stay apart.
  const uint32_t sums[8][4] = {{3456000, 48000000, 3600000, 900000}, {2520, 31500, 2710, 0},
                               {86400, 1523000, 121000, 5000},       {30240, 92000, 11200, 0},
                               {56160, 1431000, 109800, 5000},       {21600, 405000, 33900, 0},
                               {2700000, 39000000, 3600000, 0},      {756000, 9000000, 0, 900000}};
  const int timeAt[8] = {0, 12, 24, 36, 48, 60, 108, 120};
  const int gasAt[8] = {136, 140, 144, 148, 152, 156, -1, 128};
  for (int s = 0; s < 8; ++s) {
    mk.PutU32(1, timeAt[s], sums[s][0]);
    mk.PutU32(1, timeAt[s] + 4, sums[s][1]);
    if (s != 7) mk.PutU32(1, timeAt[s] + 8, sums[s][2]);
    if (gasAt[s] >= 0) mk.PutU32(1, gasAt[s], sums[s][3]);
  }
  mk.PutU32(1, 100, 84210);  // whole kilometres of the general sum
  mk.PutU16(7, 6, 215);      // gas price

  // Fault journal (block 12): support set with the common OBD items.
  const int items[] = {3, 4, 5, 6, 7, 10, 11, 12, 13, 14, 15, 16, 17, 18, 20, 31, 33, 48, 66};
  for (int p : items)
    mk.PutU8(12, 4 + (p - 1) / 8, uint8_t(mk.GetU8(12, 4 + (p - 1) / 8) | (0x80 >> ((p - 1) % 8))));
  const uint32_t codes[3] = {0x0133, 0x0301, 0x0171};
  for (int r = 0; r < 3; ++r) {
    const int at = 16 + 92 * r;
    mk.PutU16(12, at, uint16_t(9 * 60 + 12 + 95 * r));
    mk.PutU8(12, at + 2, uint8_t(12 + 5 * r));
    mk.PutU8(12, at + 3, uint8_t(9 + r));
    mk.PutU32(12, at + 4, codes[r]);
    if (r < 2) {
      mk.PutU32(12, at + 8, codes[r]);
      mk.PutU8(12, at + 12, 0);
      mk.PutU8(12, at + 13, 2);
      // Engine data as a scan tool would have frozen it: {offset, value}.
      const int16_t data[][2] = {
          {14, 35},    // load, %
          {16, 89},    // coolant, C
          {18, -3},    // short term trim bank 1, %
          {22, 5},     // long term trim bank 1, %
          {26, 3000},  // fuel pressure, 300.0 kPa
          {28, 41},    // manifold pressure, kPa
          {30, 52},    // speed, km/h
          {32, 2150},  // rpm
          {34, 124},   // timing advance, 12.4
          {36, 24},    // intake air, C
          {38, 156},   // air flow, 15.6 kg/h
          {40, 18},    // throttle, %
          {42, 4},     // secondary air: off
          {44, 45},    // oxygen sensor 1, 0.45 V
          {48, 612},   // run time since start, s
          {50, 0},     // distance with the lamp on, km
          {62, 14},    // warm-ups since codes cleared
          {78, 142},   // control module voltage, 14.2 V
      };
      for (const auto& [offset, value] : data)
        mk.SetInt(S16(12, at + offset), value + (offset == 42 ? 0 : 3 * r));
    }
  }
}

void FillOscilloscope(std::vector<uint8_t>& image) {
  // Header 1 (view) and header 2 (recording): 2 ms/div, trigger 2.5 V,
  // 0.5 V/div, divider 1:10. The trace: an ignition-coil like pulse train.
  for (int h = 0; h < 2; ++h) {
    const size_t at = kOscRecordPos[h];
    if (at + kOscRecordSize > image.size()) return;
    image[at] = 2;
    image[at + 4] = 25;
    image[at + 5] = 0;
    image[at + 6] = 1;
    image[at + 7] = 1;
    for (int i = 0; i < 512; ++i) {
      const int s = h * 512 + i;
      const double phase = std::fmod(s, 128.0);
      double v = 40 + 12 * std::sin(s * 0.21);
      if (phase < 6)
        v = 200 - phase * 8;
      else if (phase < 30)
        v = 120 + 50 * std::exp(-(phase - 6) / 5.0) * std::cos(phase);
      image[at + 8 + i] = uint8_t(std::clamp(v, 0.0, 255.0));
    }
  }
}
}  // namespace

uint16_t SampleEntrySize(int entry) {
  if (entry == 12) return kEntry12Size;
  const int block = entry <= 11 ? entry : entry - 1;
  return uint16_t(kBlockSize[block] + 4);
}

const std::vector<SampleImage>& SampleImages() {
  static const std::vector<SampleImage> kSamples = {
      {"v104-8k", {8192, 0x104, 3, 0, false}},
      {"v8002-8k", {8192, 0x8002, 5, 1, false}},
      {"v8003-32k", {32768, 0x8003, 6, 2, true}},
      {"ve01-32k", {32768, 0xE01, 7, 3, false}},
  };
  return kSamples;
}

SampleSetup SampleSetupByName(const std::string& name) {
  std::string known;
  for (const auto& s : SampleImages()) {
    if (s.name == name) return s.setup;
    known += (known.empty() ? "" : ", ") + s.name;
  }
  throw TripError("Unknown sample image '" + name + "' (known: " + known + ")");
}

std::vector<uint8_t> BuildSampleImage(const SampleSetup& setup) {
  if (setup.memorySize != 8192 && setup.memorySize != 32768)
    throw TripError("A sample memory is 8192 or 32768 bytes");
  std::vector<uint8_t> image(setup.memorySize - 64, 0xFF);
  // Directory: blocks laid out one after another behind it.
  for (int i = 0; i < kDirectorySize; ++i) image[i] = 0;
  uint32_t address = 32 + kDirectorySize;
  for (int e = 1; e <= 14; ++e) {
    const uint16_t size = SampleEntrySize(e);
    image[4 * e] = uint8_t(address);
    image[4 * e + 1] = uint8_t(address >> 8);
    image[4 * e + 2] = uint8_t(size);
    image[4 * e + 3] = uint8_t(size >> 8);
    for (int i = 0; i < size; ++i) image[address - 32 + i] = 0;
    // Recognisable trailing bytes that the tool must carry untouched.
    for (int i = 0; i < 4; ++i) image[address - 32 + size - 4 + i] = uint8_t(0xA0 + e);
    if (e == 12)
      for (int i = 0; i < size - 4; ++i) image[address - 32 + i] = uint8_t(0x30 + i);
    address += size;
  }
  image[0] = 14;  // entries the device write sends back
  for (int i = 0; i < 4; ++i) image[60 + i] = uint8_t(setup.layoutVersion >> (8 * i));
  image[64] = 0x5A;

  TMK mk(setup.english);
  mk.SettingsImage = image;
  mk.PutU16(11, 4, setup.protocol);
  FillJournals(mk);
  // A few settings away from their defaults, as a used device would hold.
  mk.PutU16(3, 0, 1012);
  mk.PutU8(10, 360, 2);
  mk.SetText(Text(5, 60, 7), setup.english ? "Boost" : "Наддув");
  mk.EncodeAll();
  image = mk.SettingsImage;
  FillOscilloscope(image);
  return image;
}

}  // namespace tc
