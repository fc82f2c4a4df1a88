// SPDX-License-Identifier: GPL-3.0-or-later
// Any text as the value of any setting, as `tripconf-cli set` takes it:
// each kind's parser either stores a value the setting can hold or refuses
// with our errors, and what it stored formats and parses back unchanged.
#include <cstdint>
#include <string>

#include "editor_core/edit_session.h"
#include "editor_core/setting_value.h"
#include "editor_core/settings_schema.h"
#include "fuzz_input.h"
#include "model/sample_image.h"
#include "model/settings_document.h"
#include "model/tmk.h"
#include "util/errors.h"
#include "util/text_pair.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const std::vector<std::string> samples = {"v104-8k", "v8002-8k", "v8003-32k", "ve01-32k"};
  static std::vector<std::vector<uint8_t>> images;
  if (images.empty())
    for (const auto& s : samples) images.push_back(tc::BuildSampleImage(tc::SampleSetupByName(s)));
  const auto& schema = tc::SettingsSchema();
  if (schema.empty()) return 0;
  tc::fuzz::Input in(data, size);
  const uint8_t pick = in.Byte();
  const tc::SettingDef& def = schema[in.Word() % schema.size()];
  const bool english = pick & 0x80;
  tc::SetEnglishVersion(english);
  // Built once: the session below decodes the blocks afresh from the image.
  static tc::SettingsDocument doc;
  tc::TMK& mk = doc.Model();
  const size_t sample = pick % images.size();
  mk.ReplaceImage(images[sample], tc::SampleSetupByName(samples[sample]).deviceVersion);
  tc::TSettingsEditSession session(doc);
  tc::EditorContext& ctx = session.Context();
  const std::string text = in.Text();
  try {
    tc::SetFromText(ctx, def, text);
  } catch (const tc::TripError&) {
    return 0;
  }
  // Whatever was taken shows as a value that is taken again as itself.
  const std::string shown = tc::FormatValue(ctx, def, english);
  try {
    tc::SetFromText(ctx, def, shown);
  } catch (const tc::TripError&) {
    // A stored value no item has shows as "?N" and is not a value to enter.
    if (shown.empty() || shown[0] != '?') __builtin_trap();
    return 0;
  }
  if (tc::FormatValue(ctx, def, english) != shown) __builtin_trap();
  return 0;
}
