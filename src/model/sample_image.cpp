// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/sample_image.h"

#include <algorithm>
#include <cmath>

#include "model/fault_journal.h"
#include "model/journals.h"
#include "model/record_io.h"
#include "model/settings_layout.h"
#include "model/tmk.h"
#include "util/conversions.h"
#include "util/errors.h"

namespace tc {

namespace {
constexpr uint16_t kEntry12Size = 36;

void PutRecord(TMK& mk, Journal j, int record, uint16_t minutes, int day, int month, uint32_t s,
               uint32_t m, uint32_t petrol, uint32_t gas) {
  WriteRecord(mk, JournalRecords(j), record,
              {minutes, uint8_t(day), uint8_t(month), s, m, petrol, gas});
}

void FillJournals(TMK& mk) {
  // Trips: a working week of commutes and one longer run.
  for (int r = 0; r < 12; ++r) {
    const uint32_t km10 = 80 + 37 * ((r * 7) % 11);  // hundreds of metres
    PutRecord(mk, Journal::Trips, r, uint16_t(7 * 60 + 45 + 29 * r), 1 + (27 - 2 * r + 28) % 28,
              1 + (11 - r / 4 + 12) % 12, 600 + 97 * r + km10 * 9, km10 * 100, km10 * 9 + 13 * r,
              r % 3 == 0 ? km10 * 2 : 0);
  }
  for (int r = 0; r < 6; ++r)
    PutRecord(mk, Journal::Refuels, r, uint16_t(18 * 60 + 10 + 7 * r), 3 + 4 * r, 10 - r / 3,
              36000 + 5000 * r, 420000 + 51000 * r, 38500 - 1200 * r, 0);

  // Accumulated sums (block 1): general, trip, reset 1, jams, traffic,
  // reset 2, petrol only, gas only.
  // The general sum is the petrol-only and gas-only sums together; its
  // whole kilometres (the odometer reading the car came with) stay apart.
  const uint32_t sums[8][4] = {{3456000, 48000000, 3600000, 900000}, {2520, 31500, 2710, 0},
                               {86400, 1523000, 121000, 5000},       {30240, 92000, 11200, 0},
                               {56160, 1431000, 109800, 5000},       {21600, 405000, 33900, 0},
                               {2700000, 39000000, 3600000, 0},      {756000, 9000000, 0, 900000}};
  for (int s = 0; s < 8; ++s) {
    const layout::SumFields& f = layout::kSumFields[s];
    mk.SetInt(f.time, sums[s][0]);
    mk.SetInt(f.distance, sums[s][1]);
    if (f.petrol.IsSet()) mk.SetInt(f.petrol, sums[s][2]);
    if (f.gas.IsSet()) mk.SetInt(f.gas, sums[s][3]);
  }
  mk.SetInt(layout::kSumFields[0].wholeKm, 84210);
  mk.SetInt(layout::kPriceGas, 215);

  // Fault journal (block 12): support set with the common OBD items.
  const int items[] = {3, 4, 5, 6, 7, 10, 11, 12, 13, 14, 15, 16, 17, 18, 20, 31, 33, 48, 66};
  for (int p : items) {
    const FieldRef set = layout::kFaultSupportSet[(p - 1) / 8];
    mk.SetInt(set, mk.GetInt(set) | (0x80 >> ((p - 1) % 8)));
  }
  // Engine data as a scan tool would have frozen it, by stored-data item:
  // {item, value}.
  const int16_t data[][2] = {
      {4, 35},     // load, %
      {5, 89},     // coolant, C
      {6, -3},     // short term trim bank 1, %
      {7, 5},      // long term trim bank 1, %
      {10, 3000},  // fuel pressure, 300.0 kPa
      {11, 41},    // manifold pressure, kPa
      {13, 52},    // speed, km/h
      {12, 2150},  // rpm
      {14, 124},   // timing advance, 12.4
      {15, 24},    // intake air, C
      {16, 156},   // air flow, 15.6 kg/h
      {17, 18},    // throttle, %
      {18, 4},     // secondary air: off
      {20, 45},    // oxygen sensor 1, 0.45 V
      {31, 612},   // run time since start, s
      {33, 0},     // distance with the lamp on, km
      {48, 14},    // warm-ups since codes cleared
      {66, 142},   // control module voltage, 14.2 V
  };
  const auto valueOf = [](int item) {
    for (const StoredItem& s : kStoredItems)
      if (s.item == item && s.kind != StoredKind::FuelStatus) return s.value;
    throw RangeError();
  };
  const uint32_t codes[3] = {0x0133, 0x0301, 0x0171};
  // The third fault came after the codes were read out: no stored data.
  for (int r = 0; r < 3; ++r) {
    FaultRecord f;
    f.minutes = uint16_t(9 * 60 + 12 + 95 * r);
    f.day = uint8_t(12 + 5 * r);
    f.month = uint8_t(9 + r);
    f.code = codes[r];
    if (r < 2) {
      f.storedCode = codes[r];
      f.fuelSystem2 = 0;
      f.fuelSystem1 = 2;
      for (const auto& [item, value] : data)
        f.stored[size_t(valueOf(item))] = int16_t(value + (item == 18 ? 0 : 3 * r));
    }
    WriteRecord(mk, layout::kFaultRecords, r, f);
  }
}

// What a configured device holds where the factory bytes lie outside what
// the editor offers (zeros of a blank block, a shared byte's other reading):
// every setting a sample shows is one the editor could have stored.
void FillWorkingSettings(TMK& mk) {
  for (int side = 0; side < 2; ++side) {
    mk.SetInt(layout::kParkSense[side], 4);
    mk.SetInt(layout::kParkSpeed[side], 2);
    mk.SetInt(layout::kParkMinLeng[side], 5);    // 50 cm
    mk.SetInt(layout::kParkStopLeng[side], 10);  // 100 cm
    mk.SetInt(layout::kParkProbesQntReal[side], 4);
  }
  mk.SetInt(layout::kParkStopLengBeep, 6);  // 60 cm
  mk.SetInt(layout::kForsCoefCarb, 4);      // 2.0 pulses per revolution
  mk.SetInt(layout::kK100Manual, 85);       // 8.5 l/100 km
  mk.SetInt(layout::kExpPBLim, 30);         // l/h
  mk.SetInt(layout::kSayEconomPeriod, 5);
  mk.SetInt(layout::kSayParamPeriod, 4);  // no automatic repeat
  mk.SetInt(layout::kHybrVentSpeedStep, 2);
  // Bytes 59 and 62 of block 6 are the inverter and battery temperature
  // limits of a hybrid, or the trim limits (low below high) of a device
  // with trim: values that are sound either way.
  mk.SetInt(layout::kInvTemperLimit, 65);
  mk.SetInt(layout::kHVBTemperLimit, 70);
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
  return uint16_t(kBlockSize[block] + kBlockTrailer);
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
  uint32_t address = kImageAddressBase + kDirectorySize;
  for (int e = 1; e <= 14; ++e) {
    const DirEntry entry{uint16_t(address), SampleEntrySize(e)};
    image[4 * e] = uint8_t(entry.address);
    image[4 * e + 1] = uint8_t(entry.address >> 8);
    image[4 * e + 2] = uint8_t(entry.size);
    image[4 * e + 3] = uint8_t(entry.size >> 8);
    const auto at = image.begin() + std::ptrdiff_t(entry.ImagePosition());
    std::fill_n(at, entry.DataSize(), uint8_t{0});
    // Recognisable trailing bytes that the tool must carry untouched.
    std::fill_n(at + std::ptrdiff_t(entry.DataSize()), kBlockTrailer, uint8_t(0xA0 + e));
    if (e == 12)
      for (size_t i = 0; i < entry.DataSize(); ++i) at[std::ptrdiff_t(i)] = uint8_t(0x30 + i);
    address += entry.size;
  }
  image[0] = 14;  // entries the device write sends back
  for (int i = 0; i < 4; ++i) image[60 + i] = uint8_t(setup.layoutVersion >> (8 * i));
  image[64] = 0x5A;

  TMK mk(setup.english);
  mk.ReplaceImage(image);
  mk.SetInt(layout::kProtocolNumber, setup.protocol);
  FillJournals(mk);
  // A few settings away from their defaults, as a used device would hold.
  mk.SetInt(layout::kOil6L, 1012);
  mk.SetInt(layout::kActiveColorScheme, 1);  // night
  mk.SetText(layout::kUserParamName, setup.english ? "Boost" : "Наддув");
  FillWorkingSettings(mk);
  mk.EncodeSettingsBlocks();
  image = mk.Image();
  FillOscilloscope(image);
  return image;
}

}  // namespace tc
