// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Small pieces the page files build their settings from.
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

#include "editor_core/setting_def.h"

namespace tc {

// Items stored as their position: 0, 1, 2, ...
std::vector<SettingItem> Items(std::initializer_list<TextPair> texts);
// Appends settings of the common kinds to a page's list; each returns the
// new setting so a page can add a rule (`.limits = ...`).
class PageSettings {
 public:
  explicit PageSettings(std::vector<SettingDef>& schema) : s_(schema) {}
  SettingDef& Add(SettingDef d);
  // A spin edit: shown = stored / scale, with `decimals` decimals.
  SettingDef& Spin(const char* name, TextPair label, FieldRef field, double min, double max,
                   double step = 1, double scale = 1, int decimals = 0);
  // A check box storing 1 or 0.
  SettingDef& Check(const char* name, TextPair label, FieldRef field);
  SettingDef& Radio(const char* name, TextPair label, FieldRef field,
                    std::vector<SettingItem> items);

 private:
  std::vector<SettingDef>& s_;
};

// A name made at run time (families such as "cbShowDisp_1_39"), kept for
// the life of the program so settings can point at it.
const char* InternName(std::string name);

// --- Text forms of list settings ---------------------------------------------------

// Without the blanks and tabs at either end.
std::string TrimBlanks(const std::string& s);
// The trimmed entries of a list "a, b (x, y), c": commas inside brackets
// belong to a caption.
std::vector<std::string> SplitListEntries(const std::string& text);
// The first word of an entry ("52" of "52 TripJournMenu (Trip log)"), which
// names it; a caption after it is only read back.
std::string LeadingWord(const std::string& entry);
// The word as a whole decimal number, or nothing.
std::optional<int> WholeNumber(const std::string& word);

// The parts of one list entry as `get` prints it: a code, a name and a
// caption in brackets at the end ("52 TripJournMenu (Trip log)"), each of
// them optional. Nothing when the entry holds more than that (two numbers,
// two names, a stray word): such an entry is no single item, and reading
// only its first word would take something the user did not mean.
struct ListEntryParts {
  std::optional<int> code;
  std::string name;
  std::optional<std::string> caption;
};
std::optional<ListEntryParts> SplitListEntry(const std::string& entry);

}  // namespace tc
