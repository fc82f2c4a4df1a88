#include "editor_core/page_kit.h"

#include <deque>

namespace tc {

std::vector<SettingItem> Items(std::initializer_list<TextPair> texts) {
  std::vector<SettingItem> items;
  int64_t i = 0;
  for (const TextPair& t : texts) items.push_back({t, i++});
  return items;
}

const char* InternName(std::string name) {
  // A deque never moves what it holds, so the pointers stay valid.
  static std::deque<std::string> names;
  return names.emplace_back(std::move(name)).c_str();
}

}  // namespace tc
