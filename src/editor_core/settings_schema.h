// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Every setting the editor knows, page by page in the order of the pages.
#include <string_view>
#include <vector>

#include "editor_core/setting_def.h"

namespace tc {

const std::vector<SettingDef>& SettingsSchema();
// A setting by control name, or nullptr.
const SettingDef* FindSetting(std::string_view name);
std::vector<const SettingDef*> SettingsOfPage(std::string_view page);

}  // namespace tc
