#pragma once
// Small pieces the page files build their settings from.
#include <initializer_list>
#include <string>
#include <vector>

#include "editor_core/setting_def.h"

namespace tc {

// Items stored as their position: 0, 1, 2, ...
std::vector<SettingItem> Items(std::initializer_list<TextPair> texts);
// A name made at run time (families such as "cbShowDisp_1_39"), kept for
// the life of the program so settings can point at it.
const char* InternName(std::string name);

}  // namespace tc
