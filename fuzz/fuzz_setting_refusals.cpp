// SPDX-License-Identifier: GPL-3.0-or-later
// Any text as the value of any setting, checked for what a user relies on:
// a refusal leaves every byte of every block as it was and speaks the chosen
// language; a value taken shows as a text that is taken back to the very
// same bytes.
#include <algorithm>
#include <cctype>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "catalog/variants.h"
#include "editor_core/edit_session.h"
#include "editor_core/page_kit.h"
#include "editor_core/setting_value.h"
#include "editor_core/settings_schema.h"
#include "fuzz_input.h"
#include "model/sample_image.h"
#include "model/settings_document.h"
#include "model/settings_layout.h"
#include "model/tmk.h"
#include "util/errors.h"
#include "util/text_pair.h"

namespace {

std::vector<std::vector<uint8_t>> AllBlocks(const tc::TMK& mk) {
  std::vector<std::vector<uint8_t>> b;
  for (int n = 1; n <= tc::kBlockCount; ++n) b.emplace_back(mk.Block(n).begin(), mk.Block(n).end());
  return b;
}

bool HasCyrillic(const std::string& s) {
  for (size_t i = 0; i + 1 < s.size(); ++i) {
    const auto c = uint8_t(s[i]), n = uint8_t(s[i + 1]);
    if ((c == 0xD0 && n >= 0x80) || (c == 0xD1 && n >= 0x80 && n <= 0x9F)) return true;
  }
  return false;
}

// Marks every place of `part` in `s` as not ours.
void MarkAll(const std::string& s, const std::string& part, std::vector<bool>& theirs) {
  if (part.empty()) return;
  for (size_t at = s.find(part); at != std::string::npos; at = s.find(part, at + 1))
    std::fill_n(theirs.begin() + long(at), part.size(), true);
}

// A message may quote a piece of the text it refuses ("'Т eng2' is not a
// valid integer value"), and the text may hold quote marks itself: after
// every opening mark, the longest stretch that is a piece of the user's text
// is marked. (A prefix of a piece is a piece, so the length is searched.)
void MarkQuotedPieces(const std::string& s, const std::string& text, std::vector<bool>& theirs) {
  size_t marks = 0;
  for (const std::string q : {"'", "«"})
    for (size_t at = s.find(q); at != std::string::npos && marks < 256;
         at = s.find(q, at + 1), ++marks) {
      const size_t start = at + q.size();
      size_t lo = 0, hi = s.size() - start;  // lo is a piece; is hi?
      while (lo < hi) {
        const size_t mid = (lo + hi + 1) / 2;
        if (text.find(s.substr(start, mid)) != std::string::npos)
          lo = mid;
        else
          hi = mid - 1;
      }
      std::fill_n(theirs.begin() + long(start), lo, true);
    }
}

}  // namespace

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
  static tc::SettingsDocument doc;
  tc::TMK& mk = doc.Model();
  const size_t sample = pick % images.size();
  mk.ReplaceImage(images[sample], tc::SampleSetupByName(samples[sample]).deviceVersion);
  tc::TSettingsEditSession session(doc);
  tc::EditorContext& ctx = session.Context();
  const auto before = AllBlocks(mk);
  const std::string text = in.Text();
  try {
    tc::SetFromText(ctx, def, text);
  } catch (const tc::TripError& e) {
    if (AllBlocks(mk) != before) __builtin_trap();
    // Our words, once the user's text (whole or quoted pieces of it), the
    // setting's name, caption and items (letters of either alphabet) are
    // set aside, are in the language. Marking instead of cutting lets texts
    // overlap and hold one another ("ДУТ ЭБУ" and "ДУТ").
    const std::string what = e.what();
    std::vector<bool> theirs(what.size(), false);
    MarkQuotedPieces(what, text, theirs);
    std::vector<std::string> names = {text, tc::TrimBlanks(text), def.name,
                                      tc::SettingLabel(ctx, def).Get(english)};
    for (const tc::SettingItem& i : tc::SettingItems(ctx, def))
      names.push_back(i.text.Get(english));
    // Info panel items whose English names keep the Russian letter Т, as the
    // device's own lists spell them.
    for (const char* t : {"Т HVB", "Т eng.", "Т cyl."}) names.push_back(t);
    for (const std::string& n : names) MarkAll(what, n, theirs);
    std::string ours = what;
    bool anyWord = false;
    for (size_t i = 0; i < ours.size(); ++i)
      if (theirs[i])
        ours[i] = ' ';
      else if (std::isalnum(uint8_t(ours[i])) || uint8_t(ours[i]) >= 0x80)
        anyWord = true;
    if (!anyWord || HasCyrillic(ours) == english) __builtin_trap();
    return 0;
  }
  const auto stored = AllBlocks(mk);
  const std::string shown = tc::FormatValue(ctx, def, english);
  try {
    tc::SetFromText(ctx, def, shown);
  } catch (const tc::TripError&) {
    __builtin_trap();
  }
  if (AllBlocks(mk) != stored) __builtin_trap();
  return 0;
}
