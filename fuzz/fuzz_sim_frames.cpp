// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes as what tripsim hears on the bus: framing, checksums, the
// commands and their windows into the memory, at times taken from the input.
#include <cstdint>

#include "fuzz_input.h"
#include "sim/sim_device.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  tc::fuzz::Input in(data, size);
  const uint8_t setup = in.Byte();
  const uint32_t memory = (setup & 1) ? 0x8000 : 0x2000;
  tc::sim::SimDevice dev(memory, (setup & 1) ? 0xFE : 0xFC, 0x104);
  dev.busy = (setup & 2) != 0;
  dev.dropChunk = (setup >> 2) & 7;
  dev.LoadImage(std::vector<uint8_t>(memory - 64, 0x5A));
  uint64_t now = 0;
  while (!in.Empty()) {
    const uint8_t b = in.Byte();
    // An escape byte moves the clock, so the frame gap is reached too.
    if (b == 0xA5) {
      now += in.Byte();
      continue;
    }
    if (auto reply = dev.Hear(b, now)) {
      if (!reply->empty() && reply->size() != (*reply)[0]) __builtin_trap();
    }
  }
  return 0;
}
