// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Comparing two sets of settings setting by setting: by their typed values,
// then byte by byte inside each setting's extent, and last the bytes that no
// setting of the editor covers. The two sides may be documents of different
// variants: each is read through its own context.
#include <string>
#include <vector>

#include "editor_core/setting_def.h"
#include "editor_core/setting_value.h"

namespace tc {

// What one setting holds in one document.
struct SettingState {
  const SettingDef* def;
  SettingValue value;
  std::string text;  // as FormatValue writes it
  std::string label;
  bool visible;
};
// Every setting of the schema, in schema order.
std::vector<SettingState> SnapshotSettings(const EditorContext& ctx, bool english);

struct NamedDifference {
  const SettingDef* def;
  std::string label;  // from the side that shows the setting
  std::string a;      // shown values; when both show the same text, the
  std::string b;      // stored forms are added in brackets
  // Set when the values are equal and only bytes of the setting's extent
  // that its value does not take in differ (tare rows beyond the point
  // count, the bytes after a text's terminator): which ones, in words.
  std::string note;
};

// A run of differing bytes that no setting names. block 1..13 for the block
// copies; block 0 for image bytes outside every block (directory, carried
// blocks, trailing bytes, oscilloscope records and the rest).
struct ByteRange {
  int block;
  size_t first;
  size_t last;
};

struct SettingsComparison {
  std::vector<NamedDifference> settings;  // in schema order
  std::vector<ByteRange> bytes;
};
// Every setting whose value differs, every setting of whose extent a byte
// differs (a byte shared by several settings names each of them), and the
// bytes no setting covers.
SettingsComparison CompareSettings(const EditorContext& a, const EditorContext& b, bool english);

}  // namespace tc
