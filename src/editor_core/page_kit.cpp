#include "editor_core/page_kit.h"

#include <charconv>
#include <deque>

namespace tc {

std::vector<SettingItem> Items(std::initializer_list<TextPair> texts) {
  std::vector<SettingItem> items;
  int64_t i = 0;
  for (const TextPair& t : texts) items.push_back({t, i++});
  return items;
}

SettingDef& PageSettings::Add(SettingDef d) {
  s_.push_back(std::move(d));
  return s_.back();
}

SettingDef& PageSettings::Spin(const char* name, TextPair label, FieldRef field, double min,
                               double max, double step, double scale, int decimals) {
  return Add({.name = name,
              .label = label,
              .field = field,
              .scale = scale,
              .min = min,
              .max = max,
              .step = step,
              .decimals = decimals});
}

SettingDef& PageSettings::Check(const char* name, TextPair label, FieldRef field) {
  return Add({.name = name, .kind = ControlKind::Check, .label = label, .field = field});
}

SettingDef& PageSettings::Radio(const char* name, TextPair label, FieldRef field,
                                std::vector<SettingItem> items) {
  return Add({.name = name,
              .kind = ControlKind::Radio,
              .label = label,
              .field = field,
              .items = std::move(items)});
}

const char* InternName(std::string name) {
  // A deque never moves what it holds, so the pointers stay valid.
  static std::deque<std::string> names;
  return names.emplace_back(std::move(name)).c_str();
}

std::string TrimBlanks(const std::string& s) {
  const auto b = s.find_first_not_of(" \t");
  if (b == std::string::npos) return "";
  return s.substr(b, s.find_last_not_of(" \t") - b + 1);
}

std::vector<std::string> SplitListEntries(const std::string& text) {
  std::vector<std::string> parts;
  std::string cur;
  int depth = 0;
  for (char c : text) {
    if (c == '(') ++depth;
    if (c == ')' && depth > 0) --depth;
    if (c == ',' && depth == 0) {
      parts.push_back(TrimBlanks(cur));
      cur.clear();
    } else {
      cur += c;
    }
  }
  parts.push_back(TrimBlanks(cur));
  return parts;
}

std::string LeadingWord(const std::string& entry) {
  return entry.substr(0, entry.find_first_of(" \t("));
}

std::optional<int> WholeNumber(const std::string& word) {
  int n = 0;
  const auto [end, ec] = std::from_chars(word.data(), word.data() + word.size(), n);
  if (ec != std::errc() || end != word.data() + word.size() || word.empty()) return std::nullopt;
  return n;
}

}  // namespace tc
