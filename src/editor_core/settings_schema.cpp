// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor_core/settings_schema.h"

#include <algorithm>

#include "catalog/variant_flags.h"
#include "editor_core/editor_pages.h"
#include "editor_core/visibility.h"

namespace tc {

namespace {
void AddPages(PageList pages, std::vector<SettingDef>& schema) {
  for (const EditorPage& p : pages) {
    if (p.addSettings) {
      // The page is named once, here, for every setting it adds.
      const size_t first = schema.size();
      p.addSettings(schema);
      for (size_t i = first; i < schema.size(); ++i) schema[i].page = p.name;
    }
    AddPages(p.pages, schema);
  }
}
// Runs the rules of every page, and collects the pages not on show: those
// whose own rule or an enclosing page's rule hides them.
void UpdatePages(PageList pages, const EditorContext& ctx, bool enclosingShown, Visibility& v,
                 std::vector<const char*>& hiddenPages) {
  for (const EditorPage& p : pages) {
    const bool shown = enclosingShown && PageShown(p, ctx.Flags());
    if (!shown) hiddenPages.push_back(p.name);
    if (p.updateVariantControls) p.updateVariantControls(ctx, v);
    UpdatePages(p.pages, ctx, shown, v, hiddenPages);
  }
}
}  // namespace

const std::vector<SettingDef>& SettingsSchema() {
  static const std::vector<SettingDef> schema = [] {
    std::vector<SettingDef> s;
    AddPages(EditorPages(), s);
    return s;
  }();
  return schema;
}

const SettingDef* FindSetting(std::string_view name) {
  for (const auto& d : SettingsSchema())
    if (name == d.name) return &d;
  return nullptr;
}

std::vector<const SettingDef*> SettingsOfPage(std::string_view page) {
  std::vector<const SettingDef*> list;
  for (const auto& d : SettingsSchema())
    if (page == d.page) list.push_back(&d);
  return list;
}

Visibility ControlVisibility(const EditorContext& ctx) {
  Visibility v;
  std::vector<const char*> hiddenPages;
  UpdatePages(EditorPages(), ctx, true, v, hiddenPages);
  for (const auto& d : SettingsSchema()) {
    // A setting on a page the editor does not show is hidden everywhere: in
    // the editor, the command line's listing and notes, and the report.
    const bool pageHidden = std::any_of(hiddenPages.begin(), hiddenPages.end(), [&](const char* p) {
      return std::string_view(p) == d.page;
    });
    if (pageHidden || (d.gas && ctx.Flags().VariantNoGas)) v.Hide(d.name);
  }
  return v;
}

}  // namespace tc
