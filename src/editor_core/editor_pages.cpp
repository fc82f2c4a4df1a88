// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor_core/editor_pages.h"

#include "catalog/variant_flags.h"
#include "editor_core/pages.h"

namespace tc {

namespace {

// The display page only holds its own page control: colour schemes, display
// layouts, hot menus, the info panel and the remaining display options.
constinit const EditorPage* const kDisplayPages[] = {
    &kColorsPage,    &kDisplays1Page, &kDisplays4Page,     &kDisplays9Page,
    &kDisplays7Page, &kDisplays3Page, &kGraphDisplaysPage, &kArrowDisplaysPage,
    &kDisplays6Page, &kHotMenuPage,   &kInfoPanelPage,     &kDiversPage,
};
constinit const EditorPage kDisplayPage{
    .name = "tsDisp", .caption = {"Дисплей", "Display"}, .pages = kDisplayPages};

// Service information is kept for the developers and never shown.
constinit const EditorPage kServiceInfoPage{
    .name = "tsServiceInfo",
    .caption = {"Служ.информ.", "ServiceInfo"},
    .shown = [](const VariantFlags&) { return false; },
};

constinit const EditorPage* const kMainPages[] = {
    &kCorrPage, &kMethPage, &kLimitsPage,  &kDisplayPage, &kVoicePage,   &kAverPage,
    &kParkPage, &kTankPage, &kServicePage, &kBlocksPage,  &kUniMeasPage, &kServiceInfoPage,
};

const EditorPage* FindIn(PageList pages, std::string_view name, const EditorPage** parent,
                         const EditorPage* holder) {
  for (const EditorPage& p : pages) {
    if (name == p.name) {
      if (parent) *parent = holder;
      return &p;
    }
    if (const EditorPage* c = FindIn(p.pages, name, parent, &p)) return c;
  }
  return nullptr;
}

}  // namespace

PageList EditorPages() {
  return kMainPages;
}

bool PageShown(const EditorPage& page, const VariantFlags& flags) {
  return !page.shown || page.shown(flags);
}

bool PageOnShow(std::string_view name, const VariantFlags& flags) {
  const EditorPage* page = FindEditorPage(name);
  if (!page) return false;
  for (; page; page = ParentPage(*page))
    if (!PageShown(*page, flags)) return false;
  return true;
}

const EditorPage* FindEditorPage(std::string_view name) {
  return FindIn(EditorPages(), name, nullptr, nullptr);
}

const EditorPage* ParentPage(const EditorPage& page) {
  const EditorPage* parent = nullptr;
  FindIn(EditorPages(), page.name, &parent, nullptr);
  return parent;
}

}  // namespace tc
