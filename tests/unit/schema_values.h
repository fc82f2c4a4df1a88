// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Values for walking the whole settings schema in tests: for a setting, a
// valid text other than the one it shows now.
#include <algorithm>
#include <cstdio>
#include <string>
#include <string_view>

#include "catalog/variants.h"
#include "editor_core/page_blocks.h"
#include "editor_core/page_colors.h"
#include "editor_core/page_hotmenu.h"
#include "editor_core/page_layouts.h"
#include "editor_core/setting_value.h"
#include "editor_core/settings_schema.h"

namespace tc {

inline void CollectTreeItems(const std::vector<HotMenuNode>& tree, std::vector<std::string>& ids) {
  for (const HotMenuNode& n : tree) {
    if (n.IsItem()) ids.push_back(n.ident);
    CollectTreeItems(n.children, ids);
  }
}

// Empty when the setting offers no other value (an unused subtype slot).
inline std::string OtherValue(const EditorContext& ctx, const SettingDef& d) {
  if (d.readOnly) return "";  // shown only
  switch (d.kind) {
    case ControlKind::Spin: {
      const Limits lim = SettingLimits(ctx, d);
      double x = GetNumber(ctx, d) == lim.min ? lim.max : lim.min + d.step;
      // The two ADC points of the universal input must differ.
      const std::string_view name = d.name;
      if (name == "seUniMeasADC0" || name == "seUniMeasADC1") {
        const SettingDef* other =
            FindSetting(name == "seUniMeasADC0" ? "seUniMeasADC1" : "seUniMeasADC0");
        if (other && GetNumber(ctx, *other) == x) x = x == lim.max ? x - d.step : x + d.step;
      }
      char buf[32];
      std::snprintf(buf, sizeof buf, "%.*f", d.decimals, x > lim.max ? lim.max : x);
      return buf;
    }
    case ControlKind::Check:
      return GetCheck(ctx, d) ? "off" : "on";
    case ControlKind::Time:
      return GetTimeText(ctx, d) == "07:30" ? "23:59" : "07:30";
    case ControlKind::Text: {
      // Cyrillic, as far as the field allows.
      const std::string t = std::string("Тест").substr(0, 2 * std::min<size_t>(4, size_t(d.max)));
      return GetTextValue(ctx, d) == t ? "Ab" : t;
    }
    case ControlKind::Date:
      return GetDateText(ctx, d) == "29.02.04" ? "31.12.99" : "29.02.04";
    case ControlKind::Table:
      if (std::string_view(d.name) == "sgTarir")
        return FormatValue(ctx, d, true) == "10:200 20:400" ? "0:241" : "10:200 20:400";
      return "";
    case ControlKind::Radio:
    case ControlKind::Combo: {
      const auto items = SettingItems(ctx, d);
      const int current = GetIndex(ctx, d);
      for (int i = 0; i < int(items.size()); ++i)
        if (i != current && items[size_t(i)].enabled) return "#" + std::to_string(i);
      return "";
    }
    case ControlKind::CodeList: {
      // The last two insertable items, or an empty menu when it holds them.
      std::vector<std::string> ids;
      CollectTreeItems(HotMenuInsertTree(d.index, ctx.catalog.MenuItems(), ctx.Flags()), ids);
      if (ids.empty()) return FormatValue(ctx, d, true) == "-" ? "" : "-";
      const std::string v = ids.size() == 1 ? ids[0] : ids[ids.size() - 2] + "," + ids.back();
      const std::string now = FormatValue(ctx, d, true);
      return now.find(ids.back()) == std::string::npos ? v : "-";
    }
    case ControlKind::CodeSet: {
      // The selection with the first listed system switched over.
      const auto list = SystemList(ctx);
      if (list.empty()) return "";
      std::string v;
      const auto add = [&](int code) { v += (v.empty() ? "" : ",") + std::to_string(code); };
      if (!SystemSelected(ctx.mk, list[0].code)) add(list[0].code);
      for (const SystemEntry& e : UsedSystems(ctx.mk, list))
        if (e.code != list[0].code) add(e.code);
      return v.empty() ? "-" : v;
    }
    case ControlKind::Cell: {
      const int current = CellSettingCode(ctx, d);
      for (const CellChoice& c : CellSettingMenu(ctx, d))
        if (c.code != current) return std::to_string(c.code);
      return "";
    }
    case ControlKind::Colour: {
      // "R,G,B" with red moved by one.
      const std::string now = FormatValue(ctx, d, true);
      const int r = std::stoi(now.substr(0, now.find(',')));
      return std::to_string((r + 1) % 32) + now.substr(now.find(','));
    }
    default:
      return "";
  }
}

}  // namespace tc
