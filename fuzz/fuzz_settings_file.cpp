// Any bytes as a settings file: decoding, encoding and field access must
// either work or throw our errors, never crash or read out of bounds.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "model/settings_file.h"
#include "model/tmk.h"
#include "util/errors.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static tc::TMK mk;
  try {
    auto c = tc::DecodeSettingsFile(std::vector<uint8_t>(data, data + size));
    mk.ReplaceImage(std::move(c.image), c.deviceVersion);
  } catch (const tc::TripError&) {
    return 0;
  }
  for (int n = 1; n <= tc::kBlockCount; ++n) {
    try {
      mk.DecodeBlock(n);
      mk.EncodeBlock(n);
    } catch (const tc::TripError&) {
    }
  }
  mk.LoadOscRecords();
  return 0;
}
