#pragma once
// Comparing two settings images setting by setting, and finding the bytes
// that differ where no setting of the editor is stored.
#include <string>
#include <vector>

#include "editor_core/setting_def.h"

namespace tc {

struct NamedDifference {
  const SettingDef* def;
  std::string a;  // value in the first model, as FormatValue writes it
  std::string b;
};

// The settings whose stored value differs (texts from each model's own
// variant and protocol). When two different stored values
// show the same text (a tachometer 3 shows as "4" like a 4 does), the stored
// numbers are added in brackets so the line still says what differs.
std::vector<NamedDifference> DiffNamedSettings(const EditorContext& a, const EditorContext& b,
                                               bool english);

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
