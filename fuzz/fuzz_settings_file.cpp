// Any bytes as a settings file: the load check, every block decode and
// encode, the state a refused write puts back and the oscilloscope copy
// must either work or throw our errors, never crash or read out of bounds.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "link/mk_transfer.h"
#include "model/settings_file.h"
#include "model/tmk.h"
#include "util/errors.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static tc::TMK mk;
  const std::vector<uint8_t> bytes(data, data + size);
  tc::SettingsFileContents c;
  try {
    c = tc::DecodeSettingsFile(bytes);
  } catch (const tc::TripError&) {
    return 0;
  }
  // The raw block operations first, on whatever the file holds: they are
  // what a load without the check would run.
  const tc::TMK::State before = mk.SaveState();
  mk.ReplaceImage(c.image, c.deviceVersion);
  for (int n = 1; n <= tc::kBlockCount; ++n) {
    try {
      mk.DecodeBlock(n);
      mk.EncodeBlock(n);
    } catch (const tc::TripError&) {
    }
  }
  mk.LoadOscRecords();
  mk.RestoreState(before);

  // Then the way a load really goes: checked, then decoded and encoded
  // with no error allowed.
  try {
    tc::CheckSettingsDirectory(c.image);
  } catch (const tc::FileError&) {
    return 0;
  }
  mk.ReplaceImage(std::move(c.image), c.deviceVersion);
  mk.DecodeSettingsBlocks();
  mk.EncodeSettingsBlocks();
  mk.LoadOscRecords();
  (void)tc::EncodeSettingsFile(mk.DeviceVersion, mk.Image());
  return 0;
}
