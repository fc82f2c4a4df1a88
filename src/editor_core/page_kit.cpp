#include "editor_core/page_kit.h"

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

}  // namespace tc
