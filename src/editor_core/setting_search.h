// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Finding a setting in the editor by what the user remembers of it: a word
// of its caption in either language, its name (seVelocityLimit) or the text
// of one of its items. The editor's search field only shows what this finds.
#include <string>
#include <string_view>
#include <vector>

#include "editor_core/setting_def.h"

namespace tc {

class Visibility;

// Lower case for Latin and Cyrillic, with ё read as е, so that "ЁМКОСТЬ",
// "Емкость" and "ёмкость" are the same word.
std::u32string FoldForSearch(std::string_view utf8);

struct SearchHit {
  const SettingDef* def;
  // Smaller is better: every word of the query met as a whole word counts
  // before one met as the start of a word, which counts before one met
  // inside a word; a caption or name counts before an item's text. The
  // setting whose whole name is the query comes first of all (-1).
  int rank;
};

// The shown settings whose texts hold every word of `query`, best first
// (settings of equal rank in the editor's order). Settings the visibility
// hides are never found. An empty query finds nothing.
std::vector<SearchHit> SearchSettings(const EditorContext& ctx, const Visibility& shown,
                                      std::string_view query);

// "page › caption (value)" for a search result: the captions of the page and
// of every page above it, the setting's caption (its name when it has none)
// and its value as shown, cut short when long.
std::string SearchResultText(const EditorContext& ctx, const SettingDef& def, bool english);

}  // namespace tc
