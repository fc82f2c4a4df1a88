#include "editor_core/settings_schema.h"

#include "catalog/variant_flags.h"
#include "editor_core/editor_pages.h"
#include "editor_core/visibility.h"

namespace tc {

namespace {
void AddPages(const std::vector<EditorPage>& pages, std::vector<SettingDef>& schema) {
  for (const auto& p : pages) {
    if (p.addSettings) {
      // The page is named once, here, for every setting it adds.
      const size_t first = schema.size();
      p.addSettings(schema);
      for (size_t i = first; i < schema.size(); ++i) schema[i].page = p.name;
    }
    AddPages(p.pages, schema);
  }
}
void UpdatePages(const std::vector<EditorPage>& pages, const EditorContext& ctx, Visibility& v) {
  for (const auto& p : pages) {
    if (p.updateVariantControls) p.updateVariantControls(ctx, v);
    UpdatePages(p.pages, ctx, v);
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
  if (ctx.Flags().VariantNoGas)
    for (const auto& d : SettingsSchema())
      if (d.gas) v.Hide(d.name);
  UpdatePages(EditorPages(), ctx, v);
  return v;
}

}  // namespace tc
