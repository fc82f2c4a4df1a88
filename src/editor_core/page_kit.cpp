// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor_core/page_kit.h"

#include <algorithm>
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

std::optional<ListEntryParts> SplitListEntry(const std::string& entry) {
  ListEntryParts parts;
  std::string rest = TrimBlanks(entry);
  if (!rest.empty() && rest.back() == ')') {
    // The bracket that opens the final caption (a caption may hold brackets).
    int depth = 0;
    size_t open = std::string::npos;
    for (size_t i = rest.size(); i-- > 0;) {
      if (rest[i] == ')') ++depth;
      if (rest[i] == '(' && --depth == 0) {
        open = i;
        break;
      }
    }
    if (open == std::string::npos) return std::nullopt;
    parts.caption = rest.substr(open + 1, rest.size() - open - 2);
    rest = TrimBlanks(rest.substr(0, open));
  }
  std::vector<std::string> words;
  for (size_t at = 0; at < rest.size();) {
    const size_t end = std::min(rest.find_first_of(" \t", at), rest.size());
    if (end > at) words.push_back(rest.substr(at, end - at));
    at = end + 1;
  }
  if (words.empty() || words.size() > 2) return std::nullopt;
  if (words.size() == 2) {
    parts.code = WholeNumber(words[0]);
    if (!parts.code || WholeNumber(words[1])) return std::nullopt;
    parts.name = words[1];
  } else if (const auto code = WholeNumber(words[0])) {
    parts.code = code;
  } else {
    parts.name = words[0];
  }
  if (parts.name.find_first_of("()") != std::string::npos) return std::nullopt;
  return parts;
}

}  // namespace tc
