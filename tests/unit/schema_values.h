#pragma once
// Values for walking the whole settings schema in tests: for a setting, a
// valid text other than the one it shows now.
#include <cstdio>
#include <string>

#include "catalog/variants.h"
#include "editor_core/page_blocks.h"
#include "editor_core/page_hotmenu.h"
#include "editor_core/setting_value.h"

namespace tc {

inline void CollectTreeItems(const std::vector<HotMenuNode>& tree, std::vector<std::string>& ids) {
  for (const HotMenuNode& n : tree) {
    if (n.IsItem()) ids.push_back(n.ident);
    CollectTreeItems(n.children, ids);
  }
}

// Empty when the setting offers no other value (an unused subtype slot).
inline std::string OtherValue(const EditorContext& ctx, const SettingDef& d) {
  switch (d.kind) {
    case ControlKind::Spin: {
      const Limits lim = SettingLimits(ctx, d);
      const double x = GetNumber(ctx, d) == lim.min ? lim.max : lim.min + d.step;
      char buf[32];
      std::snprintf(buf, sizeof buf, "%.*f", d.decimals, x > lim.max ? lim.max : x);
      return buf;
    }
    case ControlKind::Check:
      return GetCheck(ctx, d) ? "off" : "on";
    case ControlKind::Time:
      return GetTimeText(ctx, d) == "07:30" ? "23:59" : "07:30";
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
    default:
      return "";
  }
}

}  // namespace tc
