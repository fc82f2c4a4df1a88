// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor_core/setting_search.h"

#include <algorithm>

#include "editor_core/editor_pages.h"
#include "editor_core/setting_value.h"
#include "editor_core/settings_schema.h"
#include "editor_core/visibility.h"

namespace tc {

namespace {

// Decodes UTF-8; a byte that starts no valid sequence stands for itself, so
// odd input never stops a search.
std::u32string Decode(std::string_view s) {
  std::u32string out;
  for (size_t i = 0; i < s.size();) {
    const auto c = static_cast<unsigned char>(s[i]);
    int len = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 0;
    if (len == 0 || i + size_t(len) > s.size()) {
      out += char32_t(c);
      ++i;
      continue;
    }
    char32_t cp = len == 1 ? c : c & (0x7F >> len);
    bool ok = true;
    for (int k = 1; k < len; ++k) {
      const auto cc = static_cast<unsigned char>(s[i + size_t(k)]);
      ok &= (cc & 0xC0) == 0x80;
      cp = (cp << 6) | (cc & 0x3F);
    }
    if (!ok) {
      out += char32_t(c);
      ++i;
      continue;
    }
    out += cp;
    i += size_t(len);
  }
  return out;
}

char32_t Fold(char32_t c) {
  if (c >= U'A' && c <= U'Z') return c + 32;
  if (c >= 0x410 && c <= 0x42F) return c + 32;  // А..Я
  if (c == 0x401 || c == 0x451) return 0x435;   // Ё, ё -> е
  return c;
}

bool IsWordChar(char32_t c) {
  return (c >= U'0' && c <= U'9') || (c >= U'a' && c <= U'z') || (c >= U'A' && c <= U'Z') ||
         c >= 0x80;
}

// The text split into folded words. A name's camel case also parts words
// ("seVelocityLimit": se, velocity, limit), and the whole name is a word.
std::vector<std::u32string> Words(std::string_view utf8, bool camel) {
  const std::u32string raw = Decode(utf8);
  std::vector<std::u32string> words;
  std::u32string w;
  for (size_t i = 0; i < raw.size(); ++i) {
    const char32_t c = raw[i];
    const bool upper = (c >= U'A' && c <= U'Z');
    if (!IsWordChar(c) || (camel && upper && !w.empty())) {
      if (!w.empty()) words.push_back(w);
      w.clear();
      if (!IsWordChar(c)) continue;
    }
    w += Fold(c);
  }
  if (!w.empty()) words.push_back(w);
  if (camel && words.size() > 1) words.push_back(FoldForSearch(utf8));
  return words;
}

// How a query word meets a text's words: 0 a whole word, 1 the start of one,
// 2 inside one, -1 not at all.
int Meet(const std::u32string& q, const std::vector<std::u32string>& words) {
  int best = -1;
  for (const auto& w : words) {
    int m = -1;
    if (w == q)
      m = 0;
    else if (w.starts_with(q))
      m = 1;
    else if (w.find(q) != std::u32string::npos)
      m = 2;
    if (m >= 0 && (best < 0 || m < best)) best = m;
  }
  return best;
}

std::string Encode(const std::u32string& s) {
  std::string out;
  for (char32_t c : s) {
    if (c < 0x80) {
      out += char(c);
    } else if (c < 0x800) {
      out += char(0xC0 | (c >> 6));
      out += char(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
      out += char(0xE0 | (c >> 12));
      out += char(0x80 | ((c >> 6) & 0x3F));
      out += char(0x80 | (c & 0x3F));
    } else {
      out += char(0xF0 | (c >> 18));
      out += char(0x80 | ((c >> 12) & 0x3F));
      out += char(0x80 | ((c >> 6) & 0x3F));
      out += char(0x80 | (c & 0x3F));
    }
  }
  return out;
}

}  // namespace

std::u32string FoldForSearch(std::string_view utf8) {
  std::u32string s = Decode(utf8);
  for (char32_t& c : s) c = Fold(c);
  return s;
}

std::vector<SearchHit> SearchSettings(const EditorContext& ctx, const Visibility& shown,
                                      std::string_view query) {
  const std::vector<std::u32string> queryWords = Words(query, false);
  std::vector<SearchHit> hits;
  if (queryWords.empty()) return hits;
  // The whole query as a setting's name ("x4.5.2") puts that setting first.
  std::u32string whole = FoldForSearch(query);
  while (!whole.empty() && whole.back() == U' ') whole.pop_back();
  while (!whole.empty() && whole.front() == U' ') whole.erase(0, 1);
  for (const SettingDef& d : SettingsSchema()) {
    if (!shown.Visible(d.name)) continue;
    const TextPair label = SettingLabel(ctx, d);
    std::vector<std::u32string> own = Words(d.name, true);
    for (auto& w : Words(label.ru, false)) own.push_back(std::move(w));
    for (auto& w : Words(label.en, false)) own.push_back(std::move(w));
    std::vector<std::u32string> items;
    if (d.IsChoice())
      for (const SettingItem& i : SettingItems(ctx, d)) {
        for (auto& w : Words(i.text.ru, false)) items.push_back(std::move(w));
        for (auto& w : Words(i.text.en, false)) items.push_back(std::move(w));
      }
    int rank = 0;
    bool all = true;
    for (const auto& q : queryWords) {
      const int a = Meet(q, own);
      const int b = Meet(q, items);
      if (a < 0 && b < 0) {
        all = false;
        break;
      }
      // An item's text weighs a little less than the setting's own words.
      rank += std::min(a < 0 ? 99 : a * 2, b < 0 ? 99 : b * 2 + 1);
    }
    if (all) hits.push_back({&d, FoldForSearch(d.name) == whole ? -1 : rank});
  }
  std::stable_sort(hits.begin(), hits.end(),
                   [](const SearchHit& x, const SearchHit& y) { return x.rank < y.rank; });
  return hits;
}

std::string SearchResultText(const EditorContext& ctx, const SettingDef& def, bool english) {
  std::string path;
  for (const EditorPage* p = FindEditorPage(def.page); p; p = ParentPage(*p))
    path = p->caption.Get(english) + (path.empty() ? "" : " › " + path);
  std::string caption = SettingLabel(ctx, def).Get(english);
  while (!caption.empty() && (caption.back() == ' ' || caption.back() == ':')) caption.pop_back();
  if (caption.empty()) caption = def.name;
  // Long values (tables, lists) are cut to a few words, at a character.
  std::string shown = FormatValue(ctx, def, english);
  // Check boxes read "on"/"off" on the command line; here in the user's words.
  if (def.kind == ControlKind::Check && !english) shown = shown == "on" ? "да" : "нет";
  std::u32string value = Decode(shown);
  constexpr size_t kMaxValue = 40;
  if (value.size() > kMaxValue) value = value.substr(0, kMaxValue - 1) + U"…";
  return (path.empty() ? "" : path + " › ") + caption + " (" + Encode(value) + ")";
}

}  // namespace tc
