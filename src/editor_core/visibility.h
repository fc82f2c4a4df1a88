// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Which controls of the editor are shown. Every control is visible unless a
// rule hides it; a control hidden by one rule stays hidden whatever another
// rule says, so the rules of a page can be applied in any order.
#include <set>
#include <string>
#include <string_view>

namespace tc {

struct EditorContext;

class Visibility {
 public:
  bool Visible(std::string_view name) const { return hidden_.find(name) == hidden_.end(); }
  void Hide(std::string_view name) { hidden_.emplace(name); }
  // Hides the control unless `shown`.
  void ShowIf(std::string_view name, bool shown) {
    if (!shown) Hide(name);
  }
  const std::set<std::string, std::less<>>& Hidden() const { return hidden_; }

 private:
  std::set<std::string, std::less<>> hidden_;
};

// Every visibility rule of every page for the variant, protocol and stored
// values at hand: each page's UpdateVariantControls, the gas controls on
// variants without gas, and every setting of a page that is not shown (its
// own rule or an enclosing page's hides it).
Visibility ControlVisibility(const EditorContext& ctx);

}  // namespace tc
