// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Realistic settings images for the tests, the simulator and the demo:
// a consistent directory, plausible settings, filled journals with stored
// engine data, and an oscilloscope trace at its fixed positions.
#include <cstdint>
#include <string>
#include <vector>

namespace tc {

struct SampleSetup {
  uint32_t memorySize = 8192;  // 8192 or 32768
  uint16_t deviceVersion = 0x104;
  uint32_t layoutVersion = 3;
  uint16_t protocol = 0;  // block 11 bytes 4-5
  bool english = false;   // language of the default texts
};

struct SampleImage {
  std::string name;
  SampleSetup setup;
};

// The named samples: "v104-8k", "v8002-8k", "v8003-32k", "ve01-32k".
const std::vector<SampleImage>& SampleImages();
// Throws TripError for an unknown name.
SampleSetup SampleSetupByName(const std::string& name);

// The settings image (memory size - 64 bytes).
std::vector<uint8_t> BuildSampleImage(const SampleSetup& setup);

// Directory sizes used by the samples, per entry 1..14 (including the 4
// trailing bytes). Entry 12 is a block the tool only carries.
uint16_t SampleEntrySize(int entry);

}  // namespace tc
