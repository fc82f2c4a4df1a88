#pragma once
// Comparing two settings images setting by setting, and finding the bytes
// that differ where no setting of the editor is stored.
#include <string>
#include <vector>

#include "editor_core/setting_def.h"

namespace tc {

// What one setting holds in one model, taken while that model's variant is
// the selected one (the variant selection is program-wide, so two files are
// read one after the other).
struct SettingState {
  const SettingDef* def;
  int64_t raw;       // the stored value; f32 fields by their bits
  int64_t stored;    // the stored value as a number
  double value;      // f32 fields: the float
  std::string text;  // as FormatValue writes it
  std::string label;
  bool visible;
};
// Every setting of the schema, in schema order.
std::vector<SettingState> SnapshotSettings(const EditorContext& ctx, bool english);

struct NamedDifference {
  const SettingDef* def;
  std::string label;  // from the model that shows the setting
  std::string a;
  std::string b;
};
// The settings whose stored value differs. When two different stored values
// show the same text (a tachometer 3 shows as "4" like a 4 does), the stored
// numbers are added in brackets so the line still says what differs.
std::vector<NamedDifference> DiffNamedSettings(const std::vector<SettingState>& a,
                                               const std::vector<SettingState>& b);

// A run of differing bytes that no setting names. block 1..13 for the block
// copies; block 0 for image bytes outside every block (directory, carried
// blocks, trailing bytes, oscilloscope records and the rest).
struct ByteRange {
  int block;
  size_t first;
  size_t last;
};
std::vector<ByteRange> DiffUnnamedBytes(const TMK& a, const TMK& b);

}  // namespace tc
