// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The pages of the settings editor. Each page is declared once, in its own
// page file, as an EditorPage: its name, caption, when it is shown, the
// settings it adds to the schema and the rule that computes which of its
// controls are visible. The page tree (editor_pages.cpp) only lists them.
#include <cstddef>
#include <span>
#include <string_view>
#include <vector>

#include "editor_core/setting_def.h"

namespace tc {

class Visibility;
struct EditorPage;

// The pages of one page control, in order. Iterates as pages, not pointers.
class PageList {
 public:
  struct Iterator {
    const EditorPage* const* at;
    const EditorPage& operator*() const { return **at; }
    const EditorPage* operator->() const { return *at; }
    Iterator& operator++() {
      ++at;
      return *this;
    }
    bool operator==(const Iterator&) const = default;
  };

  constexpr PageList() = default;
  template <size_t N>
  constexpr PageList(const EditorPage* const (&pages)[N]) : pages_(pages) {}

  Iterator begin() const { return {pages_.data()}; }
  Iterator end() const { return {pages_.data() + pages_.size()}; }
  size_t size() const { return pages_.size(); }
  bool empty() const { return pages_.empty(); }
  const EditorPage& operator[](size_t i) const { return *pages_[i]; }

 private:
  std::span<const EditorPage* const> pages_;
};

// A page's definition. Definitions are constants, initialised before any
// code runs, so they may be named from anywhere (the page tree, layouts).
struct EditorPage {
  const char* name;  // page control name ("tsCorr")
  TextPair caption;
  // Nullptr: always shown.
  bool (*shown)(const VariantFlags&) = nullptr;
  void (*addSettings)(std::vector<SettingDef>&) = nullptr;
  // The page's UpdateVariantControls.
  void (*updateVariantControls)(const EditorContext&, Visibility&) = nullptr;
  PageList pages{};  // a page control inside the page
};

// The main page control, in order.
PageList EditorPages();
// The page's own rule, whatever its ancestors say.
bool PageShown(const EditorPage& page, const VariantFlags& flags);
// The page and every page that holds it are shown: the one rule by which a
// page's settings count as shown or hidden everywhere. False for a name no
// page has.
bool PageOnShow(std::string_view name, const VariantFlags& flags);
// A page or sub-page by name, or nullptr.
const EditorPage* FindEditorPage(std::string_view name);
// The page that holds this one, or nullptr for a page of the main control.
const EditorPage* ParentPage(const EditorPage& page);

}  // namespace tc
